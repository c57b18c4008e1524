#pragma once

#include <optional>

#include "track/track.h"

struct EditorContext;
class EditStep;

// Every function here changes the track as one undoable step (edit/edit_step.h), after which the
// block list, the panel and the area counts follow.

// Appends the record at the end of the current track. Returns the stored record, or none for none.
BlockRecord* appendBlock(EditorContext& ctx, std::optional<BlockRecord> record);
// Takes the record's node out of the track and hands back a copy of the record; the node stays
// with the undo history. A record that is not in the track only loses its selected bit.
std::optional<BlockRecord> removeBlock(EditorContext& ctx, BlockRecord* record);

// Grid coordinates wrap round in 8 bits: 127 + 1 gives -128.
void moveSelection(EditorContext& ctx, int dx, int dy, int dz);
// Rotations stay in 0..3.
void rotateSelection(EditorContext& ctx, int steps);
// Turns the selection as one group by a quarter turn (+1 or -1) about the vertical axis through
// the centre of its bounding box; the box starts from the seeds 32 (minimum) and 0 (maximum).
void rotateSelectionGroup(EditorContext& ctx, int sense);

// Sets one of the block's four variant bytes (0..3) and gives it the model of its new variant.
void setVariantByte(EditorContext& ctx, BlockRecord& record, int byte, std::uint8_t value);

void hideSelection(EditorContext& ctx);
void unhideAll(EditorContext& ctx);
// Removes every selected block from the track and empties the selection.
void deleteSelection(EditorContext& ctx);
// Takes every selected block out of the track as part of the step.
void removeSelected(EditorContext& ctx, EditStep& step);
