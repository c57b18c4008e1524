#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "catalog/environment.h"
#include "catalog/kind_role.h"

class Prompts;

struct BlockUnit {
    std::int8_t x = 0;
    std::int8_t y = 0;
    std::int8_t z = 0; // height
};

// An open end of a road piece at rotation 0: the unit it leaves from and its heading (0 +y, 1 -x,
// 2 -y, 3 +x; see catalog/footprint_rotation.h).
struct RoadEndUnit {
    std::int8_t x = 0;
    std::int8_t y = 0;
    std::int8_t z = 0;
    std::uint8_t heading = 0;

    bool operator==(const RoadEndUnit&) const = default;
};

struct CatalogEntry {
    std::string name; // at most 63 characters
    std::vector<BlockUnit> units;
    float halfSizeX = 0;
    float halfSizeY = 0;
    float maxHeight = 0;
    std::string group; // the block picker's group, one of the catalogue's groups
    // The kind's mirror image X-flipped (x reflected, y and z kept): a block of this kind at
    // rotation r becomes one of the partner (1-based catalogue index; the entry's own index for a
    // kind that is its own mirror image, 0 when unknown) at rotation (mirrorTurn - r) mod 4, or
    // (mirrorTurn + 2 - r) mod 4 when Y-flipped, covering exactly the flipped cells.
    std::uint32_t mirrorPartner = 0;
    std::uint8_t mirrorTurn = 0;
    std::string family; // the kinds file's word for what the name says the kind is
    KindRole role = KindRole::None;
    bool footprintExact = false; // the units are measured, not guessed from the name
    std::vector<RoadEndUnit> roadEnds;
    bool sharesCells = false; // ground, water, pillars and clips share cells with other blocks

    std::uint16_t unitCount() const { return static_cast<std::uint16_t>(units.size()); }
};

// One environment's kinds; entry i (1-based) is the kind with catalogIndex i.
struct BlockCatalog {
    std::vector<CatalogEntry> entries;
    std::vector<std::string> groups; // the block picker's groups in the order it shows them

    int count() const { return static_cast<int>(entries.size()); }
};

// The environment table and the catalogues loaded so far.
struct CatalogState {
    EnvironmentNames environmentNames;
    std::array<BlockCatalog, kEnvironmentCount> catalogs;
    int currentEnvironment = 0;
};

// Loads an environment's catalogue from baseFolder/data/<name>/blocks.dat, its block
// information files and its kinds file (kinds.dat). A missing names file is reported through the
// prompts and returns false, keeping the previous catalogue.
bool loadCatalog(CatalogState& state, int environment, const std::filesystem::path& baseFolder,
                 Prompts& prompts);

// Parses the text of a names file: one name per line (LF or CRLF), each cut at 63 characters.
std::vector<std::string> parseBlockNames(const std::string& text);

// Entry catalogIndex of the current environment's catalogue; none for 0 or past the count.
const CatalogEntry* catalogEntry(const CatalogState& state, std::uint32_t catalogIndex);
