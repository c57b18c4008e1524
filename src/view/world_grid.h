#pragma once

// World space of the view: right-handed with Z up, grid x along -X, grid y along +Y, levels along
// +Z. The measures are single-precision values, as the models were built with them.
inline constexpr float kCellWidth = 41.7f;
inline constexpr float kHalfCell = 20.85f;
inline constexpr float kLevelHeight = 10.1f;
inline constexpr float kHalfLevel = 5.05f;
// Every level sits this much lower than a plain multiple of the level height.
inline constexpr float kLevelOffset = 1.257f;
// 32 cell widths: the side of the track grid.
inline constexpr float kGridExtent = 1334.4f;
