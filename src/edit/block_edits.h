#pragma once

#include <optional>

#include "track/track.h"

struct EditorContext;

// Appends the record at the end of the current track and refills the block list. Returns the
// stored record, or none for none.
BlockRecord* appendBlock(EditorContext& ctx, std::optional<BlockRecord> record);
// Unlinks the record's node from the track and refills the block list; the unlinked record is
// handed back to the caller. A record that is not in the track only loses its selected bit.
// The selection list is not touched.
std::optional<BlockRecord> removeBlock(EditorContext& ctx, BlockRecord* record);

// Grid coordinates wrap round in 8 bits: 127 + 1 gives -128.
void moveSelection(EditorContext& ctx, int dx, int dy, int dz);
// Rotations stay in 0..3.
void rotateSelection(EditorContext& ctx, int steps);
// Turns the selection as one group by a quarter turn (+1 or -1) about the vertical axis through
// the centre of its bounding box; the box starts from the seeds 32 (minimum) and 0 (maximum).
void rotateSelectionGroup(EditorContext& ctx, int sense);

void hideSelection(EditorContext& ctx);
void unhideAll(EditorContext& ctx);
// Removes every selected block from the track and empties the selection.
void deleteSelection(EditorContext& ctx);
