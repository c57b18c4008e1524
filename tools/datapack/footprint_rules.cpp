#include "footprint_rules.h"

#include <algorithm>
#include <cctype>
#include <cmath>

#include "block_family.h"

namespace {

bool has(const std::string& name, const char* word) {
    return name.find(word) != std::string::npos;
}

std::vector<Unit> column(int levels) {
    std::vector<Unit> units;
    for (int z = 0; z < levels; ++z)
        units.push_back({0, 0, z});
    return units;
}

std::vector<Unit> alongY(int cells) {
    std::vector<Unit> units;
    for (int y = 0; y < cells; ++y)
        units.push_back({0, y, 0});
    return units;
}

// Loops take the units that the Stadium's loops of the same hand have.
std::optional<std::vector<Unit>> loop(const std::string& name) {
    if (familyOf(name) != Family::Loop)
        return std::nullopt;
    const std::string measured = has(name, "Left") ? "StadiumLoopLeft" : "StadiumLoopRight";
    for (const KindRow& row : kindTable(6))
        if (row.name == measured && row.units)
            return row.units;
    return std::nullopt;
}

std::optional<std::vector<Unit>> curve(const std::string& name) {
    if (familyOf(name) != Family::Curve)
        return std::nullopt;
    int radius = numberAfter(name, {"Curve", "GT"});
    if (radius < 2)
        return std::nullopt;
    return curveFootprint(radius);
}

// "AxB" spans: the larger count runs along y, the driving direction of the Stadium's diagonals
// and slope bases.
std::optional<std::vector<Unit>> span(const std::string& name) {
    for (std::size_t i = 1; i + 1 < name.size(); ++i) {
        if (name[i] != 'x' || !std::isdigit(static_cast<unsigned char>(name[i - 1])) ||
            !std::isdigit(static_cast<unsigned char>(name[i + 1])))
            continue;
        int a = name[i - 1] - '0', b = name[i + 1] - '0';
        if (a < 1 || b < 1)
            return std::nullopt;
        std::vector<Unit> units;
        for (int x = 0; x < std::min(a, b); ++x)
            for (int y = 0; y < std::max(a, b); ++y)
                units.push_back({x, y, 0});
        return units;
    }
    return std::nullopt;
}

// "X2" and "_x2": a piece two cells long.
std::optional<std::vector<Unit>> doubled(const std::string& name) {
    if (name.ends_with("X2") || has(name, "_x2"))
        return alongY(2);
    return std::nullopt;
}

// Start lines, finish lines and checkpoints stand two levels high.
std::optional<std::vector<Unit>> gate(const std::string& name) {
    switch (familyOf(name)) {
    case Family::Start:
    case Family::Finish:
    case Family::StartFinish:
    case Family::Checkpoint:
        return column(2);
    default:
        return std::nullopt;
    }
}

// Road that climbs or tilts reaches into the level above.
std::optional<std::vector<Unit>> climb(const std::string& name) {
    Family family = familyOf(name);
    if (!isRoad(family) && family != Family::Hill)
        return std::nullopt;
    for (const char* word : {"Slope", "Ramp", "Tilt", "Up", "Down", "Bump", "Hill"})
        if (has(name, word))
            return column(2);
    return std::nullopt;
}

} // namespace

std::vector<Unit> curveFootprint(int radius) {
    std::vector<Unit> units;
    for (int x = 0; x < radius; ++x)
        for (int y = 0; y < radius; ++y) {
            double d = std::hypot(x + 0.5, radius - (y + 0.5));
            if (d >= radius - 1.8 && d <= radius + 0.6)
                units.push_back({x, y, 0});
        }
    return units;
}

const std::vector<FootprintRule>& footprintRules() {
    static const std::vector<FootprintRule> rules = {
        {"loop", loop},  {"curve", curve}, {"span", span},
        {"x2", doubled}, {"gate", gate},   {"climb", climb},
    };
    return rules;
}

std::vector<Unit> footprintFromName(const std::string& name) {
    for (const FootprintRule& rule : footprintRules())
        if (std::optional<std::vector<Unit>> units = rule.units(name))
            return *units;
    return {{0, 0, 0}};
}
