#pragma once

#include <array>
#include <cstdint>
#include <list>
#include <optional>
#include <string>
#include <vector>

inline constexpr std::uint32_t BLOCK_SELECTED = 1;
inline constexpr std::uint32_t BLOCK_HIDDEN = 2;
inline constexpr std::uint32_t BLOCK_IN_VIEW = 4;

// Catalogue indexes that the editor can make blocks of.
inline constexpr std::uint32_t kFirstCatalogIndex = 1;
inline constexpr std::uint32_t kLastCatalogIndex = 308;

struct BlockRecord {
    std::uint32_t catalogIndex = 0; // 1-based; 0 when the file's name is not in the catalogue
    std::int32_t modelList = 0;     // display list offset from the model list base
    std::uint32_t flags = 0;
    std::int8_t x = 0;
    std::int8_t y = 0;
    std::int8_t z = 0; // height
    std::uint8_t rotation = 0;
    std::array<std::uint8_t, 4> variant{};
    // The block's name as the file spelled it, kept when the catalogue lacks it so that a save
    // writes the block back under its own name.
    std::string keptName;
};

// The open track. The list owns its records; their addresses stay valid until they are erased.
struct Track {
    std::string uid;
    std::int32_t environment = 0;
    std::uint32_t blockCount = 0;
    std::list<BlockRecord> blocks;
};

// The converted file's bytes before the block count and from the block list's end marker on.
struct TrackEnvelope {
    std::vector<std::uint8_t> headBytes;
    std::vector<std::uint8_t> tailBytes;
};

// Releases every block; uid, environment and the envelope keep their values.
void clearTrack(Track* track);

// A new editor-made record, or none when the index is outside 1..308.
std::optional<BlockRecord> makeRecord(std::uint32_t catalogIndex, std::uint8_t rotation,
                                      std::int8_t x, std::int8_t y, std::int8_t z,
                                      const std::array<std::uint8_t, 4>& variant);
