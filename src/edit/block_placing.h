#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "edit/area.h"
#include "track/track.h"

struct EditorContext;

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

// The cell at the centre of the view at the cursor level; on the grid, the nearest cell of it
// when the view looks past it or away from that level.
GridCell viewCentreCell(const EditorContext& ctx);

// Adds one block of the kind beside the first selected block (one cell along +x), or else at the
// view's centre cell, with rotation 0 and variant bytes 0, and makes it the only selected block.
// None for a kind the catalogue lacks.
BlockRecord* placeBlock(EditorContext& ctx, std::uint32_t catalogIndex);

// Keeps the selected blocks, in track order. False when nothing is selected.
bool copySelection(EditorContext& ctx);
// Adds the copied blocks one cell along +x from where they were copied, as one step, and selects
// them together. Kinds the current catalogue lacks are left out, and blocks that land outside the
// grid are counted; both are said in the status line. Returns the number of blocks added.
int pasteClipboard(EditorContext& ctx);
// Copies and pastes the selection in one step, leaving the clipboard as it was.
int duplicateSelection(EditorContext& ctx);
