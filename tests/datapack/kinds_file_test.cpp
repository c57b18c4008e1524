#include <gtest/gtest.h>

#include <map>
#include <set>

#include "block_kinds.h"
#include "catalog/catalog.h"
#include "recording_prompts.h"
#include "runtime_files.h"

using namespace runtime_files;

namespace {

bool drawnAsRoad(Family family) {
    return family == Family::Road || family == Family::Curve || family == Family::Slope;
}

} // namespace

// The editor's picker files every kind of the data pack, as it loads it, under the group that
// its drawing's family gives: kinds drawn alike are filed alike, no group mixes road pieces with
// anything else, and "Other" holds only road drawn for want of any family word.
TEST(KindsFile, ThePickersGroupsAgreeWithTheDrawings) {
    CatalogState state;
    initEnvironmentNames(state.environmentNames);
    RecordingPrompts prompts;
    std::map<Family, std::set<std::string>> groupsOfFamily;
    std::map<std::string, std::set<bool>> roadInGroup;
    int borders = 0;
    for (int e = 0; e < static_cast<int>(kEnvironments.size()); ++e) {
        SCOPED_TRACE(kEnvironments[static_cast<std::size_t>(e)]);
        ASSERT_TRUE(loadCatalog(state, e, kRuntime, prompts));
        const BlockCatalog& catalog = state.catalogs[static_cast<std::size_t>(e)];
        const std::vector<BlockKind> kinds = environmentKinds(e);
        ASSERT_EQ(catalog.entries.size(), kinds.size());
        EXPECT_EQ(catalog.groups.back(), "Other");
        int other = 0;
        for (const BlockKind& kind : kinds) {
            const std::string& group =
                catalog.entries[static_cast<std::size_t>(kind.index - 1)].group;
            EXPECT_EQ(group, pickerGroupOf(kind.family, kind.name)) << kind.name;
            if (group == "Other") {
                EXPECT_EQ(kind.family, Family::Road) << kind.name;
                ++other;
                continue;
            }
            if (!drawnAsRoad(kind.family))
                groupsOfFamily[kind.family].insert(group);
            roadInGroup[group].insert(drawnAsRoad(kind.family));
            // The raised edges of circuits are drawn as walls (two as turbo pads), not road.
            if (kind.name.find("CircuitBorder") != std::string::npos) {
                EXPECT_NE(group, "Circuit") << kind.name;
                borders += kind.family == Family::Wall && group == "Walls";
            }
            if (kind.name == "AlpineTundra") {
                EXPECT_EQ(kind.family, Family::Terrain);
                EXPECT_EQ(group, "Terrain");
            }
        }
        EXPECT_LT(other * 20, static_cast<int>(kinds.size()));
    }
    EXPECT_EQ(borders, 62);
    for (const auto& [family, groups] : groupsOfFamily)
        EXPECT_EQ(groups.size(), 1u) << familyName(family);
    for (const auto& [group, road] : roadInGroup)
        EXPECT_EQ(road.size(), 1u) << group << " holds road pieces and other kinds";
    EXPECT_TRUE(prompts.shown.empty());
}

// A name that holds no word of any family is drawn as plain road, the last resort, and filed
// under "Other"; a road word files it by its surface.
TEST(KindsFile, ANameOfNoFamilyIsOther) {
    EXPECT_EQ(familyOf("StadiumGizmo"), Family::Road);
    EXPECT_EQ(pickerGroupOf(Family::Road, "StadiumGizmo"), "Other");
    EXPECT_EQ(pickerGroupOf(familyOf("StadiumGizmoPlatform"), "StadiumGizmoPlatform"), "Platforms");
}
