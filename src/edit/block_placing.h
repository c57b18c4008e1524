#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "catalog/catalog.h"
#include "edit/area.h"
#include "edit/track_document.h"

// Copied blocks, kept across tracks: each with the name of its kind, so that a paste into another
// environment finds the same kind there or leaves the block out.
struct BlockClipboard {
    struct Entry {
        BlockRecord record;
        std::string kindName;
    };
    std::vector<Entry> entries;
    std::string trackUid; // skins refer to nodes of this track only
};

// What a paste did: the blocks added, and a line for the status bar when some were left out or
// landed outside the grid (empty otherwise).
struct PasteResult {
    int added = 0;
    std::string message;
};

// Adds one block of the kind beside the first selected block (one cell along +x), or else at
// `fallback`, with rotation 0 and variant bytes 0, and makes it the only selected block. None
// for a kind the catalogue lacks.
const BlockRecord* placeBlock(TrackDocument& document, const CatalogState& catalog,
                              std::uint32_t catalogIndex, GridCell fallback);

// Skin and waypoint nodes belong to the track they came from: a block that leaves it drops its
// references to them.
void dropNodeReferences(BlockRecord& record);

// The selected blocks, in track order; nothing when nothing is selected.
BlockClipboard copySelection(const TrackDocument& document, const CatalogState& catalog);
// Adds the copied blocks one cell along +x from where they were copied, as one step, and selects
// them together. Kinds the current catalogue lacks are left out, and blocks that land outside the
// grid are counted.
PasteResult pasteClipboard(TrackDocument& document, const CatalogState& catalog,
                           const BlockClipboard& clipboard);
// Copies and pastes the selection in one step, leaving the clipboard as it was.
PasteResult duplicateSelection(TrackDocument& document, const CatalogState& catalog);
