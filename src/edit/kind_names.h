#pragma once

#include <cstdint>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

#include "catalog/catalog.h"
#include "track/track.h"

// The name a block goes by: its entry in the current environment's catalogue, or for a kind the
// catalogue lacks the name kept from the file (possibly empty).
const std::string& kindNameOf(const CatalogState& catalog, const BlockRecord& record);

// The current catalogue's kinds by name; the first of two kinds of one name wins.
std::unordered_map<std::string, std::uint32_t> kindIndexesByName(const CatalogState& catalog);

// Pairs of kind names as the current catalogue's indexes. Empty, with the message naming the
// first name the catalogue lacks in `problem`, when one is unknown.
std::vector<std::pair<std::uint32_t, std::uint32_t>>
kindPairsNamed(const CatalogState& catalog,
               const std::vector<std::pair<std::string, std::string>>& names,
               std::string& problem);
