#pragma once

#include <optional>
#include <set>
#include <tuple>
#include <vector>

#include "block_kinds.h"
#include "gbx_writer.h"

inline constexpr int kGridCells = 32;

// The cell offset of a unit at a rotation, for a kind whose units span spanX by spanY cells
// beyond the first, by the editor's own footprint rule.
Unit rotatedUnit(const Unit& unit, int spanX, int spanY, int rotation);

// The grid cells that a placed block covers.
std::vector<Unit> blockCells(const BlockKind& kind, const SampleBlock& block);

// Placed blocks and the cells they cover, refusing overlaps and cells outside the grid or below
// the ground level.
class Layout {
  public:
    Layout(const std::vector<BlockKind>& kinds, int ground) : kinds_(kinds), ground_(ground) {}
    int ground() const { return ground_; }
    bool fits(const SampleBlock& block) const;
    bool place(const SampleBlock& block);
    const std::vector<SampleBlock>& blocks() const { return blocks_; }
    const BlockKind& kind(int index) const { return kinds_[static_cast<std::size_t>(index - 1)]; }

  private:
    const std::vector<BlockKind>& kinds_;
    int ground_;
    std::vector<SampleBlock> blocks_;
    std::set<std::tuple<int, int, int>> taken_;
};

// One circuit per environment made of the game's own kinds (a start, roads with right turns, a
// slope up and one down, checkpoints, a finish, pillars under the raised road, ground and
// scenery around it) and a large Stadium track of more than 10,000 blocks. None when a circuit's
// road runs into itself or does not lead back to its start.
std::optional<std::vector<SampleTrack>> sampleTracks();
