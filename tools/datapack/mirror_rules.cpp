#include "mirror_rules.h"

#include <cctype>
#include <optional>
#include <string_view>

namespace {

bool listed(const std::vector<BlockKind>& kinds, const std::string& name) {
    return kindIndex(kinds, name) != 0;
}

bool digitAt(const std::string& name, std::size_t at) {
    return at < name.size() && std::isdigit(static_cast<unsigned char>(name[at]));
}

// The name of the twin that a handed name calls for, listed or not; none for a name that does not
// say it is handed. Twins go with or without "Mirror" or "Bis" at the end, or a "b" after a number
// ("SpeedGarageSlopeGT2b"), and swap Left for Right, or a closing L for R
// ("BayDocksHarborJettySlopeL", "CoastRoadRamp1R"). A twin that is listed comes first, so that
// "CoastFreeSignsL", the L-shaped signs, pairs with "CoastFreeSignsLMirror".
std::optional<std::string> twinName(const std::string& name, const std::vector<BlockKind>& kinds) {
    for (const std::string_view suffix : {"Mirror", "Bis"}) {
        if (name.ends_with(suffix))
            return name.substr(0, name.size() - suffix.size());
        if (listed(kinds, name + std::string(suffix)))
            return name + std::string(suffix);
    }
    const std::size_t size = name.size();
    if (name.ends_with('b') && digitAt(name, size - 2))
        return name.substr(0, size - 1);
    if (digitAt(name, size - 1) && listed(kinds, name + "b"))
        return name + "b";
    for (const auto& [hand, other] :
         {std::pair<std::string_view, std::string_view>{"Left", "Right"}, {"Right", "Left"}}) {
        const std::size_t at = name.find(hand);
        if (at != std::string::npos)
            return std::string(name).replace(at, hand.size(), other);
    }
    if (size > 1 && (name.back() == 'L' || name.back() == 'R') &&
        (std::islower(static_cast<unsigned char>(name[size - 2])) || digitAt(name, size - 2)))
        return name.substr(0, size - 1) + (name.back() == 'L' ? "R" : "L");
    return std::nullopt;
}

// A curve whose two ends differ (it climbs, or joins two kinds of road) turns the other way once
// mirrored, which no turn of it does.
bool unevenCurve(const BlockKind& kind) {
    return kind.family == Family::Curve &&
           (hasAny(kind.name, {"Slope", "Ramp", "Up", "Down", "Transition", "Start", "End", "Entry",
                               "Exit", "Loop"}) ||
            transition(kind.name));
}

} // namespace

MirrorNaming mirrorNaming(const BlockKind& kind, const std::vector<BlockKind>& kinds) {
    MirrorNaming naming;
    const std::string& name = kind.name;
    naming.fork = name.find("YShaped") != std::string::npos;
    if (const std::optional<std::string> twin = twinName(name, kinds)) {
        naming.image =
            listed(kinds, *twin) ? MirrorNaming::Image::Partner : MirrorNaming::Image::Unknown;
        naming.partner = *twin;
        // A handed name already says which side its twin leans to.
        naming.directed = kind.family != Family::Curve;
        naming.footprintOnly = naming.singleTurn = kind.family == Family::Curve;
        return naming;
    }
    // Banked road, wall rides, T junctions and boosters on one side ("AlpineRoadWoodTurboSide",
    // not "IslandHighWayHoleSides").
    naming.oneSided = isRoad(kind.family) && kind.family != Family::Curve &&
                      (hasAny(name, {"Tilt", "RoadWall", "TShaped"}) || name.ends_with("Side"));
    // Banked road that twists from one side to the other, or into or out of its bank.
    if (unevenCurve(kind) || (naming.oneSided && hasAny(name, {"Twist", "Spin", "Transition"}))) {
        naming.image = MirrorNaming::Image::Unknown;
        return naming;
    }
    naming.directed =
        kind.family != Family::Curve && (!naming.oneSided || isGateOrBooster(kind.family));
    naming.diagonal = naming.singleTurn = !naming.fork && hasAny(name, {"Corner", "Diag"});
    return naming;
}
