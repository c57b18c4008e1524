#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "catalog/catalog.h"

// One kind's line of an environment's kinds file, as far as the editor uses it.
struct KindsFileRow {
    std::string name;
    std::string group;
    std::uint32_t mirrorPartner = 0; // as CatalogEntry::mirrorPartner
    std::uint8_t mirrorTurn = 0;
    std::string family;
    KindRole role = KindRole::None;
    bool footprintExact = false;
    std::vector<RoadEndUnit> roadEnds;
    bool sharesCells = false;
};

// An environment's kinds file (see catalog/kinds_file_format.h).
struct KindsFile {
    std::vector<std::string> groups; // the picker's groups in the order it shows them
    std::vector<KindsFileRow> kinds; // by catalogue index - 1
};

// None unless the text is a whole kinds file of the version this reader knows: the first line,
// the groups (none empty or repeated), the columns (index, name and group among them, none
// repeated), then lines with as many fields as there are columns, indexes 1, 2, 3, ... in order,
// names not empty and groups among the groups. Lines may end in CR LF. The mirror columns may be
// missing, leaving every mirror image unknown, but not one without the other; where they are,
// each kind's mirror image is "=", "?" or the name of a kind of the file, its turn 0 to 3 (0 when
// unknown), and partners name each other with the same turn. The role, footprint and road end
// columns may each be missing (no role, a guessed footprint, no ends), and the family and
// sharing columns too (no family, sharing no cells); where they are, each field is one of their
// words or a list of ends with coordinates -128..127 and headings 0..3.
std::optional<KindsFile> parseKindsFile(std::string_view text);

// Files the catalogue's kinds into the file's groups and gives them their mirror images. Without
// a file, or with one that does not name the catalogue's kinds in its order, every kind is in the
// group of kinds that fit no family, the catalogue's only group, and no mirror image, role or
// road end or family is known.
void applyKindsFile(BlockCatalog& catalog, const std::optional<KindsFile>& file);
