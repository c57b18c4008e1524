#include "edit/reshape.h"

#include <algorithm>
#include <array>
#include <climits>
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

// The cells of a block of each kind and turn whose anchor is at the origin, in the order of its
// units: its units, or its own cell for a kind without units or unknown to the catalogue. Each
// is worked out once for an operation.
class Footprints {
  public:
    explicit Footprints(const CatalogState& catalog) : catalog_(catalog) {}

    const CatalogState& catalog() const { return catalog_; }

    const std::vector<Cell>& offsets(std::uint32_t catalogIndex, std::uint8_t rotation) {
        if (!catalogEntry(catalog_, catalogIndex))
            return ownCell_;
        const std::size_t key = std::size_t{catalogIndex} * 4 + (rotation & 3);
        if (key >= shapes_.size())
            shapes_.resize(key + 1);
        std::vector<Cell>& shape = shapes_[key];
        if (shape.empty()) {
            BlockRecord probe;
            probe.catalogIndex = catalogIndex;
            probe.rotation = rotation;
            const int units = footprintUnitCount(catalog_, probe);
            for (int i = 0; i < units; ++i)
                if (const std::optional<GridCell> c = footprintCell(catalog_, probe, i))
                    shape.push_back({c->x, c->y, c->z});
            if (shape.empty())
                shape = ownCell_;
        }
        return shape;
    }
    const std::vector<Cell>& offsets(const BlockRecord& record) {
        return offsets(record.catalogIndex, record.rotation);
    }

  private:
    const CatalogState& catalog_;
    std::vector<std::vector<Cell>> shapes_; // by kind and turn
    const std::vector<Cell> ownCell_{Cell{}};
};

Cell operator+(const Cell& a, const Cell& b) {
    return {a.x + b.x, a.y + b.y, a.z + b.z};
}

Cell anchorOf(const BlockRecord& record) {
    return {record.x, record.y, record.z};
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

Box boxOf(Footprints& footprints, const std::vector<const BlockRecord*>& blocks) {
    Box box;
    for (const BlockRecord* record : blocks)
        for (const Cell& offset : footprints.offsets(*record))
            box.add(anchorOf(*record) + offset);
    return box;
}

ReshapeResult refusedLeaving(int leaving) {
    ReshapeResult result;
    result.leaving = leaving;
    result.message = blockCountText(leaving) + " would leave the grid: nothing was changed.";
    return result;
}

// Gives each block its placement as one step, unless a block would leave the grid.
ReshapeResult place(TrackDocument& document, Footprints& footprints,
                    const std::vector<const BlockRecord*>& blocks,
                    const std::vector<Placement>& placements, const char* verb,
                    const std::string& gesture = {}) {
    const int size = gridSizeOf(footprints.catalog());
    const int leaving =
        static_cast<int>(std::count_if(placements.begin(), placements.end(), [&](const auto& p) {
            const std::vector<Cell>& offsets = footprints.offsets(p.catalogIndex, p.rotation);
            return !std::all_of(offsets.begin(), offsets.end(), [&](const Cell& offset) {
                return inGrid(p.anchor + offset, size);
            });
        }));
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

// The anchor that puts these offsets exactly on the cells (sorted, with their box), or none.
std::optional<Cell> anchorOnto(const std::vector<Cell>& offsets, const std::vector<Cell>& cells,
                               const Box& cellBox, std::vector<Cell>& placed) {
    if (offsets.size() != cells.size())
        return std::nullopt;
    Box offsetBox;
    for (const Cell& o : offsets)
        offsetBox.add(o);
    const Cell anchor{cellBox.min.x - offsetBox.min.x, cellBox.min.y - offsetBox.min.y,
                      cellBox.min.z - offsetBox.min.z};
    placed.clear();
    for (const Cell& o : offsets)
        placed.push_back(anchor + o);
    std::sort(placed.begin(), placed.end());
    if (placed != cells)
        return std::nullopt;
    return anchor;
}

// The anchor that moves a block's own box onto the given box, with its kind and turn kept.
Cell anchorMovingBox(const BlockRecord& record, const Box& from, const Box& to) {
    return {record.x + to.min.x - from.min.x, record.y + to.min.y - from.min.y,
            record.z + to.min.z - from.min.z};
}

} // namespace

int gridSizeOf(const CatalogState& catalog) {
    return catalog.currentEnvironment == kStadium ? kGridSize : 128;
}

ReshapeResult turnSelection(TrackDocument& document, const CatalogState& catalog, int sense) {
    const std::vector<const BlockRecord*> blocks = selectedBlocks(document);
    const int quarters = (sense % 4 + 4) % 4;
    if (blocks.empty() || quarters == 0)
        return {};
    Footprints footprints(catalog);
    const Box box = boxOf(footprints, blocks);
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
        const Cell first = turned(anchorOf(*record) + footprints.offsets(*record).front());
        const Cell offset = footprints.offsets(record->catalogIndex, rotation).front();
        placements.push_back({record->catalogIndex,
                              rotation,
                              {first.x - offset.x, first.y - offset.y, first.z - offset.z}});
    }
    return place(document, footprints, blocks, placements, "Turn");
}

ReshapeResult mirrorSelection(TrackDocument& document, const CatalogState& catalog,
                              MirrorAxis axis) {
    const std::vector<const BlockRecord*> blocks = selectedBlocks(document);
    if (blocks.empty())
        return {};
    Footprints footprints(catalog);
    const Box box = boxOf(footprints, blocks);
    const auto mirrored = [&](const Cell& c) {
        return axis == MirrorAxis::X ? Cell{box.min.x + box.max.x - c.x, c.y, c.z}
                                     : Cell{c.x, box.min.y + box.max.y - c.y, c.z};
    };
    std::vector<Placement> placements;
    std::vector<Cell> target, placed;
    int unknown = 0;
    for (const BlockRecord* record : blocks) {
        target.clear();
        Box own, mirroredBox;
        for (const Cell& offset : footprints.offsets(*record)) {
            const Cell c = anchorOf(*record) + offset;
            own.add(c);
            target.push_back(mirrored(c));
            mirroredBox.add(target.back());
        }
        std::sort(target.begin(), target.end());
        std::optional<Placement> found;
        if (const CatalogEntry* entry = catalogEntry(catalog, record->catalogIndex);
            entry && catalogEntry(catalog, entry->mirrorPartner)) {
            // A reflection turns a turn r into one of k - r; the kind's own k is tried first,
            // then the others in an order that makes twice the same mirror give back the start.
            const int k = entry->mirrorTurn + (axis == MirrorAxis::Y ? 2 : 0);
            for (int j : {0, 2, 1, 3}) {
                const std::uint8_t rotation = withTurn(record->rotation, k + j - record->rotation);
                if (const std::optional<Cell> anchor =
                        anchorOnto(footprints.offsets(entry->mirrorPartner, rotation), target,
                                   mirroredBox, placed)) {
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
    ReshapeResult result = place(document, footprints, blocks, placements, "Mirror");
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
        placements.push_back(
            {record->catalogIndex, record->rotation, anchorOf(*record) + Cell{dx, dy, dz}});
    Footprints footprints(catalog);
    return place(document, footprints, blocks, placements, "Move", gesture);
}

ReshapeResult shiftSelectionTo(TrackDocument& document, const CatalogState& catalog,
                               GridCell corner) {
    Footprints footprints(catalog);
    const Box box = boxOf(footprints, selectedBlocks(document));
    if (box.empty())
        return {};
    return shiftSelection(document, catalog, corner.x - box.min.x, corner.y - box.min.y,
                          corner.z - box.min.z);
}

GridCell selectionExtent(const TrackDocument& document, const CatalogState& catalog) {
    Footprints footprints(catalog);
    const Box box = boxOf(footprints, selectedBlocks(document));
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
    Footprints footprints(catalog);
    const auto leaves = [&](const BlockRecord* record) {
        for (const Cell& offset : footprints.offsets(*record))
            for (int i : {1, count})
                if (!inGrid(anchorOf(*record) + offset + Cell{i * dx, i * dy, i * dz},
                            gridSizeOf(catalog)))
                    return true;
        return false;
    };
    const int leaving = static_cast<int>(std::count_if(blocks.begin(), blocks.end(), leaves));
    if (leaving > 0)
        return refusedLeaving(leaving);
    {
        EditStep step(document, "Stack");
        for (int i = 1; i <= count; ++i)
            for (const BlockRecord* record : blocks) {
                BlockRecord copy = *record;
                copy.x = static_cast<std::int8_t>(record->x + i * dx);
                copy.y = static_cast<std::int8_t>(record->y + i * dy);
                copy.z = static_cast<std::int8_t>(record->z + i * dz);
                step.append(std::move(copy));
            }
        step.selectAppended();
    }
    result.done = true;
    result.blocks = static_cast<int>(blocks.size()) * count;
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
    Footprints footprints(catalog);
    result = place(document, footprints, blocks, placements, "Replace");
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
