#include "check/track_checks.h"

#include <algorithm>
#include <map>
#include <type_traits>
#include <unordered_map>

#include "catalog/footprint_rotation.h"
#include "edit/area_blocks.h"
#include "edit/kind_names.h"
#include "edit/reshape.h"

namespace {

constexpr const char* kGuessed = " (the footprint is guessed)";
// Findings of one severity and kind listed one by one; a track of thousands of blocks piled into
// each other would otherwise list hundreds of thousands of pairs.
constexpr std::size_t kMaxListed = 500;

// A cell that a block covers, and the block's place in the list.
struct CellUse {
    GridCell cell;
    std::uint32_t block = 0;
};

// A road end placed on the grid: the cell it leaves from and its heading after the block's turn.
struct PlacedEnd {
    GridCell cell;
    std::uint8_t heading = 0;
    std::uint32_t block = 0;
};

// For each cell, its number among the cells blocks cover (-1 for none) and
// the headings of the road ends leaving it: a table over the box of the cells, or a hash map when
// the box is too large for one (blocks strewn to the ends of the coordinates).
class CellIndex {
  public:
    void reset(const std::vector<GridCell>& cells) {
        low_ = {127, 127, 127};
        GridCell high{-128, -128, -128};
        for (const GridCell& c : cells) {
            low_ = {std::min(low_.x, c.x), std::min(low_.y, c.y), std::min(low_.z, c.z)};
            high = {std::max(high.x, c.x), std::max(high.y, c.y), std::max(high.z, c.z)};
        }
        side_[0] = std::max(high.x - low_.x + 1, 0);
        side_[1] = std::max(high.y - low_.y + 1, 0);
        side_[2] = std::max(high.z - low_.z + 1, 0);
        const std::size_t volume =
            std::size_t(side_[0]) * std::size_t(side_[1]) * std::size_t(side_[2]);
        dense_ = volume <= kLargestTable;
        numbers_.assign(dense_ ? volume : 0, -1);
        ends_.assign(dense_ ? volume : 0, 0);
        sparse_.clear();
    }
    // For cells of the box given to reset; the reference stays valid until the next reset.
    std::int32_t& number(GridCell c) {
        return dense_ ? numbers_[slot(c)] : sparse_[areaCellKey(c)].number;
    }
    std::uint8_t& ends(GridCell c) {
        return dense_ ? ends_[slot(c)] : sparse_[areaCellKey(c)].ends;
    }
    // For any cell.
    std::int32_t find(GridCell c) const {
        if (dense_)
            return inBox(c) ? numbers_[slot(c)] : -1;
        const auto at = sparse_.find(areaCellKey(c));
        return at == sparse_.end() ? -1 : at->second.number;
    }
    std::uint8_t endsAt(GridCell c) const {
        if (dense_)
            return inBox(c) ? ends_[slot(c)] : 0;
        const auto at = sparse_.find(areaCellKey(c));
        return at == sparse_.end() ? 0 : at->second.ends;
    }

  private:
    static constexpr std::size_t kLargestTable = std::size_t{1} << 21;
    struct Entry {
        std::int32_t number = -1;
        std::uint8_t ends = 0;
    };
    bool inBox(GridCell c) const {
        return c.x >= low_.x && c.y >= low_.y && c.z >= low_.z && c.x - low_.x < side_[0] &&
               c.y - low_.y < side_[1] && c.z - low_.z < side_[2];
    }
    std::size_t slot(GridCell c) const {
        return (std::size_t(c.z - low_.z) * std::size_t(side_[1]) + std::size_t(c.y - low_.y)) *
                   std::size_t(side_[0]) +
               std::size_t(c.x - low_.x);
    }
    GridCell low_;
    int side_[3] = {};
    bool dense_ = true;
    std::vector<std::int32_t> numbers_;
    std::vector<std::uint8_t> ends_;
    std::unordered_map<std::uint32_t, Entry> sparse_;
};

std::string plural(std::size_t count, const char* one, const char* many) {
    return std::to_string(count) + " " + (count == 1 ? one : many);
}

class Checker {
  public:
    Checker(const Track& track, const CatalogState& catalog) : catalog_(catalog) {
        blocks_.reserve(track.blocks.size());
        entries_.reserve(track.blocks.size());
        for (const BlockRecord& record : track.blocks) {
            blocks_.push_back(&record);
            entries_.push_back(catalogEntry(catalog, record.catalogIndex));
        }
    }

    std::vector<Finding> run(std::optional<int> recordedCheckpoints) {
        gates(recordedCheckpoints);
        unknownKinds();
        placing();
        sharedCells();
        openEnds();
        hidden();
        std::stable_sort(
            findings_.begin(), findings_.end(),
            [](const Finding& a, const Finding& b) { return a.severity < b.severity; });
        return std::move(findings_);
    }

  private:
    // Past kMaxListed findings of one severity and kind the rest are only counted, on the last
    // one listed; their sentences are never made. False for a finding that is only counted.
    bool listing(Severity severity, FindingKind kind) {
        const auto s = static_cast<std::size_t>(severity);
        const auto k = static_cast<std::size_t>(kind);
        if (listed_[s][k] < kMaxListed)
            return true;
        ++findings_[last_[s][k]].unlisted;
        return false;
    }

    template <typename Text>
    void add(Severity severity, FindingKind kind, Text text,
             std::vector<const BlockRecord*> blocks) {
        if (!listing(severity, kind))
            return;
        const auto s = static_cast<std::size_t>(severity);
        const auto k = static_cast<std::size_t>(kind);
        ++listed_[s][k];
        last_[s][k] = findings_.size();
        if constexpr (std::is_invocable_v<Text>)
            findings_.push_back({severity, kind, text(), std::move(blocks)});
        else
            findings_.push_back({severity, kind, std::string(std::move(text)), std::move(blocks)});
    }

    std::string name(std::uint32_t block) const { return blockName(catalog_, *blocks_[block]); }

    std::string names(const std::vector<const BlockRecord*>& blocks) const {
        std::string text;
        for (const BlockRecord* record : blocks)
            text += (text.empty() ? "" : ", ") + blockName(catalog_, *record);
        return text;
    }

    void gates(std::optional<int> recordedCheckpoints) {
        std::size_t count[5] = {};
        std::vector<const BlockRecord*> starts, checkpoints, gates;
        for (std::size_t i = 0; i < blocks_.size(); ++i) {
            const KindRole role = entries_[i] ? entries_[i]->role : KindRole::None;
            if (role == KindRole::None)
                continue;
            ++count[static_cast<std::size_t>(role)];
            gates.push_back(blocks_[i]);
            if (role == KindRole::Start || role == KindRole::Multilap)
                starts.push_back(blocks_[i]);
            if (role == KindRole::Checkpoint)
                checkpoints.push_back(blocks_[i]);
        }
        auto of = [&count](KindRole role) { return count[static_cast<std::size_t>(role)]; };
        if (starts.empty())
            add(Severity::Error, FindingKind::NoStart, "The track has no start.", {});
        else if (starts.size() > 1)
            add(Severity::Error, FindingKind::ManyStarts,
                "The track has " + std::to_string(starts.size()) +
                    " starts (multilaps included): " + names(starts) + ".",
                starts);
        if (of(KindRole::Finish) == 0 && of(KindRole::Multilap) == 0)
            add(Severity::Error, FindingKind::NoFinish,
                "The track has neither a finish nor a multilap.", {});
        if (recordedCheckpoints && *recordedCheckpoints != static_cast<int>(checkpoints.size()))
            add(Severity::Warning, FindingKind::CheckpointCount,
                "The track holds " + plural(checkpoints.size(), "checkpoint", "checkpoints") +
                    " but its file's head records " + std::to_string(*recordedCheckpoints) + ".",
                checkpoints);
        add(Severity::Information, FindingKind::Counts,
            plural(of(KindRole::Start), "start", "starts") + ", " +
                plural(of(KindRole::Finish), "finish", "finishes") + ", " +
                plural(of(KindRole::Checkpoint), "checkpoint", "checkpoints") + ", " +
                plural(of(KindRole::Multilap), "multilap", "multilaps") + ".",
            gates);
    }

    void unknownKinds() {
        std::map<std::string, std::vector<const BlockRecord*>> byName;
        for (std::size_t i = 0; i < blocks_.size(); ++i)
            if (!entries_[i])
                byName[blocks_[i]->keptName].push_back(blocks_[i]);
        for (auto& [kind, blocks] : byName)
            add(Severity::Error, FindingKind::UnknownKind,
                plural(blocks.size(), "block is", "blocks are") + " of the kind \"" + kind +
                    "\", which the catalogue does not know: " + names(blocks) + ".",
                blocks);
    }

    // Blocks outside the grid; the cells of blocks that share none and the road ends, indexed.
    void placing() {
        const int size = gridSizeOf(catalog_);
        for (std::uint32_t i = 0; i < blocks_.size(); ++i) {
            const CatalogEntry* entry = entries_[i];
            if (!entry)
                continue;
            bool outside = false;
            for (const BlockUnit& unit : entry->units) {
                const GridCell c = placedUnitCell(*entry, *blocks_[i], unit.x, unit.y, unit.z);
                outside = outside || c.x < 0 || c.y < 0 || c.z < 0 || c.x >= size || c.y >= size ||
                          c.z >= size;
                if (!entry->sharesCells)
                    cells_.push_back({c, i});
            }
            for (const RoadEndUnit& end : entry->roadEnds)
                ends_.push_back(
                    {placedUnitCell(*entry, *blocks_[i], end.x, end.y, end.z),
                     static_cast<std::uint8_t>((end.heading + blocks_[i]->rotation) & 3), i});
            if (outside)
                add(Severity::Warning, FindingKind::OutsideGrid,
                    [this, i] { return name(i) + " lies outside the grid."; }, {blocks_[i]});
        }
        std::vector<GridCell> all;
        all.reserve(cells_.size() + ends_.size());
        for (const CellUse& use : cells_)
            all.push_back(use.cell);
        for (const PlacedEnd& end : ends_)
            all.push_back(end.cell);
        index_.reset(all);
        // The blocks of each cell in one run of `users_`, in block order, as counted by a sort on
        // the cells' numbers: the pairs of a cell are then read in sequence.
        std::vector<std::uint32_t> cellOf(cells_.size());
        std::uint32_t cellCount = 0;
        for (std::size_t k = 0; k < cells_.size(); ++k) {
            std::int32_t& number = index_.number(cells_[k].cell);
            if (number < 0)
                number = static_cast<std::int32_t>(cellCount++);
            cellOf[k] = static_cast<std::uint32_t>(number);
        }
        runStart_.assign(cellCount + 1, 0);
        for (const std::uint32_t c : cellOf)
            ++runStart_[c + 1];
        for (std::uint32_t c = 0; c < cellCount; ++c)
            runStart_[c + 1] += runStart_[c];
        std::vector<std::uint32_t> filled(runStart_.begin(), runStart_.end() - 1);
        users_.resize(cells_.size());
        place_.resize(cells_.size());
        runEnd_.resize(cells_.size());
        for (std::size_t k = 0; k < cells_.size(); ++k) {
            place_[k] = filled[cellOf[k]]++;
            users_[place_[k]] = cells_[k].block;
            runEnd_[k] = runStart_[cellOf[k] + 1];
        }
        for (const PlacedEnd& end : ends_)
            index_.ends(end.cell) |= static_cast<std::uint8_t>(1u << end.heading);
    }

    // Pairs of blocks sharing cells, each pair once however many cells it shares, in the order
    // of their first block and then their second. A block's cells follow each other in cells_.
    void sharedCells() {
        std::vector<std::uint32_t> stamp(blocks_.size(), ~0u), shared(blocks_.size(), 0);
        std::vector<std::uint32_t> others;
        const CellUse* cells = cells_.data();
        const std::uint32_t* users = users_.data();
        std::uint32_t* stamps = stamp.data();
        std::uint32_t* counts = shared.data();
        for (std::size_t k = 0, end = cells_.size(); k < end;) {
            const std::uint32_t a = cells[k].block;
            others.clear();
            // A cell's later users are the blocks after this one that share it.
            for (; k < end && cells[k].block == a; ++k)
                for (std::uint32_t p = place_[k] + 1, last = runEnd_[k]; p < last; ++p) {
                    const std::uint32_t b = users[p];
                    if (b == a)
                        continue;
                    if (stamps[b] != a) {
                        stamps[b] = a;
                        counts[b] = 0;
                        others.push_back(b);
                    }
                    ++counts[b];
                }
            std::sort(others.begin(), others.end());
            for (const std::uint32_t b : others) {
                const bool exact = entries_[a]->footprintExact && entries_[b]->footprintExact;
                const Severity severity = exact ? Severity::Warning : Severity::Information;
                if (!listing(severity, FindingKind::SharedCells))
                    continue;
                add(severity, FindingKind::SharedCells,
                    [this, a, b, count = std::size_t{counts[b]}, exact] {
                        return name(a) + " and " + name(b) + " share " +
                               plural(count, "cell", "cells") +
                               (exact ? "." : std::string(kGuessed) + ".");
                    },
                    {blocks_[a], blocks_[b]});
            }
        }
    }

    void openEnds() {
        const int size = gridSizeOf(catalog_);
        std::vector<int> open(blocks_.size(), 0), met(blocks_.size(), 0);
        for (const PlacedEnd& end : ends_) {
            const CatalogEntry* entry = entries_[end.block];
            // A start or a finish gate is where the road begins or stops.
            if (entry->role == KindRole::Start || entry->role == KindRole::Finish)
                continue;
            const int nextX = end.cell.x + kHeadingStep[end.heading][0];
            const int nextY = end.cell.y + kHeadingStep[end.heading][1];
            // No block can stand past the grid's edge to meet an end that faces it.
            if (nextX < 0 || nextY < 0 || nextX >= size || nextY >= size)
                continue;
            const GridCell next{wrap8(nextX), wrap8(nextY), end.cell.z};
            if (index_.endsAt(next) & (1u << ((end.heading + 2) & 3)))
                ++met[end.block];
            else if (index_.find(next) < 0)
                ++open[end.block];
        }
        for (std::uint32_t i = 0; i < blocks_.size(); ++i) {
            // A piece none of whose ends meets another is no part of a road: the names call
            // walls, borders and tubes road too.
            if (open[i] == 0 || met[i] == 0)
                continue;
            const bool exact = entries_[i]->footprintExact;
            add(exact ? Severity::Warning : Severity::Information, FindingKind::OpenEnds,
                [this, i, count = static_cast<std::size_t>(open[i]), exact] {
                    return name(i) + " has " +
                           (count == 1 ? std::string("a road end that meets")
                                       : std::to_string(count) + " road ends that meet") +
                           " no other road end" + (exact ? "." : std::string(kGuessed) + ".");
                },
                {blocks_[i]});
        }
    }

    void hidden() {
        std::vector<const BlockRecord*> hiddenBlocks;
        for (const BlockRecord* record : blocks_)
            if (record->flags & BLOCK_HIDDEN)
                hiddenBlocks.push_back(record);
        if (!hiddenBlocks.empty())
            add(Severity::Information, FindingKind::Hidden,
                plural(hiddenBlocks.size(), "block is", "blocks are") + " hidden.",
                std::move(hiddenBlocks));
    }

    const CatalogState& catalog_;
    std::vector<const BlockRecord*> blocks_;
    std::vector<const CatalogEntry*> entries_;
    std::vector<CellUse> cells_;
    // Each cell's users in one run: runStart_ by the cell's number, and for each use its place
    // in users_ and the end of its cell's run.
    std::vector<std::uint32_t> runStart_, users_, place_, runEnd_;
    std::vector<PlacedEnd> ends_;
    CellIndex index_;
    std::vector<Finding> findings_;
    static constexpr std::size_t kKinds = static_cast<std::size_t>(FindingKind::Counts) + 1;
    std::size_t listed_[3][kKinds] = {};
    std::size_t last_[3][kKinds] = {};
};

} // namespace

std::vector<Finding> checkTrack(const Track& track, const CatalogState& catalog,
                                std::optional<int> recordedCheckpoints) {
    return Checker(track, catalog).run(recordedCheckpoints);
}

const char* severityWord(Severity severity) {
    switch (severity) {
    case Severity::Error:
        return "error";
    case Severity::Warning:
        return "warning";
    case Severity::Information:
        break;
    }
    return "information";
}

std::string blockName(const CatalogState& catalog, const BlockRecord& record) {
    const std::string& kind = kindNameOf(catalog, record);
    return (kind.empty() ? std::string("a block of no name") : kind) + " at (" +
           std::to_string(record.x) + ", " + std::to_string(record.y) + ", " +
           std::to_string(record.z) + ")";
}
