#pragma once

#include "track/track.h"

struct EditorContext;

// Adds the record to the selection, or with toggle removes it when it is already there. Records
// that are not blocks of the current track are ignored; without toggle a selected record stays
// selected once.
void selectBlock(EditorContext& ctx, BlockRecord* record, bool toggle);
// Takes the record out of the selection and unmarks its line.
void deselectBlock(EditorContext& ctx, BlockRecord* record);
// Empties the selection, unmarks every line and blanks the properties panel.
void clearSelection(EditorContext& ctx);
// Every block of the track changes sides: selected ones drop out, the others are appended in
// track order.
void invertSelection(EditorContext& ctx);

// Refills the block list and marks the lines of the selected blocks again.
void refreshBlockList(EditorContext& ctx);

// Called before the current track's records are released (open, reload, clear): the selection,
// the list marks, the panel and the picking table let go of them.
void prepareTrackReplace(EditorContext& ctx);
// Called once the new blocks are in the list: refills the block list and the area counts.
void finishTrackReplace(EditorContext& ctx);
