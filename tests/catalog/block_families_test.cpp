#include <gtest/gtest.h>

#include "catalog/block_families.h"

namespace {

TEST(BlockFamilies, TheFirstMatchingFamilyWinsAndTheRestIsOther) {
    EXPECT_EQ(familyOfName("StadiumRoadMainTurbo"), "Boosters");
    EXPECT_EQ(familyOfName("StadiumRoadMainCheckpointUp"), "Start, finish and checkpoints");
    EXPECT_EQ(familyOfName("StadiumPlatformLoopStart"), "Loops");
    EXPECT_EQ(familyOfName("AlpineRoadPlateformGT2"), "Platforms");
    EXPECT_EQ(familyOfName("StadiumRoadDirtHillSlope"), "Roads");
    EXPECT_EQ(familyOfName("StadiumHolePillar"), "Pillars and walls");
    EXPECT_EQ(familyOfName("StadiumGrassClip"), "Terrain");
    EXPECT_EQ(familyOfName("StadiumSculptA"), "Decoration");
    EXPECT_EQ(familyOfName("StadiumBump1"), "Other");
}

TEST(BlockFamilies, EveryKindOfAnyCatalogueIsInOneFamilyAndSearchIgnoresCase) {
    BlockCatalog catalog;
    catalog.entries.resize(500);
    for (std::size_t i = 0; i < catalog.entries.size(); ++i)
        catalog.entries[i].name = (i % 3 ? "BayRoad" : "BayThing") + std::to_string(i + 1);
    const std::vector<BlockFamily> families = blockFamilies(catalog);
    ASSERT_EQ(families.size(), 2u); // families without kinds are left out
    EXPECT_EQ(families[0].name, "Roads");
    EXPECT_EQ(families[1].name, "Other");
    EXPECT_EQ(families[0].kinds.size() + families[1].kinds.size(), 500u);
    EXPECT_EQ(families[1].kinds.front(), 1u);
    EXPECT_EQ(families[0].kinds.back(), 500u);

    EXPECT_EQ(kindsMatching(catalog, "thing49"),
              (std::vector<std::uint32_t>{49, 490, 493, 496, 499}));
    EXPECT_EQ(kindsMatching(catalog, "ROAD50"), (std::vector<std::uint32_t>{50, 500}));
    EXPECT_TRUE(kindsMatching(catalog, "nothing").empty());
}

} // namespace
