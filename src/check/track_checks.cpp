#include "check/track_checks.h"

#include <algorithm>
#include <map>
#include <tuple>

#include "catalog/footprint_rotation.h"
#include "edit/area_blocks.h"
#include "edit/kind_names.h"
#include "edit/reshape.h"

namespace {

constexpr const char* kGuessed = " (the footprint is guessed)";

// A cell that a block covers, as one number (areaCellKey), and the block's place in the list.
struct CellUse {
    std::uint32_t cell = 0;
    std::uint32_t block = 0;

    bool operator<(const CellUse& other) const {
        return std::tie(cell, block) < std::tie(other.cell, other.block);
    }
};

// A road end placed on the grid: the cell it leaves from and its heading after the block's turn.
struct PlacedEnd {
    std::uint32_t cell = 0;
    std::uint32_t heading = 0;
    std::uint32_t block = 0;

    bool operator<(const PlacedEnd& other) const {
        return std::tie(cell, heading, block) < std::tie(other.cell, other.heading, other.block);
    }
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
        openEnds();
        hidden();
        std::stable_sort(
            findings_.begin(), findings_.end(),
            [](const Finding& a, const Finding& b) { return a.severity < b.severity; });
        return std::move(findings_);
    }

  private:
    void add(Severity severity, FindingKind kind, std::string text,
             std::vector<const BlockRecord*> blocks) {
        findings_.push_back({severity, kind, std::move(text), std::move(blocks)});
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

    // Blocks outside the grid and blocks sharing cells; keeps the cells for the road ends.
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
                    cells_.push_back({areaCellKey(c), i});
            }
            if (outside)
                add(Severity::Warning, FindingKind::OutsideGrid,
                    name(i) + " lies outside the grid.", {blocks_[i]});
        }
        std::sort(cells_.begin(), cells_.end());
        // Each pair once, however many cells it shares.
        std::map<std::pair<std::uint32_t, std::uint32_t>, int> pairs;
        for (std::size_t a = 0; a < cells_.size();) {
            std::size_t b = a;
            while (b < cells_.size() && cells_[b].cell == cells_[a].cell)
                ++b;
            for (std::size_t i = a; i < b; ++i)
                for (std::size_t j = i + 1; j < b; ++j)
                    if (cells_[i].block != cells_[j].block)
                        ++pairs[{cells_[i].block, cells_[j].block}];
            a = b;
        }
        for (const auto& [pair, count] : pairs) {
            const bool exact =
                entries_[pair.first]->footprintExact && entries_[pair.second]->footprintExact;
            add(exact ? Severity::Warning : Severity::Information, FindingKind::SharedCells,
                name(pair.first) + " and " + name(pair.second) + " share " +
                    plural(static_cast<std::size_t>(count), "cell", "cells") +
                    (exact ? "." : std::string(kGuessed) + "."),
                {blocks_[pair.first], blocks_[pair.second]});
        }
    }

    bool covered(std::uint32_t cell) const {
        const auto at = std::lower_bound(cells_.begin(), cells_.end(), CellUse{cell, 0});
        return at != cells_.end() && at->cell == cell;
    }

    void openEnds() {
        std::vector<PlacedEnd> ends;
        for (std::uint32_t i = 0; i < blocks_.size(); ++i) {
            const CatalogEntry* entry = entries_[i];
            if (!entry)
                continue;
            for (const RoadEndUnit& end : entry->roadEnds) {
                const GridCell c = placedUnitCell(*entry, *blocks_[i], end.x, end.y, end.z);
                ends.push_back({areaCellKey(c), (end.heading + blocks_[i]->rotation) & 3u, i});
            }
        }
        std::sort(ends.begin(), ends.end());
        std::vector<int> open(blocks_.size(), 0), met(blocks_.size(), 0);
        for (const PlacedEnd& end : ends) {
            const CatalogEntry* entry = entries_[end.block];
            // A start or a finish gate is where the road begins or stops.
            if (entry->role == KindRole::Start || entry->role == KindRole::Finish)
                continue;
            const std::uint32_t x = end.cell & 0xFF, y = end.cell >> 8 & 0xFF, z = end.cell >> 16;
            const GridCell next{wrap8(static_cast<std::int8_t>(x) + kHeadingStep[end.heading][0]),
                                wrap8(static_cast<std::int8_t>(y) + kHeadingStep[end.heading][1]),
                                static_cast<std::int8_t>(z)};
            const std::uint32_t nextCell = areaCellKey(next);
            const PlacedEnd facing{nextCell, (end.heading + 2) & 3u, 0};
            const auto at = std::lower_bound(ends.begin(), ends.end(), facing);
            if (at != ends.end() && at->cell == facing.cell && at->heading == facing.heading) {
                ++met[end.block];
                continue;
            }
            if (covered(nextCell))
                continue;
            ++open[end.block];
        }
        for (std::uint32_t i = 0; i < blocks_.size(); ++i) {
            // A piece none of whose ends meets another is no part of a road: the names call
            // walls, borders and tubes road too.
            if (open[i] == 0 || met[i] == 0)
                continue;
            const bool exact = entries_[i]->footprintExact;
            add(exact ? Severity::Warning : Severity::Information, FindingKind::OpenEnds,
                name(i) + " has " +
                    plural(static_cast<std::size_t>(open[i]), "road end", "road ends") +
                    " that meet no other road end" + (exact ? "." : std::string(kGuessed) + "."),
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
    std::vector<Finding> findings_;
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
