#include <gtest/gtest.h>

#include "catalog/block_families.h"

namespace {

// The groups come in the catalogue's order; a kind without a listed group (a catalogue without
// its kinds file) joins "Other", which comes last unless the catalogue places it.
TEST(BlockFamilies, GroupsInTheCataloguesOrderWithUnlistedKindsInOther) {
    BlockCatalog catalog;
    catalog.groups = {"Roads", "Terrain", "Pillars"};
    catalog.entries.resize(4);
    catalog.entries[0].group = "Terrain";
    catalog.entries[1].group = "Bridges";
    catalog.entries[2].group = "Roads";
    catalog.entries[3].group = "Terrain";
    std::vector<BlockFamily> families = blockFamilies(catalog);
    ASSERT_EQ(families.size(), 3u); // groups without kinds are left out
    EXPECT_EQ(families[0].name, "Roads");
    EXPECT_EQ(families[0].kinds, std::vector<std::uint32_t>{3});
    EXPECT_EQ(families[1].name, "Terrain");
    EXPECT_EQ(families[1].kinds, (std::vector<std::uint32_t>{1, 4}));
    EXPECT_EQ(families[2].name, "Other");
    EXPECT_EQ(families[2].kinds, std::vector<std::uint32_t>{2});

    catalog.groups = {"Other", "Roads"};
    families = blockFamilies(catalog);
    ASSERT_EQ(families.size(), 2u);
    EXPECT_EQ(families[0].name, "Other");
    EXPECT_EQ(families[0].kinds, (std::vector<std::uint32_t>{1, 2, 4}));
}

TEST(BlockFamilies, EveryKindOfAnyCatalogueIsInOneFamilyAndSearchIgnoresCase) {
    BlockCatalog catalog;
    catalog.groups = {"Roads", "Other"};
    catalog.entries.resize(500);
    for (std::size_t i = 0; i < catalog.entries.size(); ++i) {
        catalog.entries[i].name = (i % 3 ? "BayRoad" : "BayThing") + std::to_string(i + 1);
        catalog.entries[i].group = i % 3 ? "Roads" : "Other";
    }
    const std::vector<BlockFamily> families = blockFamilies(catalog);
    ASSERT_EQ(families.size(), 2u);
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
