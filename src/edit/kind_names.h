#pragma once

#include <cstdint>
#include <string>
#include <unordered_map>

#include "catalog/catalog.h"
#include "track/track.h"

// The name a block goes by: its entry in the current environment's catalogue, or for a kind the
// catalogue lacks the name kept from the file (possibly empty).
const std::string& kindNameOf(const CatalogState& catalog, const BlockRecord& record);

// The current catalogue's kinds by name; the first of two kinds of one name wins.
std::unordered_map<std::string, std::uint32_t> kindIndexesByName(const CatalogState& catalog);
