#pragma once

#include <cstdint>
#include <string>
#include <unordered_set>
#include <vector>

#include "catalog/catalog.h"
#include "edit/area.h"
#include "edit/block_placing.h"
#include "edit/reshape.h"
#include "edit/track_document.h"

// A group of blocks carried under the pointer until a click puts it down: a kind chosen in the
// picker, the clipboard, the selection or a piece. Its blocks stand relative to the group's
// handle, the cell that goes to the target: the middle of the bottom of the box of their cells.
class PlacingGroup {
  public:
    // Takes the blocks whose kinds the current catalogue has (found by name); `leftOut` counts
    // the others. Blocks from another track drop their references to its nodes.
    PlacingGroup(const CatalogState& catalog, const BlockClipboard& group,
                 const std::string& trackUid);

    bool empty() const { return blocks_.empty(); }
    int leftOut() const { return leftOut_; }
    // Relative to the handle.
    const std::vector<BlockRecord>& blocks() const { return blocks_; }

    // Turns and mirrors as the selection does (edit/reshape.h), about the box's middle.
    void turn(const CatalogState& catalog, int sense);
    void mirror(const CatalogState& catalog, MirrorAxis axis);

    // The blocks with the handle at the cell; coordinates past the 8 bits wrap, as a paste's do,
    // so that such a group is found leaving the grid.
    std::vector<BlockRecord> at(GridCell target) const;

  private:
    // Moves the blocks so that the handle is at the origin.
    void centre(const CatalogState& catalog);
    template <typename Reshape> void reshape(const CatalogState& catalog, Reshape apply);

    std::vector<BlockRecord> blocks_;
    int leftOut_ = 0;
};

// Every cell some block of the document covers, looked up in constant time; built once per
// change of the track.
class OccupiedCells {
  public:
    void rebuild(const TrackDocument& document, const CatalogState& catalog);
    bool contains(int x, int y, int z) const;

  private:
    std::unordered_set<std::uint32_t> cells_;
};

// The cells blocks would cover where they are put down, and what that means.
struct PlacingCells {
    struct Cell {
        int x = 0;
        int y = 0;
        int z = 0;
        bool shared = false;  // another block covers it already
        bool outside = false; // past the grid
    };
    std::vector<Cell> cells;
    int shared = 0;
    int outside = 0;
};
PlacingCells placingCells(const CatalogState& catalog, const OccupiedCells& occupied,
                          const std::vector<BlockRecord>& blocks);

// Adds the blocks as one step named after the verb ("Place") and makes them the selection.
// Refused (nothing added, false) when a cell lies past the grid.
bool putDown(TrackDocument& document, const CatalogState& catalog,
             const std::vector<BlockRecord>& blocks, const std::string& verb);

// What the status line says of a group at a place: blocks shared with others, or why it cannot
// go there; empty when there is nothing to say.
std::string placingMessage(const PlacingCells& cells);
