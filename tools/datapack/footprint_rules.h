#pragma once

#include <optional>
#include <string>
#include <vector>

#include "kind_table.h"

// A rule that gives the units of a block kind from its name, for kinds whose table does not
// know them. Rules are tried in order; the first that speaks decides.
struct FootprintRule {
    const char* name;
    std::optional<std::vector<Unit>> (*units)(const std::string& blockName);
};

const std::vector<FootprintRule>& footprintRules();

// The units the rules give a name; one unit at (0, 0, 0) when none speaks.
std::vector<Unit> footprintFromName(const std::string& name);

// The cells of an R x R quarter turn whose inside corner is the point (0, R): those whose centre
// lies between R - 1.8 and R + 0.6 cells from it, as the Stadium's measured curves have them.
std::vector<Unit> curveFootprint(int radius);
