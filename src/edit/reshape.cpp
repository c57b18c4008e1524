#include "edit/reshape.h"

#include <algorithm>
#include <array>
#include <climits>
#include <set>
#include <tuple>
#include <unordered_set>

#include "edit/area_blocks.h"
#include "edit/edit_step.h"

namespace {

struct Cell {
    int x = 0;
    int y = 0;
    int z = 0;
    bool operator<(const Cell& b) const { return std::tie(x, y, z) < std::tie(b.x, b.y, b.z); }
    bool operator==(const Cell& b) const = default;
};

struct Box {
    Cell min{INT_MAX, INT_MAX, INT_MAX};
    Cell max{INT_MIN, INT_MIN, INT_MIN};
    void add(const Cell& c) {
        min = {std::min(min.x, c.x), std::min(min.y, c.y), std::min(min.z, c.z)};
        max = {std::max(max.x, c.x), std::max(max.y, c.y), std::max(max.z, c.z)};
    }
    bool empty() const { return min.x > max.x; }
};

// Where a block should stand: its kind, turn and cell.
struct Placement {
    std::uint32_t catalogIndex = 0;
    std::uint8_t rotation = 0;
    Cell anchor;
};

// The cells of a block of this kind and turn whose anchor is at the origin: its units, or its
// own cell for a kind without units or unknown to the catalogue.
std::vector<Cell> offsetsOf(const CatalogState& catalog, std::uint32_t catalogIndex,
                            std::uint8_t rotation) {
    BlockRecord probe;
    probe.catalogIndex = catalogIndex;
    probe.rotation = rotation;
    std::vector<Cell> cells;
    const int units = footprintUnitCount(catalog, probe);
    for (int i = 0; i < units; ++i)
        if (const std::optional<GridCell> c = footprintCell(catalog, probe, i))
            cells.push_back({c->x, c->y, c->z});
    if (cells.empty())
        cells.push_back({0, 0, 0});
    return cells;
}

std::vector<Cell> cellsAt(const std::vector<Cell>& offsets, const Cell& anchor) {
    std::vector<Cell> cells;
    cells.reserve(offsets.size());
    for (const Cell& o : offsets)
        cells.push_back({anchor.x + o.x, anchor.y + o.y, anchor.z + o.z});
    return cells;
}

std::vector<Cell> cellsOf(const CatalogState& catalog, const BlockRecord& record) {
    return cellsAt(offsetsOf(catalog, record.catalogIndex, record.rotation),
                   {record.x, record.y, record.z});
}

// The Stadium is a grid of 32 x 32 x 32 cells. The other environments' maps are larger (the
// game's own tracks reach cell 43) and their size is not known here: there a block may go
// wherever its coordinates can say.
int gridSizeOf(const CatalogState& catalog) {
    return catalog.currentEnvironment == kStadium ? kGridSize : 128;
}

bool inGrid(const Cell& c, int size) {
    return c.x >= 0 && c.y >= 0 && c.z >= 0 && c.x < size && c.y < size && c.z < size;
}

// An offset past any grid leaves it as surely as one just past its edge; kept this small, sums
// of cells and multiples of offsets stay far inside an int.
int boundedOffset(int offset) {
    return std::clamp(offset, -1024, 1024);
}

std::uint8_t withTurn(std::uint8_t rotation, int turn) {
    // Only the low two bits turn; the others are the file's and stay.
    return static_cast<std::uint8_t>((rotation & ~3) | ((turn % 4 + 4) % 4));
}

std::vector<const BlockRecord*> selectedBlocks(const TrackDocument& document) {
    // Track order, so that copies and messages do not depend on the order of choosing.
    std::vector<const BlockRecord*> blocks;
    for (const BlockRecord& record : document.blocks())
        if (Selection::contains(record))
            blocks.push_back(&record);
    return blocks;
}

Box boxOf(const CatalogState& catalog, const std::vector<const BlockRecord*>& blocks) {
    Box box;
    for (const BlockRecord* record : blocks)
        for (const Cell& c : cellsOf(catalog, *record))
            box.add(c);
    return box;
}

ReshapeResult refusedLeaving(int leaving) {
    ReshapeResult result;
    result.leaving = leaving;
    result.message = blockCountText(leaving) + " would leave the grid: nothing was changed.";
    return result;
}

// Gives each block its placement as one step, unless a block would leave the grid.
ReshapeResult place(TrackDocument& document, const CatalogState& catalog,
                    const std::vector<const BlockRecord*>& blocks,
                    const std::vector<Placement>& placements, const char* verb,
                    const std::string& gesture = {}) {
    int leaving = 0;
    for (const Placement& p : placements) {
        const std::vector<Cell> cells =
            cellsAt(offsetsOf(catalog, p.catalogIndex, p.rotation), p.anchor);
        if (!std::all_of(cells.begin(), cells.end(),
                         [size = gridSizeOf(catalog)](const Cell& c) { return inGrid(c, size); }))
            ++leaving;
    }
    if (leaving > 0)
        return refusedLeaving(leaving);
    EditStep step(document, verb, gesture);
    for (std::size_t i = 0; i < blocks.size(); ++i) {
        BlockRecord& record = step.change(*blocks[i]);
        const Placement& p = placements[i];
        record.catalogIndex = p.catalogIndex;
        record.rotation = p.rotation;
        record.x = static_cast<std::int8_t>(p.anchor.x);
        record.y = static_cast<std::int8_t>(p.anchor.y);
        record.z = static_cast<std::int8_t>(p.anchor.z);
    }
    ReshapeResult result;
    result.done = true;
    result.blocks = static_cast<int>(blocks.size());
    return result;
}

// The anchor that puts these offsets exactly on the cells, or none.
std::optional<Cell> anchorOnto(const std::vector<Cell>& offsets, const std::vector<Cell>& cells) {
    if (offsets.size() != cells.size())
        return std::nullopt;
    Box cellBox, offsetBox;
    for (const Cell& c : cells)
        cellBox.add(c);
    for (const Cell& o : offsets)
        offsetBox.add(o);
    const Cell anchor{cellBox.min.x - offsetBox.min.x, cellBox.min.y - offsetBox.min.y,
                      cellBox.min.z - offsetBox.min.z};
    const std::vector<Cell> placed = cellsAt(offsets, anchor);
    if (std::set<Cell>(placed.begin(), placed.end()) != std::set<Cell>(cells.begin(), cells.end()))
        return std::nullopt;
    return anchor;
}

// The anchor that moves a block's own box onto the given box, with its kind and turn kept.
Cell anchorMovingBox(const BlockRecord& record, const Box& from, const Box& to) {
    return {record.x + to.min.x - from.min.x, record.y + to.min.y - from.min.y,
            record.z + to.min.z - from.min.z};
}

} // namespace

ReshapeResult turnSelection(TrackDocument& document, const CatalogState& catalog, int sense) {
    const std::vector<const BlockRecord*> blocks = selectedBlocks(document);
    const int quarters = (sense % 4 + 4) % 4;
    if (blocks.empty() || quarters == 0)
        return {};
    const Box box = boxOf(catalog, blocks);
    const int w = box.max.x - box.min.x + 1;
    const int h = box.max.y - box.min.y + 1;
    // A quarter turn makes the box h by w about the old one's centre; where that falls between
    // cells the shift rounds toward zero, so that turns one way and back cancel. A half turn
    // keeps the box.
    const int shift = (w - h) / 2;
    const Cell corner{box.min.x + shift, box.min.y - shift, 0};
    const auto turned = [&](const Cell& c) {
        const int rx = c.x - box.min.x;
        const int ry = c.y - box.min.y;
        switch (quarters) {
        case 1:
            return Cell{corner.x + (h - 1) - ry, corner.y + rx, c.z};
        case 2:
            return Cell{box.max.x - rx, box.max.y - ry, c.z};
        default:
            return Cell{corner.x + ry, corner.y + (w - 1) - rx, c.z};
        }
    };
    std::vector<Placement> placements;
    for (const BlockRecord* record : blocks) {
        const std::uint8_t rotation = withTurn(record->rotation, record->rotation + quarters);
        // Unit 0 lands where its cell turns to; the other units follow with the turn.
        const Cell first = turned(cellsOf(catalog, *record).front());
        const Cell offset = offsetsOf(catalog, record->catalogIndex, rotation).front();
        placements.push_back({record->catalogIndex,
                              rotation,
                              {first.x - offset.x, first.y - offset.y, first.z - offset.z}});
    }
    return place(document, catalog, blocks, placements, "Turn");
}

ReshapeResult mirrorSelection(TrackDocument& document, const CatalogState& catalog,
                              MirrorAxis axis) {
    const std::vector<const BlockRecord*> blocks = selectedBlocks(document);
    if (blocks.empty())
        return {};
    const Box box = boxOf(catalog, blocks);
    const auto mirrored = [&](const Cell& c) {
        return axis == MirrorAxis::X ? Cell{box.min.x + box.max.x - c.x, c.y, c.z}
                                     : Cell{c.x, box.min.y + box.max.y - c.y, c.z};
    };
    std::vector<Placement> placements;
    int unknown = 0;
    for (const BlockRecord* record : blocks) {
        std::vector<Cell> target;
        Box own, mirroredBox;
        for (const Cell& c : cellsOf(catalog, *record)) {
            own.add(c);
            target.push_back(mirrored(c));
            mirroredBox.add(target.back());
        }
        std::optional<Placement> found;
        if (const CatalogEntry* entry = catalogEntry(catalog, record->catalogIndex);
            entry && catalogEntry(catalog, entry->mirrorPartner)) {
            // A reflection turns a turn r into one of k - r; the kind's own k is tried first,
            // then the others in an order that makes twice the same mirror give back the start.
            const int k = entry->mirrorTurn + (axis == MirrorAxis::Y ? 2 : 0);
            for (int j : {0, 2, 1, 3}) {
                const std::uint8_t rotation = withTurn(record->rotation, k + j - record->rotation);
                if (const std::optional<Cell> anchor =
                        anchorOnto(offsetsOf(catalog, entry->mirrorPartner, rotation), target)) {
                    found = Placement{entry->mirrorPartner, rotation, *anchor};
                    break;
                }
            }
        }
        if (!found) {
            ++unknown;
            found = Placement{record->catalogIndex, record->rotation,
                              anchorMovingBox(*record, own, mirroredBox)};
        }
        placements.push_back(*found);
    }
    ReshapeResult result = place(document, catalog, blocks, placements, "Mirror");
    result.unknownMirror = unknown;
    if (result.done && unknown > 0)
        result.message = blockCountText(unknown) + " kept " + (unknown == 1 ? "its" : "their") +
                         " kind: the mirror image is unknown.";
    return result;
}

ReshapeResult shiftSelection(TrackDocument& document, const CatalogState& catalog, int dx, int dy,
                             int dz, const std::string& gesture) {
    const std::vector<const BlockRecord*> blocks = selectedBlocks(document);
    if (blocks.empty() || (dx == 0 && dy == 0 && dz == 0))
        return {};
    dx = boundedOffset(dx);
    dy = boundedOffset(dy);
    dz = boundedOffset(dz);
    std::vector<Placement> placements;
    for (const BlockRecord* record : blocks)
        placements.push_back({record->catalogIndex,
                              record->rotation,
                              {record->x + dx, record->y + dy, record->z + dz}});
    return place(document, catalog, blocks, placements, "Move", gesture);
}

ReshapeResult shiftSelectionTo(TrackDocument& document, const CatalogState& catalog,
                               GridCell corner) {
    const Box box = boxOf(catalog, selectedBlocks(document));
    if (box.empty())
        return {};
    return shiftSelection(document, catalog, corner.x - box.min.x, corner.y - box.min.y,
                          corner.z - box.min.z);
}

GridCell selectionExtent(const TrackDocument& document, const CatalogState& catalog) {
    const Box box = boxOf(catalog, selectedBlocks(document));
    if (box.empty())
        return {};
    return {static_cast<std::int8_t>(box.max.x - box.min.x + 1),
            static_cast<std::int8_t>(box.max.y - box.min.y + 1),
            static_cast<std::int8_t>(box.max.z - box.min.z + 1)};
}

ReshapeResult stackSelection(TrackDocument& document, const CatalogState& catalog, int count,
                             int dx, int dy, int dz) {
    const std::vector<const BlockRecord*> blocks = selectedBlocks(document);
    ReshapeResult result;
    if (blocks.empty())
        return result;
    if (count < 1 || (dx == 0 && dy == 0 && dz == 0)) {
        result.message = "Nothing to stack: give a count of at least 1 and an offset.";
        return result;
    }
    dx = boundedOffset(dx);
    dy = boundedOffset(dy);
    dz = boundedOffset(dz);
    const std::size_t total = document.blocks().size() + blocks.size() * std::size_t(count);
    if (total > kMaxTrackBlocks) {
        result.message = "A track holds at most " + std::to_string(kMaxTrackBlocks) +
                         " blocks: the stack would make " + std::to_string(total) + ".";
        return result;
    }
    // The first and the last copy bound all the others.
    const auto leaves = [&](const BlockRecord* record) {
        for (const Cell& c : cellsOf(catalog, *record))
            for (int i : {1, count})
                if (!inGrid({c.x + i * dx, c.y + i * dy, c.z + i * dz}, gridSizeOf(catalog)))
                    return true;
        return false;
    };
    const int leaving = static_cast<int>(std::count_if(blocks.begin(), blocks.end(), leaves));
    if (leaving > 0)
        return refusedLeaving(leaving);
    std::vector<const BlockRecord*> copies;
    copies.reserve(blocks.size() * static_cast<std::size_t>(count));
    {
        EditStep step(document, "Stack");
        for (int i = 1; i <= count; ++i)
            for (const BlockRecord* record : blocks) {
                BlockRecord copy = *record;
                copy.x = static_cast<std::int8_t>(record->x + i * dx);
                copy.y = static_cast<std::int8_t>(record->y + i * dy);
                copy.z = static_cast<std::int8_t>(record->z + i * dz);
                copies.push_back(step.append(std::move(copy)));
            }
        document.setSelection(copies);
    }
    result.done = true;
    result.blocks = static_cast<int>(copies.size());
    return result;
}

ReshapeResult replaceKinds(TrackDocument& document, const CatalogState& catalog,
                           const std::vector<std::pair<std::uint32_t, std::uint32_t>>& pairs,
                           ReplaceScope scope, const Area& area) {
    ReshapeResult result;
    for (const auto& [from, to] : pairs) {
        for (std::uint32_t index : {from, to}) {
            if (!catalogEntry(catalog, index)) {
                result.message = "No kind " + std::to_string(index) + " in this environment.";
                return result;
            }
        }
    }
    std::vector<const BlockRecord*> candidates;
    if (scope == ReplaceScope::Selection)
        candidates = selectedBlocks(document);
    else
        for (const BlockRecord& record : document.blocks())
            if (scope == ReplaceScope::Track || blockInArea(catalog, area, record))
                candidates.push_back(&record);
    // Each block takes the first pair of its kind; a larger kind may reach past the grid.
    std::vector<const BlockRecord*> blocks;
    std::vector<Placement> placements;
    for (const BlockRecord* record : candidates) {
        const auto pair = std::find_if(pairs.begin(), pairs.end(), [&](const auto& p) {
            return p.first == record->catalogIndex;
        });
        if (pair == pairs.end())
            continue;
        blocks.push_back(record);
        placements.push_back({pair->second, record->rotation, {record->x, record->y, record->z}});
    }
    result = place(document, catalog, blocks, placements, "Replace");
    result.done = result.done && result.blocks > 0;
    if (result.leaving == 0)
        result.message = "Replaced the kind of " + blockCountText(result.blocks) + ".";
    return result;
}

void selectAllOfSelectedKinds(TrackDocument& document) {
    std::unordered_set<std::uint32_t> kinds;
    std::unordered_set<std::string> keptNames;
    for (const BlockRecord* record : document.selection().members()) {
        if (record->catalogIndex != 0)
            kinds.insert(record->catalogIndex);
        else
            keptNames.insert(record->keptName);
    }
    if (kinds.empty() && keptNames.empty())
        return;
    std::vector<const BlockRecord*> members;
    for (const BlockRecord& record : document.blocks())
        if (record.catalogIndex != 0 ? kinds.count(record.catalogIndex) != 0
                                     : keptNames.count(record.keptName) != 0)
            members.push_back(&record);
    document.setSelection(members);
}

void selectAll(TrackDocument& document) {
    std::vector<const BlockRecord*> members;
    members.reserve(document.blocks().size());
    for (const BlockRecord& record : document.blocks())
        members.push_back(&record);
    document.setSelection(members);
}
