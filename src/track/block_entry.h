#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "track/track.h"

// The body's name table: name number i + 1 is texts[i]. The first `headCount` numbers are the
// ones the head defines; their text is empty where the reader does not know it.
struct NameTable {
    std::vector<std::string> texts;
    std::size_t headCount = 0;
    // The body writes the table's version once, before its first name.
    bool versionRead = true;
};

// Node data by node number, for nodes that blocks refer to again; null for nodes of the head.
using NodeTable =
    std::unordered_map<std::uint32_t, std::shared_ptr<const std::vector<std::uint8_t>>>;

struct ParsedName {
    bool empty = false;       // 0xFFFFFFFF
    bool predefined = false;  // a number from the game's fixed table, without text
    std::uint32_t number = 0; // its number in the name table, 0 when it has none
    std::string text;
};

inline constexpr std::uint32_t kNameFlags = 0xC0000000;
inline constexpr std::uint32_t kNameSpelledOut = 0x40000000;
inline constexpr std::uint32_t kEmptyName = 0xFFFFFFFF;

// Reads one name at `at`: a new name takes the next number. False when it runs past the end or
// refers to a number the table does not hold.
bool readName(const std::vector<std::uint8_t>& bytes, std::size_t& at, NameTable& names,
              ParsedName& name);

// Reads a node reference: none, a node given earlier, or a new node whose data runs up to and
// including the next 0xFACADE01.
bool readNodeRef(const std::vector<std::uint8_t>& bytes, std::size_t& at, NodeTable& nodes,
                 NodeRef& ref);

// Reads the eight bytes of a block (rotation, x, height, y, flag word) and then its skin and
// waypoint references as its flag word asks. `counted` tells whether the block takes part in the
// block count.
bool readBlockBody(const std::vector<std::uint8_t>& bytes, std::size_t& at, NameTable& names,
                   NodeTable& nodes, BlockRecord& record, bool& counted);
