#pragma once

#include <cstdint>
#include <unordered_map>

#include "seams/view_port.h"
#include "track/track.h"

// Colours some blocks of the view are drawn in, multiplying their textures, beside the
// selection's tint (which wins). Whoever owns it counts its changes in `serial`, so that a kept
// frame drawn with other tints is not put back.
struct BlockTints {
    std::unordered_map<const BlockRecord*, Rgb> colours;
    std::uint64_t serial = 0;
};
