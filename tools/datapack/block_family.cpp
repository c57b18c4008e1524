#include "block_family.h"

#include <cctype>
#include <initializer_list>

#include "catalog/kinds_file_format.h"

namespace {

bool has(const std::string& name, const char* word) {
    return name.find(word) != std::string::npos;
}

// Words that make a name a piece of road whatever else it says.
bool roadWord(const std::string& name) {
    return hasAny(name, {"Road",    "Curve",    "GT",        "Slope",  "Ramp",       "Straight",
                         "Bridge",  "Tunnel",   "HighWay",   "SeaWay", "Croisette",  "Corniche",
                         "Circuit", "Platform", "Plateform", "Trench", "Tube",       "Tilt",
                         "Jetty",   "Parvis",   "Hole",      "Bump",   "Jump",       "Wave",
                         "Diag",    "Garage",   "Turbo",     "Cross",  "Transition", "Loop",
                         "Spin",    "Twist",    "Hawk",      "Air",    "Deadend",    "Clip"});
}

constexpr std::string_view kGatesGroup = "Gates";
constexpr std::string_view kBoostersGroup = "Boosters";
constexpr std::string_view kRoadsGroup = "Roads";
constexpr std::string_view kSlopesGroup = "Slopes";
constexpr std::string_view kLoopsGroup = "Loops";
constexpr std::string_view kPlatformsGroup = "Platforms";
constexpr std::string_view kCircuitGroup = "Circuit";
constexpr std::string_view kPillarsGroup = "Pillars";
constexpr std::string_view kWallsGroup = "Walls";
constexpr std::string_view kTerrainGroup = "Terrain";
constexpr std::string_view kWaterGroup = "Water";
constexpr std::string_view kNatureGroup = "Nature";
constexpr std::string_view kBuildingsGroup = "Buildings";

} // namespace

bool hasAny(const std::string& name, std::initializer_list<const char*> words) {
    for (const char* word : words)
        if (has(name, word))
            return true;
    return false;
}

bool transition(const std::string& name) {
    for (std::size_t at = name.find("To"); at != std::string::npos; at = name.find("To", at + 1))
        if (at + 2 < name.size() && std::isupper(static_cast<unsigned char>(name[at + 2])))
            return true;
    return false;
}

std::string_view familyName(Family family) {
    switch (family) {
    case Family::Road:
        return "road";
    case Family::Curve:
        return "curve";
    case Family::Slope:
        return "slope";
    case Family::Loop:
        return "loop";
    case Family::Start:
        return "start";
    case Family::Finish:
        return "finish";
    case Family::StartFinish:
        return "startfinish";
    case Family::Checkpoint:
        return "checkpoint";
    case Family::Turbo:
        return "turbo";
    case Family::Pillar:
        return "pillar";
    case Family::Terrain:
        return "terrain";
    case Family::Hill:
        return "hill";
    case Family::Water:
        return "water";
    case Family::Clip:
        return "clip";
    case Family::Tree:
        return "tree";
    case Family::Rock:
        return "rock";
    case Family::Building:
        return "building";
    case Family::Wall:
        return "wall";
    }
    return {};
}

const std::vector<std::string_view>& pickerGroups() {
    static const std::vector<std::string_view> groups = {
        kRoadsGroup,     kSlopesGroup,           kPlatformsGroup, kCircuitGroup,
        kGatesGroup,     kBoostersGroup,         kLoopsGroup,     kPillarsGroup,
        kWallsGroup,     kTerrainGroup,          kWaterGroup,     kNatureGroup,
        kBuildingsGroup, kinds_file::kOtherGroup};
    return groups;
}

std::string_view pickerGroupOf(Family family, const std::string& name) {
    switch (family) {
    case Family::Start:
    case Family::Finish:
    case Family::StartFinish:
    case Family::Checkpoint:
        return kGatesGroup;
    case Family::Turbo:
        return kBoostersGroup;
    case Family::Loop:
        return kLoopsGroup;
    case Family::Pillar:
        return kPillarsGroup;
    case Family::Terrain:
    case Family::Hill:
    case Family::Clip:
        return kTerrainGroup;
    case Family::Water:
        return kWaterGroup;
    case Family::Tree:
    case Family::Rock:
        return kNatureGroup;
    case Family::Building:
        return kBuildingsGroup;
    case Family::Wall:
        return kWallsGroup;
    case Family::Road:
    case Family::Curve:
    case Family::Slope:
        break;
    }
    if (!roadWord(name))
        return kinds_file::kOtherGroup;
    if (hasAny(name, {"Platform", "Plateform"}))
        return kPlatformsGroup;
    if (has(name, "Circuit"))
        return kCircuitGroup;
    return family == Family::Slope ? kSlopesGroup : kRoadsGroup;
}

int numberAfter(const std::string& name, std::initializer_list<const char*> words) {
    for (const char* word : words) {
        for (std::size_t at = name.find(word); at != std::string::npos;
             at = name.find(word, at + 1)) {
            std::size_t digit = at + std::char_traits<char>::length(word);
            if (digit < name.size() && std::isdigit(static_cast<unsigned char>(name[digit])))
                return name[digit] - '0';
        }
    }
    return 0;
}

Family familyOf(const std::string& name) {
    if (has(name, "Clip"))
        return Family::Clip;
    if (has(name, "Loop") && hasAny(name, {"Left", "Right"}) && !hasAny(name, {"Start", "End"}))
        return Family::Loop;
    if (has(name, "StartFinish"))
        return Family::StartFinish;
    if (hasAny(name, {"StartLine", "StartPillar"}))
        return Family::Start;
    if (has(name, "Finish"))
        return Family::Finish;
    if (hasAny(name, {"Checkpoint", "CheckPoint", "MultiLap", "Multilap"}))
        return Family::Checkpoint;
    if (hasAny(name, {"Turbo", "SpeedUp", "FreeWheeling", "FW"}))
        return Family::Turbo;
    if (name == "Lake" || name == "River" ||
        (hasAny(name, {"Water", "Pool"}) && !hasAny(name, {"Road", "Circuit", "Lamp", "Cliff"})))
        return Family::Water;
    // "<piece>Pillar" and "<piece>Support" stand under the piece they name.
    const std::size_t pillar = name.rfind("Pillar");
    if ((pillar != std::string::npos && pillar + 6 >= name.size() - 1 && !has(name, "Hole")) ||
        name.ends_with("Support"))
        return Family::Pillar;
    if (has(name, "Pillar") &&
        !hasAny(name,
                {"GT",   "Curve", "Slope",    "Ramp",    "Hole",   "Cross",  "Arch",   "Hawk",
                 "Grid", "Draw",  "Building", "Hotel",   "Castle", "Chalet", "Temple", "Tower",
                 "Sign", "Lamp",  "Launch",   "Antenne", "Advert", "Light",  "Fabric"}))
        return Family::Pillar;
    if (hasAny(name, {"Tree", "Palm", "Saguaro", "Vegetation", "Pine", "Trunc"}))
        return Family::Tree;
    // The raised edges around a circuit's driving area, and walls and signs whose names hold a
    // road word ("Rampart", a ramp of lights).
    if (hasAny(name, {"CircuitBorder", "FieldFence", "Rampart", "LightRamp"}))
        return Family::Wall;
    // Scenery whose names hold a road word ("Air" in "Airship", "Tube").
    if (hasAny(name, {"Hangar", "Plane", "Airship", "InflatableTube"}))
        return Family::Building;
    if (!roadWord(name)) {
        if (hasAny(name, {"Hill", "Mountain", "Peak", "Cliff"}))
            return Family::Hill;
        if (has(name, "Rock") && !transition(name))
            return Family::Rock;
        if (hasAny(name, {"Grass", "Dirt", "Snow", "Tundra", "Ice", "Desert", "Canyon", "Beach",
                          "Flat", "Base", "Field", "Esplanade", "Harbor", "Docks", "Tarmac", "Lake",
                          "River", "Sand"}) ||
            transition(name))
            return Family::Terrain;
        if (hasAny(name, {"Sign", "Advert", "Lamp", "Light", "Fence", "Wall"}))
            return Family::Wall;
        if (hasAny(name, {"Building", "Hotel",    "House",     "Chalet",    "Temple",     "Castle",
                          "Tower",    "Hangar",   "Windmill",  "Village",   "Shops",      "Kiosk",
                          "Club",     "Commitee", "Toll",      "Deco",      "Inflatable", "Sculpt",
                          "Airship",  "Podium",   "Tent",      "Container", "Cargo",      "Barrel",
                          "Derrick",  "Boat",     "Yacht",     "Marina",    "Sailing",    "Antenne",
                          "Plane",    "Launch",   "Reservoir", "Chalutier", "Control",    "Fabric",
                          "Door",     "Spot"}))
            return Family::Building;
    }
    if (hasAny(name, {"Curve", "GT", "Corner"}) && !has(name, "Diag"))
        return Family::Curve;
    if (hasAny(name, {"Slope", "Ramp", "Bump", "Jump", "Wave", "Up", "Down"}))
        return Family::Slope;
    return Family::Road;
}

bool standsAside(Family family) {
    switch (family) {
    case Family::Terrain:
    case Family::Hill:
    case Family::Water:
    case Family::Clip:
    case Family::Pillar:
        return true;
    default:
        return false;
    }
}

bool isGateOrBooster(Family family) {
    switch (family) {
    case Family::Start:
    case Family::Finish:
    case Family::StartFinish:
    case Family::Checkpoint:
    case Family::Turbo:
        return true;
    default:
        return false;
    }
}

KindRole roleOf(Family family, const std::string& name) {
    switch (family) {
    case Family::Start:
        return KindRole::Start;
    case Family::Finish:
        return KindRole::Finish;
    case Family::StartFinish:
        return KindRole::Multilap;
    case Family::Checkpoint:
        return hasAny(name, {"MultiLap", "Multilap"}) ? KindRole::Multilap : KindRole::Checkpoint;
    default:
        return KindRole::None;
    }
}

bool isRoad(Family family) {
    return family == Family::Road || family == Family::Curve || family == Family::Slope ||
           isGateOrBooster(family);
}

int roadSurfaceOf(int environment, const std::string& name) {
    struct Word {
        int environment;
        const char* word;
        int surface;
    };
    // First match wins; surface 0 is each environment's plain road.
    static const std::vector<Word> words = {
        {0, "Wood", 1},     {0, "Ice", 2},       {0, "Tunnel", 3},   {0, "GreatWall", 3},
        {0, "Temple", 3},   {0, "MetalTube", 3}, {1, "Platform", 2}, {1, "Bridge", 1},
        {1, "Docks", 3},    {1, "Parvis", 3},    {1, "Tunnel", 3},   {2, "Circuit", 2},
        {2, "Corniche", 3}, {2, "Water", 1},     {3, "Platform", 1}, {3, "Airport", 1},
        {3, "SeaWay", 3},   {3, "Croisette", 3}, {4, "Castle", 1},   {4, "Wood", 2},
        {4, "High", 3},     {5, "Garage", 2},    {5, "Bridge", 1},   {5, "Classic", 3},
        {6, "Dirt", 3},     {6, "Platform", 2},  {6, "Circuit", 1},
    };
    for (const Word& w : words)
        if (w.environment == environment && has(name, w.word))
            return w.surface;
    return 0;
}
