#pragma once

#include <optional>
#include <string>
#include <vector>

#include "grid_units.h"

struct Unit {
    int x = 0;
    int y = 0;
    int z = 0;

    bool operator==(const Unit&) const = default;
    auto operator<=>(const Unit&) const = default;
};

// One line of an environment's kind table: the catalogue index, the name as track files spell
// it, and the units at rotation 0 where the table knows them.
struct KindRow {
    int index = 0;
    std::string name;
    std::optional<std::vector<Unit>> units;
};

// The rows of a table's text (`index<TAB>name<TAB>units`, lines starting with '#' are comments);
// none when a line is malformed or the indexes do not run 1, 2, 3, ... in order.
std::optional<std::vector<KindRow>> parseKindTable(const std::string& text);

// The table of an environment (0 Alpine ... 6 Stadium) from the generator's own data files;
// empty when the file cannot be read or parsed.
const std::vector<KindRow>& kindTable(int environment);
