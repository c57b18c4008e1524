#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>

#include "catalog/catalog.h"

// Reads a block information file into the entry's units and derives its sizes. False (entry
// unchanged) when the file cannot be opened, holds no unit, or is shorter than its count says.
bool readBlockInfo(const std::filesystem::path& path, CatalogEntry& entry);

// The same on bytes already in memory.
bool parseBlockInfo(const std::uint8_t* data, std::size_t size, CatalogEntry& entry);

// Half extents along x and y and the largest unit height, every unit included.
void deriveBlockSizes(CatalogEntry& entry);

// One unit at (0, 0, 0) and all sizes 0: what a kind without a usable file gets.
void setDefaultBlockInfo(CatalogEntry& entry);
