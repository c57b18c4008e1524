#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "catalog/catalog.h"
#include "edit/area.h"
#include "edit/track_document.h"

// Operations on the whole selection as one piece: each is one step of the document. One that
// would put any block outside the grid (the Stadium's 32 x 32 x 32 cells) is refused whole:
// nothing changes.

// The number of cells along each side of the current environment's grid: the Stadium's 32. The
// other environments' maps are larger (the game's own tracks reach cell 43) and their size is not
// known here: there a block may go wherever its coordinates can say (128).
int gridSizeOf(const CatalogState& catalog);

// What an operation did, for the status line.
struct ReshapeResult {
    bool done = false;     // false: refused, or nothing to do
    int blocks = 0;        // blocks changed or added
    int leaving = 0;       // blocks that would have left the grid (refused)
    int unknownMirror = 0; // kinds whose mirror image is unknown, kept as they were
    std::string message;   // what the status line says; empty when there is nothing to say
};

enum class MirrorAxis { X, Y };

// A quarter turn (+1 counter-clockwise seen from above, as a block's rotation turns, or -1), or
// a half turn (2), about the centre of the selection's cells; other counts turn as their
// remainder by four. Each block turns as a whole: its cells after the turn are exactly its cells
// turned. Four quarter turns give back the original; a half turn keeps the box of the cells.
ReshapeResult turnSelection(TrackDocument& document, const CatalogState& catalog, int sense);

// Mirrors the selection's cells across x (x changes sides) or across y, about the centre of its
// cells. A kind with a mirror partner becomes its partner, a kind that is its own mirror image
// takes the turn and place that give the mirrored cells; a kind whose mirror image is unknown
// keeps its kind and turn and takes the place of its mirrored cells. Twice gives back the
// original.
ReshapeResult mirrorSelection(TrackDocument& document, const CatalogState& catalog,
                              MirrorAxis axis);

// Moves the selection by an offset; repeats of one gesture on the same selection make one step.
ReshapeResult shiftSelection(TrackDocument& document, const CatalogState& catalog, int dx, int dy,
                             int dz, const std::string& gesture = {});
// Moves the selection so that the lowest corner of its cells is the given cell.
ReshapeResult shiftSelectionTo(TrackDocument& document, const CatalogState& catalog,
                               GridCell corner);

// Adds `count` copies of the selection, copy i moved i times by the offset; the copies become
// the selection. A count below 1, a zero offset or a track past kMaxTrackBlocks is refused.
inline constexpr std::size_t kMaxTrackBlocks = std::size_t{1} << 20;
ReshapeResult stackSelection(TrackDocument& document, const CatalogState& catalog, int count,
                             int dx, int dy, int dz);

// The size of the selection's cells along each axis (x, y, z); zero without a selection.
GridCell selectionExtent(const TrackDocument& document, const CatalogState& catalog);

// Which blocks a replace looks at.
enum class ReplaceScope { Selection, Area, Track };
// Gives every block of the scope whose kind is the first of a pair the second, keeping place,
// turn, variant bytes and skin. Pairs naming an index the catalogue lacks are refused.
ReshapeResult replaceKinds(TrackDocument& document, const CatalogState& catalog,
                           const std::vector<std::pair<std::uint32_t, std::uint32_t>>& pairs,
                           ReplaceScope scope, const Area& area);

// The selection becomes every block whose kind is one of the selected blocks' kinds, in track
// order; every block for selectAll.
void selectAllOfSelectedKinds(TrackDocument& document);
void selectAll(TrackDocument& document);
