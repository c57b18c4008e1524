#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "catalog/catalog.h"

// A family of kinds for the block picker, found from the kinds' names.
struct BlockFamily {
    std::string name;                 // "Roads", "Platforms", ...
    std::vector<std::uint32_t> kinds; // catalogue indexes, ascending
};

// The family a kind's name belongs to: the first whose keyword the name holds, else "Other".
std::string familyOfName(std::string_view name);

// The catalogue's kinds by family, in the families' fixed order; families without kinds are
// left out. Works for any catalogue size.
std::vector<BlockFamily> blockFamilies(const BlockCatalog& catalog);

// The kinds whose names hold the text, without regard to case, ascending.
std::vector<std::uint32_t> kindsMatching(const BlockCatalog& catalog, std::string_view text);
