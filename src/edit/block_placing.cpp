#include "edit/block_placing.h"

#include <unordered_map>

#include "edit/edit_step.h"
#include "edit/kind_names.h"

void dropNodeReferences(BlockRecord& record) {
    record.skin = BlockSkin{};
    if (record.flagWord() != kFlagUncounted) {
        record.variant[1] &= static_cast<std::uint8_t>(~(kFlagSkin >> 8));
        record.variant[2] &= static_cast<std::uint8_t>(~(kFlagWaypoint >> 16));
    }
}

BlockClipboard copySelection(const TrackDocument& document, const CatalogState& catalog) {
    BlockClipboard clipboard;
    if (document.selection().empty())
        return clipboard;
    clipboard.trackUid = document.track().uid;
    // Track order, so that a paste keeps the blocks' order among themselves.
    for (const BlockRecord& record : document.blocks()) {
        if (!Selection::contains(record))
            continue;
        BlockRecord copy = record;
        copy.flags = 0;
        clipboard.entries.push_back({std::move(copy), kindNameOf(catalog, record)});
    }
    return clipboard;
}

namespace {

// Takes the clipboard by value: a duplicate hands over its records, a paste keeps its own.
PasteResult pasteAsStep(TrackDocument& document, const CatalogState& catalog,
                        BlockClipboard clipboard, const char* verb) {
    PasteResult result;
    if (clipboard.entries.empty())
        return result;
    const bool sameTrack = clipboard.trackUid == document.track().uid;
    const std::unordered_map<std::string, std::uint32_t> indexes = kindIndexesByName(catalog);
    int leftOut = 0;
    int outside = 0;
    std::vector<const BlockRecord*> pasted;
    {
        EditStep step(document, verb);
        for (BlockClipboard::Entry& entry : clipboard.entries) {
            BlockRecord record = std::move(entry.record);
            if (auto found = indexes.find(entry.kindName); found != indexes.end()) {
                record.catalogIndex = found->second;
                record.keptName.clear();
            } else if (!(sameTrack && !record.keptName.empty())) {
                ++leftOut;
                continue;
            }
            if (!sameTrack)
                dropNodeReferences(record);
            record.x = wrap8(record.x + 1);
            if (!onGrid(record.x) || !onGrid(record.y) || !onGrid(record.z))
                ++outside;
            pasted.push_back(step.append(std::move(record)));
        }
        if (!pasted.empty())
            step.selectAppended();
    }
    std::string status;
    if (leftOut > 0)
        status = blockCountText(leftOut) + " left out: this environment has no such kind.";
    if (outside > 0)
        status +=
            (status.empty() ? "" : " ") + blockCountText(outside) + " landed outside the grid.";
    result.added = static_cast<int>(pasted.size());
    result.message = std::move(status);
    return result;
}

} // namespace

const BlockRecord* placeBlock(TrackDocument& document, const CatalogState& catalog,
                              std::uint32_t catalogIndex, GridCell fallback) {
    if (!catalogEntry(catalog, catalogIndex))
        return nullptr;
    GridCell cell = fallback;
    if (const BlockRecord* beside = document.selection().first())
        cell = GridCell{wrap8(beside->x + 1), beside->y, beside->z};
    std::optional<BlockRecord> record =
        makeRecord(catalogIndex, 0, cell.x, cell.y, cell.z, {0, 0, 0, 0},
                   catalog.catalogs[catalog.currentEnvironment].entries.size());
    if (!record)
        return nullptr;
    EditStep step(document, "Place");
    const BlockRecord* placed = step.append(std::move(*record));
    step.selectAppended();
    return placed;
}

PasteResult pasteClipboard(TrackDocument& document, const CatalogState& catalog,
                           const BlockClipboard& clipboard) {
    return pasteAsStep(document, catalog, clipboard, "Paste");
}

PasteResult duplicateSelection(TrackDocument& document, const CatalogState& catalog) {
    return pasteAsStep(document, catalog, copySelection(document, catalog), "Duplicate");
}
