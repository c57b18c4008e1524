#pragma once

// World sizes of the track grid: a cell is kCellSize square, a level kLevelHeight high, and the
// bottom of level 1 (the ground of a track) lies kGroundZ below Z = 0.
inline constexpr double kCellSize = 41.7;
inline constexpr double kLevelHeight = 10.1;
inline constexpr double kLevelOffset = 1.257;

// Heights inside a block, in levels from the bottom of its level.
inline constexpr double kSlabThickness = 0.15; // road and ground tiles
inline constexpr double kRoadLift = 0.02;      // road surface above its tile
inline constexpr double kRoadMargin = 0.12;    // cells of tile left beside the road
