#pragma once

#include <array>
#include <cstdint>
#include <list>
#include <memory>
#include <optional>
#include <string>
#include <vector>

inline constexpr std::uint32_t BLOCK_SELECTED = 1;
inline constexpr std::uint32_t BLOCK_HIDDEN = 2;

// Flag-word bits that make more data follow a block in the file.
inline constexpr std::uint32_t kFlagSkin = 0x8000;          // author name and skin node
inline constexpr std::uint32_t kFlagWaypoint = 0x100000;    // one more node reference
inline constexpr std::uint32_t kFlagUncounted = 0xFFFFFFFF; // a block the count leaves out

inline constexpr std::uint32_t kNoNode = 0xFFFFFFFF;

// A node reference that follows a block: none, or a node number. `data` holds the node's bytes
// up to and including its closing 0xFACADE01; every block that refers to the node shares it, so
// that the node survives the deletion of the block that first gave it.
struct NodeRef {
    std::uint32_t number = kNoNode;
    std::shared_ptr<const std::vector<std::uint8_t>> data;
};

// What follows a block whose flag word has kFlagSkin (author and skin) or kFlagWaypoint.
struct BlockSkin {
    std::string author;             // the author's name when its text is known
    std::uint32_t authorNumber = 0; // otherwise a name number that the head defines; 0: empty
    NodeRef skin;
    NodeRef waypoint;
};

struct BlockRecord {
    std::uint32_t catalogIndex = 0; // 1-based; 0 when the file's name is not in the catalogue
    std::uint32_t flags = 0;
    std::int8_t x = 0;
    std::int8_t y = 0;
    std::int8_t z = 0; // height
    std::uint8_t rotation = 0;
    std::array<std::uint8_t, 4> variant{};
    // The block's name as the file spelled it, kept when the catalogue lacks it so that a save
    // writes the block back under its own name.
    std::string keptName;
    BlockSkin skin;

    std::uint32_t flagWord() const {
        return variant[0] | variant[1] << 8 | variant[2] << 16 |
               static_cast<std::uint32_t>(variant[3]) << 24;
    }
};

// The open track. The list owns its records; their addresses stay valid until they are erased.
struct Track {
    std::string uid;
    std::int32_t environment = 0;
    std::list<BlockRecord> blocks;
};

// The blocks that the file's block count counts: every block but those whose flag word is
// kFlagUncounted. Derived, never kept, so that no edit can make it disagree with the list.
std::uint32_t countedBlocks(const Track& track);

// The converted file's bytes before the block count and from the block list's end marker on.
// It also keeps the names that the head defines: number i + 1 is headNames[i], empty when the
// text is not known. Names of the block list are numbered from headNames.size() + 1.
struct TrackEnvelope {
    std::vector<std::uint8_t> headBytes;
    std::vector<std::uint8_t> tailBytes;
    std::vector<std::string> headNames = std::vector<std::string>(5);
};

// Releases every block; uid, environment and the envelope keep their values.
void clearTrack(Track* track);

// A new editor-made record, or none when the index is outside 1..kindCount (the size of the
// catalogue that the record's kind comes from).
std::optional<BlockRecord> makeRecord(std::uint32_t catalogIndex, std::uint8_t rotation,
                                      std::int8_t x, std::int8_t y, std::int8_t z,
                                      const std::array<std::uint8_t, 4>& variant,
                                      std::size_t kindCount);
