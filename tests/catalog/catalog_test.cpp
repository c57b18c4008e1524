#include <filesystem>
#include <fstream>

#include <gtest/gtest.h>

#include "catalog/catalog.h"
#include "recording_prompts.h"
#include "temp_folder.h"

namespace {

class CatalogFolder : public ::testing::Test {
  protected:
    TempFolder base;
    CatalogState state;
    RecordingPrompts prompts;

    void SetUp() override { initEnvironmentNames(state.environmentNames); }

    void writeNames(const std::string& env, const std::string& text) {
        std::filesystem::create_directories(base.path() / "data" / env / "bzi");
        std::ofstream(base.path() / "data" / env / "blocks.dat", std::ios::binary) << text;
    }
    void writeKinds(const std::string& env, const std::string& text) {
        std::ofstream(base.path() / "data" / env / "kinds.dat", std::ios::binary) << text;
    }
    void writeInfo(const std::string& env, int n, const std::string& bytes) {
        std::ofstream(base.path() / "data" / env / "bzi" / (std::to_string(n) + ".bzi"),
                      std::ios::binary)
            << bytes;
    }
};

TEST(Environments, NamesAndCodes) {
    EnvironmentNames names;
    initEnvironmentNames(names);
    EXPECT_EQ(names[0], "Alpine");
    EXPECT_EQ(names[2], "Coast");
    EXPECT_EQ(names[5], "Speed");
    EXPECT_EQ(names[6], "Stadium");
    EXPECT_EQ(environmentFromCode("Speed"), 5);
    EXPECT_EQ(environmentFromCode("Stadium"), 6);
    EXPECT_EQ(environmentFromCode("Snow"), 6);
    EXPECT_EQ(environmentFromCode("S"), 6);
    EXPECT_EQ(environmentFromCode("Coast"), 2);
    EXPECT_EQ(environmentFromCode("Alpine"), 0);
    EXPECT_EQ(environmentFromCode("Rally"), 4);
    EXPECT_FALSE(environmentFromCode("Xeno").has_value());
    EXPECT_FALSE(environmentFromCode("").has_value());
}

TEST(BlockNames, LineEndsAndLimits) {
    EXPECT_EQ(parseBlockNames("A\nB\nC\n"), (std::vector<std::string>{"A", "B", "C"}));
    EXPECT_EQ(parseBlockNames("A\r\nB\r\nC\r\n"), parseBlockNames("A\nB\nC\n"));
    EXPECT_EQ(parseBlockNames("A\nB"), (std::vector<std::string>{"A", "B"}));
    EXPECT_TRUE(parseBlockNames("").empty());
    EXPECT_EQ(parseBlockNames("\n"), (std::vector<std::string>{""}));
    std::string longName(100, 'x');
    auto cut = parseBlockNames(longName + "\nNext\n");
    ASSERT_EQ(cut.size(), 2u);
    EXPECT_EQ(cut[0], std::string(63, 'x'));
    EXPECT_EQ(cut[1], "Next");
}

TEST_F(CatalogFolder, LoadsNamesInOrderWithTheirBlockInformation) {
    writeNames("Bay", "BayRoad\r\nBayRamp\r\nBayTree\r\n");
    writeInfo("Bay", 1, std::string("\x02\x00\x00\x00\x00\x01\x00\x00", 8));
    writeInfo("Bay", 3, std::string("\x01\x00\x00\x00\x04", 5));
    ASSERT_TRUE(loadCatalog(state, 1, base.path(), prompts));
    const BlockCatalog& c = state.catalogs[1];
    ASSERT_EQ(c.count(), 3);
    EXPECT_EQ(c.entries[0].name, "BayRoad");
    EXPECT_EQ(c.entries[1].name, "BayRamp");
    EXPECT_EQ(c.entries[2].name, "BayTree");
    EXPECT_EQ(c.entries[0].unitCount(), 2);
    EXPECT_EQ(c.entries[0].halfSizeX, 0.5f);
    // No file for the second: the default information.
    EXPECT_EQ(c.entries[1].unitCount(), 1);
    EXPECT_EQ(c.entries[1].halfSizeX, 0);
    EXPECT_EQ(c.entries[2].maxHeight, 4.0f);
    EXPECT_TRUE(prompts.shown.empty());

    state.currentEnvironment = 1;
    EXPECT_EQ(catalogEntry(state, 0), nullptr);
    EXPECT_EQ(catalogEntry(state, 4), nullptr);
    ASSERT_NE(catalogEntry(state, 3), nullptr);
    EXPECT_EQ(catalogEntry(state, 3)->name, "BayTree");
    state.currentEnvironment = 0;
    EXPECT_EQ(catalogEntry(state, 1), nullptr);
}

// The kinds file files each kind; without it, or when it is malformed, every kind is in "Other",
// silently, since the editor works without it.
TEST_F(CatalogFolder, KindsFileGivesEachKindItsGroupAndOtherWithoutIt) {
    writeNames("Bay", "BayRoad\nBayTree\n");
    const std::string head = "blockyard kinds 1\ngroups\tRoads\tTrees and rocks\tOther\n"
                             "index\tname\tfamily\tgroup\n1\tBayRoad\troad\tRoads\n";
    writeKinds("Bay", head + "2\tBayTree\ttree\tTrees and rocks\n");
    ASSERT_TRUE(loadCatalog(state, 1, base.path(), prompts));
    EXPECT_EQ(state.catalogs[1].groups,
              (std::vector<std::string>{"Roads", "Trees and rocks", "Other"}));
    EXPECT_EQ(state.catalogs[1].entries[0].group, "Roads");
    EXPECT_EQ(state.catalogs[1].entries[1].group, "Trees and rocks");

    writeKinds("Bay", head + "2\tBayTree\ttree\n");
    ASSERT_TRUE(loadCatalog(state, 1, base.path(), prompts));
    EXPECT_EQ(state.catalogs[1].groups, std::vector<std::string>{"Other"});
    EXPECT_EQ(state.catalogs[1].entries[0].group, "Other");
    std::filesystem::remove(base.path() / "data" / "Bay" / "kinds.dat");
    ASSERT_TRUE(loadCatalog(state, 1, base.path(), prompts));
    EXPECT_EQ(state.catalogs[1].entries[1].group, "Other");
    EXPECT_TRUE(prompts.shown.empty());
}

TEST_F(CatalogFolder, MissingNamesFileIsReportedAndKeepsThePreviousCatalogue) {
    writeNames("Rally", "RallyRoad\n");
    ASSERT_TRUE(loadCatalog(state, 4, base.path(), prompts));
    std::filesystem::remove(base.path() / "data" / "Rally" / "blocks.dat");
    EXPECT_FALSE(loadCatalog(state, 4, base.path(), prompts));
    ASSERT_EQ(prompts.shown.size(), 1u);
    EXPECT_EQ(prompts.shown[0].text, "Block names file not found: " +
                                         (base.path() / "data" / "Rally" / "blocks.dat").string());
    EXPECT_EQ(prompts.shown[0].caption, "Blockyard 0.1 alpha");
    EXPECT_EQ(state.catalogs[4].count(), 1);
}

TEST_F(CatalogFolder, EmptyNamesFileGivesAnEmptyCatalogue) {
    writeNames("Coast", "");
    EXPECT_TRUE(loadCatalog(state, 2, base.path(), prompts));
    EXPECT_EQ(state.catalogs[2].count(), 0);
    state.currentEnvironment = 2;
    EXPECT_EQ(catalogEntry(state, 1), nullptr);
}

TEST_F(CatalogFolder, ReloadReplacesTheCatalogue) {
    writeNames("Island", "One\nTwo\n");
    ASSERT_TRUE(loadCatalog(state, 3, base.path(), prompts));
    writeNames("Island", "Three\n");
    ASSERT_TRUE(loadCatalog(state, 3, base.path(), prompts));
    ASSERT_EQ(state.catalogs[3].count(), 1);
    EXPECT_EQ(state.catalogs[3].entries[0].name, "Three");
}

} // namespace
