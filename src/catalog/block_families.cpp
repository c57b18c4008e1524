#include "catalog/block_families.h"

#include <algorithm>
#include <cctype>

namespace {

struct FamilyRule {
    const char* family;
    std::vector<const char*> keywords;
};

// Earlier families win: a turbo on a road is a booster, a road over a hill is a road.
const std::vector<FamilyRule>& familyRules() {
    static const std::vector<FamilyRule> rules = {
        {"Start, finish and checkpoints",
         {"Checkpoint", "CheckPoint", "StartLine", "FinishLine", "StartFinish", "Finish"}},
        {"Boosters", {"Turbo", "Booster", "FreeWheeling"}},
        {"Loops", {"Loop"}},
        {"Platforms", {"Platform", "Plateform"}},
        {"Circuit", {"Circuit"}},
        {"Roads", {"Road"}},
        {"Bridges", {"Bridge"}},
        {"Pillars and walls", {"Pillar", "Wall", "Fence"}},
        {"Terrain", {"Grass", "Dirt",   "Water",   "Pool",  "Hill",  "Lake",    "Rock",
                     "Sand",  "Desert", "Canyon",  "River", "Cliff", "Ground",  "Beach",
                     "Sea",   "Snow",   "Toundra", "Clip",  "Ice",   "Mountain"}},
        {"Decoration",
         {"Sculpt", "Advert", "Pub", "Sign", "Lamp", "Decor", "Building", "Tent", "Flag", "Tree",
          "Palm", "Light", "Barrel", "Container", "Cargo", "Stand", "Tribune"}},
    };
    return rules;
}

constexpr const char* kOtherFamily = "Other";

std::string lowered(std::string_view text) {
    std::string out(text);
    std::transform(out.begin(), out.end(), out.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return out;
}

} // namespace

std::string familyOfName(std::string_view name) {
    for (const FamilyRule& rule : familyRules())
        for (const char* keyword : rule.keywords)
            if (name.find(keyword) != std::string_view::npos)
                return rule.family;
    return kOtherFamily;
}

std::vector<BlockFamily> blockFamilies(const BlockCatalog& catalog) {
    std::vector<BlockFamily> families;
    for (const FamilyRule& rule : familyRules())
        families.push_back({rule.family, {}});
    families.push_back({kOtherFamily, {}});
    for (std::size_t i = 0; i < catalog.entries.size(); ++i) {
        const std::string family = familyOfName(catalog.entries[i].name);
        for (BlockFamily& candidate : families)
            if (candidate.name == family)
                candidate.kinds.push_back(static_cast<std::uint32_t>(i + 1));
    }
    std::erase_if(families, [](const BlockFamily& family) { return family.kinds.empty(); });
    return families;
}

std::vector<std::uint32_t> kindsMatching(const BlockCatalog& catalog, std::string_view text) {
    std::vector<std::uint32_t> kinds;
    const std::string wanted = lowered(text);
    for (std::size_t i = 0; i < catalog.entries.size(); ++i)
        if (lowered(catalog.entries[i].name).find(wanted) != std::string::npos)
            kinds.push_back(static_cast<std::uint32_t>(i + 1));
    return kinds;
}
