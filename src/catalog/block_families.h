#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "catalog/catalog.h"

// A group of kinds for the block picker, as the environment's kinds file files them.
struct BlockFamily {
    std::string name;                 // "Roads", "Platforms", ...
    std::vector<std::uint32_t> kinds; // catalogue indexes, ascending
};

// The catalogue's kinds by group, in the catalogue's order of groups; a kind whose group the
// catalogue does not list goes with the kinds that fit no family, shown last. Groups without
// kinds are left out. Works for any catalogue size.
std::vector<BlockFamily> blockFamilies(const BlockCatalog& catalog);

// The kinds whose names hold the text, without regard to case, ascending.
std::vector<std::uint32_t> kindsMatching(const BlockCatalog& catalog, std::string_view text);
