#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "edit/track_document.h"

// Every function here changes the document's track as one undoable step. A gesture names the
// control that repeats the edit (a handle, a spinner's arrow, a key): its repeats on the same
// selection without a pause make one step.

// Appends the record at the end of the track. Returns the stored record, or none for none.
const BlockRecord* appendBlock(TrackDocument& document, std::optional<BlockRecord> record);
// Takes the record's node out of the track and hands back a copy of the record; the node stays
// with the undo history. None for a record that is not in the track.
std::optional<BlockRecord> removeBlock(TrackDocument& document, const BlockRecord* record);

// Grid coordinates wrap round in 8 bits: 127 + 1 gives -128.
void moveSelection(TrackDocument& document, int dx, int dy, int dz,
                   const std::string& gesture = {});
// Rotations stay in 0..3.
void rotateSelection(TrackDocument& document, int steps, const std::string& gesture = {});
// Turns the selection as one group by a quarter turn (+1 or -1) about the vertical axis through
// the centre of its bounding box; the box starts from the seeds 32 (minimum) and 0 (maximum).
void rotateSelectionGroup(TrackDocument& document, int sense, const std::string& gesture = {});

// Sets one of the block's four variant bytes (0..3).
void setVariantByte(TrackDocument& document, const BlockRecord& record, int byte,
                    std::uint8_t value, const std::string& gesture = {});

void hideSelection(TrackDocument& document);
void unhideAll(TrackDocument& document);
// Removes every selected block from the track; the selection ends empty.
void deleteSelection(TrackDocument& document);
