#pragma once

#include "edit/track_document.h"
#include "seams/view_port.h"

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

// The click decision at a view pixel: a gizmo handle edits the selection (clicks on one handle
// in a row make one step), a block changes the selection (with `adding`, as F does, it is added
// or removed), the background empties it unless adding. Returns the block hit, or none.
const BlockRecord* pickAt(TrackDocument& document, ViewPort& port, float x, float y, bool adding);
