#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

#include "catalog/catalog.h"
#include "catalog/environment.h"
#include "catalog/ground_level.h"
#include "edit/track_document.h"
#include "seams/view_port.h"

// The environment's ground wherever no terrain block stands: the columns of the grid (and of
// any larger map the track's blocks reach) that hold no block of the Terrain or Water groups at
// the ground's level or below it.
// It lies on the bottom of the environment's ground level (catalog/ground_level.h). It is not a
// block: the track knows nothing of it.
class Ground {
  public:
    // The environment's ground colour: that of its ground in the data pack.
    void setColour(int environment, Rgb colour);
    // Draws it under the camera transform, unless the levels shown end below it. The columns are
    // worked out again only when the blocks (their table's serial) or the environment changed.
    void draw(const TrackDocument& document, const CatalogState& catalog, std::uint64_t serial,
              std::optional<int> levelLimit);

  private:
    void findColumns(const TrackDocument& document, const CatalogState& catalog);

    std::array<std::optional<Rgb>, kEnvironmentCount> colours_;
    std::optional<std::uint64_t> serial_;
    int environment_ = -1;
    int sizeX_ = 0;
    int sizeY_ = 0;
    std::vector<bool> open_; // sizeX_ * sizeY_, x fastest
};
