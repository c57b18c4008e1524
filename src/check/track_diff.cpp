#include "check/track_diff.h"

#include <algorithm>
#include <climits>
#include <optional>
#include <queue>
#include <set>
#include <string>
#include <tuple>
#include <unordered_map>

#include "edit/kind_names.h"

namespace {

using Shift = std::array<int, 3>;

struct Item {
    const BlockRecord* record;
    std::size_t index;
    std::uint32_t kind; // shared numbering of both tracks' kind names
    int x, y, z;
};

// Each track's blocks with their kinds numbered by name across both tracks.
class Items {
  public:
    std::vector<Item> of(const Track& track, const CatalogState& catalog) {
        std::vector<Item> items;
        items.reserve(track.blocks.size());
        std::size_t index = 0;
        for (const BlockRecord& record : track.blocks) {
            const std::uint32_t kind = numbers_
                                           .emplace(kindNameOf(catalog, record),
                                                    static_cast<std::uint32_t>(numbers_.size()))
                                           .first->second;
            items.push_back({&record, index++, kind, record.x, record.y, record.z});
        }
        return items;
    }

  private:
    std::unordered_map<std::string, std::uint32_t> numbers_;
};

// A kind, a place and a turn in one number; coordinates stay within ten bits even after a shift
// across the whole range of a byte.
std::uint64_t placeKey(const Item& item, const Shift& shift, std::uint8_t rotation) {
    const auto bits = [](int v) { return static_cast<std::uint64_t>(v + 512) & 1023; };
    return static_cast<std::uint64_t>(item.kind) << 38 | std::uint64_t{rotation} << 30 |
           bits(item.x - shift[0]) << 20 | bits(item.y - shift[1]) << 10 | bits(item.z - shift[2]);
}

std::array<int, 3> lowCorner(const std::vector<Item>& items) {
    std::array<int, 3> low{INT_MAX, INT_MAX, INT_MAX};
    for (const Item& item : items)
        low = {std::min(low[0], item.x), std::min(low[1], item.y), std::min(low[2], item.z)};
    return low;
}

Shift wholeTrackShift(const std::vector<Item>& a, const std::vector<Item>& b) {
    if (a.empty() || b.empty())
        return {};
    std::set<Shift> candidates;
    const auto lowA = lowCorner(a), lowB = lowCorner(b);
    candidates.insert({lowB[0] - lowA[0], lowB[1] - lowA[1], lowB[2] - lowA[2]});
    std::unordered_map<std::uint32_t, std::pair<int, const Item*>> onlyA, onlyB;
    for (const Item& item : a)
        onlyA[item.kind] = {onlyA[item.kind].first + 1, &item};
    for (const Item& item : b)
        onlyB[item.kind] = {onlyB[item.kind].first + 1, &item};
    for (const auto& [kind, countA] : onlyA) {
        const auto inB = onlyB.find(kind);
        if (countA.first == 1 && inB != onlyB.end() && inB->second.first == 1) {
            const Item& i = *countA.second;
            const Item& j = *inB->second.second;
            candidates.insert({j.x - i.x, j.y - i.y, j.z - i.z});
        }
    }
    std::unordered_map<std::uint64_t, int> placesA;
    for (const Item& item : a)
        ++placesA[placeKey(item, {}, item.record->rotation)];
    const auto score = [&](const Shift& shift) {
        std::size_t lined = 0;
        for (const Item& item : b)
            lined += placesA.count(placeKey(item, shift, item.record->rotation));
        return lined;
    };
    Shift best{};
    std::size_t bestScore = score(best);
    for (const Shift& shift : candidates) {
        const std::size_t s = score(shift);
        if (s > bestScore) {
            best = shift;
            bestScore = s;
        }
    }
    return best;
}

bool sameNode(const NodeRef& a, const NodeRef& b) {
    if (!a.data || !b.data)
        return !a.data && !b.data;
    return *a.data == *b.data;
}

unsigned whatDiffers(const BlockRecord& a, const BlockRecord& b) {
    unsigned what = 0;
    if (a.x != b.x || a.y != b.y || a.z != b.z)
        what |= kDiffPlace;
    if (a.rotation != b.rotation)
        what |= kDiffTurn;
    if (a.variant != b.variant)
        what |= kDiffVariant;
    if ((a.flags & BLOCK_HIDDEN) != (b.flags & BLOCK_HIDDEN))
        what |= kDiffHidden;
    if (a.skin.author != b.skin.author || !sameNode(a.skin.skin, b.skin.skin) ||
        !sameNode(a.skin.waypoint, b.skin.waypoint))
        what |= kDiffSkin;
    return what;
}

int squaredDistance(const Item& a, const Item& b, const Shift& shift) {
    const int dx = b.x - shift[0] - a.x, dy = b.y - shift[1] - a.y, dz = b.z - shift[2] - a.z;
    return dx * dx + dy * dy + dz * dz;
}

// Pairs blocks of one kind nearest first: each block of a keeps a wish for its nearest free
// block of b; the nearest wish of all is granted, and a wish for a block taken meanwhile is made
// again.
void pairNearest(const std::vector<const Item*>& as, const std::vector<const Item*>& bs,
                 const Shift& shift, std::vector<std::pair<const Item*, const Item*>>& pairs) {
    std::vector<bool> taken(bs.size(), false);
    using Wish = std::tuple<int, std::size_t, std::size_t>; // distance, a, b
    std::priority_queue<Wish, std::vector<Wish>, std::greater<>> wishes;
    const auto wish = [&](std::size_t i) {
        std::optional<Wish> nearest;
        for (std::size_t j = 0; j < bs.size(); ++j)
            if (!taken[j]) {
                const Wish w{squaredDistance(*as[i], *bs[j], shift), i, j};
                if (!nearest || w < *nearest)
                    nearest = w;
            }
        if (nearest)
            wishes.push(*nearest);
    };
    for (std::size_t i = 0; i < as.size(); ++i)
        wish(i);
    while (!wishes.empty()) {
        const auto [distance, i, j] = wishes.top();
        wishes.pop();
        if (taken[j]) {
            wish(i);
            continue;
        }
        taken[j] = true;
        pairs.emplace_back(as[i], bs[j]);
    }
}

} // namespace

TrackDiff diffTracks(const Track& a, const CatalogState& catalogA, const Track& b,
                     const CatalogState& catalogB) {
    Items numbering;
    const std::vector<Item> itemsA = numbering.of(a, catalogA);
    const std::vector<Item> itemsB = numbering.of(b, catalogB);
    TrackDiff diff;
    diff.shift = wholeTrackShift(itemsA, itemsB);

    // By kind and place: a block of b takes an unmatched block of a there, one that is the same
    // in every way when there is one.
    std::unordered_map<std::uint64_t, std::vector<const Item*>> atPlace;
    for (const Item& item : itemsA)
        atPlace[placeKey(item, {}, 0)].push_back(&item);
    std::vector<bool> matchedA(itemsA.size(), false), matchedB(itemsB.size(), false);
    std::vector<std::pair<const Item*, const Item*>> pairs;
    for (const Item& item : itemsB) {
        const auto there = atPlace.find(placeKey(item, diff.shift, 0));
        if (there == atPlace.end() || there->second.empty())
            continue;
        std::vector<const Item*>& free = there->second;
        auto chosen = std::find_if(free.begin(), free.end(), [&](const Item* candidate) {
            return (whatDiffers(*candidate->record, *item.record) & ~kDiffPlace) == 0;
        });
        if (chosen == free.end())
            chosen = free.begin();
        pairs.emplace_back(*chosen, &item);
        matchedA[(*chosen)->index] = matchedB[item.index] = true;
        free.erase(chosen);
    }

    // The rest by kind and nearest place.
    std::unordered_map<std::uint32_t, std::pair<std::vector<const Item*>, std::vector<const Item*>>>
        rest;
    for (const Item& item : itemsA)
        if (!matchedA[item.index])
            rest[item.kind].first.push_back(&item);
    for (const Item& item : itemsB)
        if (!matchedB[item.index])
            rest[item.kind].second.push_back(&item);
    for (const auto& [kind, sides] : rest)
        if (!sides.first.empty() && !sides.second.empty())
            pairNearest(sides.first, sides.second, diff.shift, pairs);

    std::fill(matchedA.begin(), matchedA.end(), false);
    std::fill(matchedB.begin(), matchedB.end(), false);
    for (const auto& [i, j] : pairs) {
        matchedA[i->index] = matchedB[j->index] = true;
        const unsigned what = whatDiffers(*i->record, *j->record);
        if (what == 0)
            continue;
        const DifferenceKind kind = what & kDiffPlace  ? DifferenceKind::Moved
                                    : what & kDiffTurn ? DifferenceKind::Turned
                                                       : DifferenceKind::Changed;
        diff.differences.push_back({kind, i->record, j->record, i->index, j->index, what});
    }
    for (const Item& item : itemsB)
        if (!matchedB[item.index])
            diff.differences.push_back(
                {DifferenceKind::Added, nullptr, item.record, 0, item.index, 0});
    for (const Item& item : itemsA)
        if (!matchedA[item.index])
            diff.differences.push_back(
                {DifferenceKind::Removed, item.record, nullptr, item.index, 0, 0});
    std::sort(diff.differences.begin(), diff.differences.end(),
              [](const BlockDifference& l, const BlockDifference& r) {
                  const auto order = [](const BlockDifference& d) {
                      return std::pair(d.kind,
                                       d.kind == DifferenceKind::Removed ? d.aIndex : d.bIndex);
                  };
                  return order(l) < order(r);
              });
    return diff;
}

const char* differenceName(DifferenceKind kind) {
    switch (kind) {
    case DifferenceKind::Added:
        return "added";
    case DifferenceKind::Removed:
        return "removed";
    case DifferenceKind::Moved:
        return "moved";
    case DifferenceKind::Turned:
        return "turned";
    case DifferenceKind::Changed:
        break;
    }
    return "changed";
}

std::vector<const char*> whatDiffersNames(unsigned what) {
    constexpr std::pair<unsigned, const char*> kNames[] = {{kDiffPlace, "place"},
                                                           {kDiffTurn, "turn"},
                                                           {kDiffVariant, "variant"},
                                                           {kDiffHidden, "hidden"},
                                                           {kDiffSkin, "skin"}};
    std::vector<const char*> names;
    for (const auto& [bit, name] : kNames)
        if (what & bit)
            names.push_back(name);
    return names;
}

std::string differenceText(const BlockDifference& difference, const std::string& kind) {
    const auto place = [](const BlockRecord& r) {
        return std::to_string(r.x) + ',' + std::to_string(r.y) + ',' + std::to_string(r.z) +
               " turn " + std::to_string(r.rotation);
    };
    std::string text = std::string(differenceName(difference.kind)) + ' ' + kind + ' ';
    if (!difference.a || !difference.b)
        return text + place(difference.a ? *difference.a : *difference.b);
    text += place(*difference.a) + " -> " + place(*difference.b) + " (";
    const char* separator = "";
    for (const char* name : whatDiffersNames(difference.what)) {
        text += separator;
        text += name;
        separator = ", ";
    }
    return text + ')';
}
