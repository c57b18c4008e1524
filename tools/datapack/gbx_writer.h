#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "block_kinds.h"

inline constexpr std::uint32_t kChallengeClass = 0x03043000;

struct SampleBlock {
    int kind = 0; // catalogue index
    std::uint8_t rotation = 0;
    int x = 0;
    int y = 0;
    int z = 0;
    std::array<std::uint8_t, 4> variant{};
};

struct SampleTrack {
    std::string fileName; // under samples/
    int environment = 0;
    std::string uid; // 27 characters, no quote
    std::string name;
    std::string author;
    std::vector<SampleBlock> blocks;
};

// The track in the game's container with an uncompressed body (byte 7 is 'U'): header with the
// XML description, then the body's chunks the way the game writes a track of its newer
// generation, with the block list named from `kinds`.
std::vector<std::uint8_t> encodeTrack(const SampleTrack& track,
                                      const std::vector<BlockKind>& kinds);
