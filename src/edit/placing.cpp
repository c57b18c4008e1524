#include "edit/placing.h"

#include <algorithm>
#include <climits>

#include "edit/area_blocks.h"
#include "edit/edit_step.h"
#include "edit/kind_names.h"

PlacingGroup::PlacingGroup(const CatalogState& catalog, const BlockClipboard& group,
                           const std::string& trackUid) {
    const std::unordered_map<std::string, std::uint32_t> indexes = kindIndexesByName(catalog);
    for (const BlockClipboard::Entry& entry : group.entries) {
        const auto found = indexes.find(entry.kindName);
        if (found == indexes.end()) {
            ++leftOut_;
            continue;
        }
        BlockRecord record = entry.record;
        record.catalogIndex = found->second;
        record.keptName.clear();
        record.flags = 0;
        if (group.trackUid != trackUid)
            dropNodeReferences(record);
        blocks_.push_back(std::move(record));
    }
    centre(catalog);
}

void PlacingGroup::centre(const CatalogState& catalog) {
    int lo[3] = {INT_MAX, INT_MAX, INT_MAX};
    int hi[3] = {INT_MIN, INT_MIN, INT_MIN};
    const auto take = [&lo, &hi](int x, int y, int z) {
        const int at[3] = {x, y, z};
        for (int a = 0; a < 3; ++a) {
            lo[a] = std::min(lo[a], at[a]);
            hi[a] = std::max(hi[a], at[a]);
        }
    };
    for (const BlockRecord& record : blocks_) {
        const int units = footprintUnitCount(catalog, record);
        for (int i = 0; i < units; ++i)
            if (const std::optional<GridCell> c = footprintCell(catalog, record, i))
                take(c->x, c->y, c->z);
    }
    if (blocks_.empty())
        return;
    // Kinds whose footprints the catalogue does not give stand on their own cells.
    if (lo[0] > hi[0])
        for (const BlockRecord& record : blocks_)
            take(record.x, record.y, record.z);
    const int handle[3] = {lo[0] + (hi[0] - lo[0]) / 2, lo[1] + (hi[1] - lo[1]) / 2, lo[2]};
    for (BlockRecord& record : blocks_) {
        record.x = wrap8(record.x - handle[0]);
        record.y = wrap8(record.y - handle[1]);
        record.z = wrap8(record.z - handle[2]);
    }
}

template <typename Reshape> void PlacingGroup::reshape(const CatalogState& catalog, Reshape apply) {
    if (blocks_.empty())
        return;
    // The reshapes work on a document's selection: the group is one for a moment, standing in
    // the middle of the grid, where any group that fits the grid may turn.
    const int middle = gridSizeOf(catalog) / 2;
    Track track;
    for (BlockRecord record : blocks_) {
        record.x = wrap8(record.x + middle);
        record.y = wrap8(record.y + middle);
        record.z = wrap8(record.z + middle);
        track.blocks.push_back(std::move(record));
    }
    TrackDocument scratch;
    scratch.replaceTrack(std::move(track), {}, {});
    selectAll(scratch);
    apply(scratch);
    blocks_.assign(scratch.blocks().begin(), scratch.blocks().end());
    for (BlockRecord& record : blocks_)
        record.flags = 0;
    centre(catalog);
}

void PlacingGroup::turn(const CatalogState& catalog, int sense) {
    reshape(catalog, [&](TrackDocument& scratch) { turnSelection(scratch, catalog, sense); });
}

void PlacingGroup::mirror(const CatalogState& catalog, MirrorAxis axis) {
    reshape(catalog, [&](TrackDocument& scratch) { mirrorSelection(scratch, catalog, axis); });
}

std::vector<BlockRecord> PlacingGroup::at(GridCell target) const {
    std::vector<BlockRecord> placed = blocks_;
    for (BlockRecord& record : placed) {
        record.x = wrap8(record.x + target.x);
        record.y = wrap8(record.y + target.y);
        record.z = wrap8(record.z + target.z);
    }
    return placed;
}

void OccupiedCells::rebuild(const TrackDocument& document, const CatalogState& catalog) {
    cells_.clear();
    for (const BlockRecord& record : document.blocks()) {
        const int units = footprintUnitCount(catalog, record);
        for (int i = 0; i < units; ++i)
            if (const std::optional<GridCell> c = footprintCell(catalog, record, i))
                cells_.insert(areaCellKey(*c));
    }
}

bool OccupiedCells::contains(int x, int y, int z) const {
    return cells_.count(areaCellKey(GridCell{wrap8(x), wrap8(y), wrap8(z)})) > 0;
}

PlacingCells placingCells(const CatalogState& catalog, const OccupiedCells& occupied,
                          const std::vector<BlockRecord>& blocks) {
    const int size = gridSizeOf(catalog);
    const auto inside = [size](int v) { return v >= 0 && v < size; };
    PlacingCells result;
    for (const BlockRecord& record : blocks) {
        const int units = footprintUnitCount(catalog, record);
        for (int i = 0; i < units; ++i) {
            const std::optional<GridCell> c = footprintCell(catalog, record, i);
            if (!c)
                continue;
            PlacingCells::Cell cell{c->x, c->y, c->z};
            cell.outside = !inside(cell.x) || !inside(cell.y) || !inside(cell.z);
            cell.shared = !cell.outside && occupied.contains(cell.x, cell.y, cell.z);
            result.shared += cell.shared;
            result.outside += cell.outside;
            result.cells.push_back(cell);
        }
    }
    return result;
}

bool putDown(TrackDocument& document, const CatalogState& catalog,
             const std::vector<BlockRecord>& blocks, const std::string& verb) {
    if (blocks.empty() || placingCells(catalog, OccupiedCells{}, blocks).outside > 0)
        return false;
    EditStep step(document, verb);
    for (const BlockRecord& record : blocks)
        step.append(record);
    step.selectAppended();
    return true;
}

std::string placingMessage(const PlacingCells& cells) {
    const auto cellText = [](int n) { return std::to_string(n) + (n == 1 ? " cell" : " cells"); };
    if (cells.outside > 0)
        return "Cannot place here: " + cellText(cells.outside) + " past the edge of the grid.";
    if (cells.shared > 0)
        return "Shares " + cellText(cells.shared) + " with other blocks: placing is allowed.";
    return {};
}
