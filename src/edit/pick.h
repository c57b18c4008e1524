#pragma once

#include "seams/view_port.h"
#include "track/track.h"

struct EditorContext;

// What a pixel of a picking frame means before the table of block colours is asked.
struct HandleAction {
    enum Kind { None, Move, Rotate };
    Kind kind = None;
    int dx = 0;
    int dy = 0;
    int dz = 0;
    int sense = 0; // for Rotate
};

// The move handles are 255 on the plus side of their axis and 254 on the minus side; the rotate
// handle turns the other way round: (254, 0, 254) is +1, (255, 0, 255) is -1.
HandleAction classifyHandleColour(Rgb colour);

// The click decision at a view pixel: a gizmo handle edits the selection, a block changes the
// selection (F adds or removes it), the background empties it unless F is held. Draws the
// visible frame afterwards. Returns the block hit, or none.
BlockRecord* pickAt(EditorContext& ctx, float x, float y);
