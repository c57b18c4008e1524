#include "edit/block_placing.h"

#include <cmath>
#include <unordered_map>

#include "edit/edit_step.h"
#include "edit/editor_context.h"
#include "edit/seam_calls.h"
#include "seams/model_resolver.h"
#include "view/world_grid.h"

namespace {

int clampToGrid(double value) {
    if (!(value >= 0))
        return 0;
    return value > kGridSize - 1 ? kGridSize - 1 : static_cast<int>(value);
}

std::string kindName(const EditorContext& ctx, const BlockRecord& record) {
    if (const CatalogEntry* entry = catalogEntry(ctx.catalog, record.catalogIndex))
        return entry->name;
    return record.keptName;
}

// The current catalogue's kinds by name; the first of two kinds of one name wins.
std::unordered_map<std::string, std::uint32_t> indexesByName(const EditorContext& ctx) {
    std::unordered_map<std::string, std::uint32_t> indexes;
    const int environment = ctx.catalog.currentEnvironment;
    if (environment < 0 || environment >= kEnvironmentCount)
        return indexes;
    const auto& entries = ctx.catalog.catalogs[static_cast<std::size_t>(environment)].entries;
    for (std::size_t i = 0; i < entries.size(); ++i)
        if (!entries[i].name.empty())
            indexes.emplace(entries[i].name, static_cast<std::uint32_t>(i + 1));
    return indexes;
}

void selectOnly(EditorContext& ctx, const std::vector<BlockRecord*>& records) {
    for (BlockRecord* record : ctx.selection.members)
        record->flags &= ~BLOCK_SELECTED;
    ctx.selection.members.clear();
    for (BlockRecord* record : records) {
        record->flags |= BLOCK_SELECTED;
        ctx.selection.members.push_back(record);
    }
}

BlockClipboard clipboardOfSelection(const EditorContext& ctx) {
    BlockClipboard clipboard;
    clipboard.trackUid = ctx.currentTrack.uid;
    // Track order, so that a paste keeps the blocks' order among themselves.
    for (const BlockRecord& record : ctx.currentTrack.blocks) {
        if (!(record.flags & BLOCK_SELECTED))
            continue;
        BlockRecord copy = record;
        copy.flags = 0;
        clipboard.entries.push_back({std::move(copy), kindName(ctx, record)});
    }
    return clipboard;
}

// Takes the clipboard by value: a duplicate hands over its records, a paste keeps its own.
int pasteAsStep(EditorContext& ctx, BlockClipboard clipboard, const char* verb) {
    if (clipboard.entries.empty())
        return 0;
    const bool sameTrack = clipboard.trackUid == ctx.currentTrack.uid;
    const std::unordered_map<std::string, std::uint32_t> indexes = indexesByName(ctx);
    int leftOut = 0;
    int outside = 0;
    std::vector<BlockRecord*> pasted;
    {
        EditStep step(ctx, verb);
        for (BlockClipboard::Entry& entry : clipboard.entries) {
            BlockRecord record = std::move(entry.record);
            if (auto found = indexes.find(entry.kindName); found != indexes.end()) {
                record.catalogIndex = found->second;
                record.keptName.clear();
            } else if (!(sameTrack && !record.keptName.empty())) {
                ++leftOut;
                continue;
            }
            if (!sameTrack) {
                // Skin and waypoint nodes belong to the track they came from.
                record.skin = BlockSkin{};
                if (record.flagWord() != kFlagUncounted) {
                    record.variant[1] &= static_cast<std::uint8_t>(~(kFlagSkin >> 8));
                    record.variant[2] &= static_cast<std::uint8_t>(~(kFlagWaypoint >> 16));
                }
            }
            record.x = wrap8(record.x + 1);
            if (!onGrid(record.x) || !onGrid(record.y) || !onGrid(record.z))
                ++outside;
            BlockRecord* placed = step.append(std::move(record));
            if (ctx.modelResolver)
                ctx.modelResolver->resolveBlockModel(*placed);
            pasted.push_back(placed);
        }
        if (!pasted.empty())
            selectOnly(ctx, pasted);
    }
    std::string status;
    if (leftOut > 0)
        status = blockCountText(leftOut) + " left out: this environment has no such kind.";
    if (outside > 0)
        status +=
            (status.empty() ? "" : " ") + blockCountText(outside) + " landed outside the grid.";
    if (!status.empty())
        showStatus(ctx, status);
    return static_cast<int>(pasted.size());
}

} // namespace

GridCell viewCentreCell(const EditorContext& ctx) {
    const Camera& camera = ctx.viewCamera;
    const int level = onGrid(ctx.cursorLevel) ? ctx.cursorLevel : 1;
    // The bottom face of the level, where the area cursor plane lies.
    const double height = level * kLevelHeight - kHalfLevel - kLevelOffset - kHalfLevel;
    Vec3 point = camera.position;
    if (std::abs(camera.direction.z) > 1e-9) {
        const double t = (height - camera.position.z) / camera.direction.z;
        if (t > 0)
            point = camera.position + camera.direction * t;
    }
    // Grid x runs along -X and grid y along +Y, one cell width each.
    return GridCell{static_cast<std::int8_t>(clampToGrid(std::floor(-point.x / kCellWidth))),
                    static_cast<std::int8_t>(clampToGrid(std::floor(point.y / kCellWidth))),
                    static_cast<std::int8_t>(level)};
}

BlockRecord* placeBlock(EditorContext& ctx, std::uint32_t catalogIndex) {
    if (!catalogEntry(ctx.catalog, catalogIndex))
        return nullptr;
    GridCell cell = viewCentreCell(ctx);
    if (const BlockRecord* beside = ctx.selection.first())
        cell = GridCell{wrap8(beside->x + 1), beside->y, beside->z};
    std::optional<BlockRecord> record =
        makeRecord(catalogIndex, 0, cell.x, cell.y, cell.z, {0, 0, 0, 0},
                   ctx.catalog.catalogs[ctx.catalog.currentEnvironment].entries.size());
    if (!record)
        return nullptr;
    EditStep step(ctx, "Place");
    BlockRecord* placed = step.append(std::move(*record));
    if (ctx.modelResolver)
        ctx.modelResolver->resolveBlockModel(*placed);
    selectOnly(ctx, {placed});
    return placed;
}

bool copySelection(EditorContext& ctx) {
    if (ctx.selection.members.empty())
        return false;
    ctx.clipboard = clipboardOfSelection(ctx);
    return true;
}

int pasteClipboard(EditorContext& ctx) {
    return pasteAsStep(ctx, ctx.clipboard, "Paste");
}

int duplicateSelection(EditorContext& ctx) {
    if (ctx.selection.members.empty())
        return 0;
    return pasteAsStep(ctx, clipboardOfSelection(ctx), "Duplicate");
}
