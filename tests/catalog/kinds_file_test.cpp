#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "catalog/kinds_file.h"

namespace {

const std::string kHead = "blockyard kinds 1\n"
                          "groups\tRoads\tStart, finish and checkpoints\tOther\n"
                          "index\tname\tfamily\tgroup\n";
const std::string kMirrorHead = "blockyard kinds 1\n"
                                "groups\tRoads\n"
                                "index\tname\tgroup\tmirror\tmirrorturn\n";

TEST(KindsFile, GroupsInTheirOrderAndEachKindsGroup) {
    // CR LF line ends, columns in another order and a column this reader does not know.
    const std::optional<KindsFile> file =
        parseKindsFile("blockyard kinds 1\r\n"
                       "groups\tRoads\tStart, finish and checkpoints\tOther\r\n"
                       "group\tends\tindex\tname\r\n"
                       "Roads\t2\t1\tBayRoad\r\n"
                       "Start, finish and checkpoints\t\t2\tBayStartLine\r\n"
                       "Other\t0\t3\tBayThing");
    ASSERT_TRUE(file.has_value());
    EXPECT_EQ(file->groups,
              (std::vector<std::string>{"Roads", "Start, finish and checkpoints", "Other"}));
    ASSERT_EQ(file->kinds.size(), 3u);
    EXPECT_EQ(file->kinds[0].name, "BayRoad");
    EXPECT_EQ(file->kinds[0].group, "Roads");
    EXPECT_EQ(file->kinds[1].group, "Start, finish and checkpoints");
    EXPECT_EQ(file->kinds[2].name, "BayThing");
    EXPECT_EQ(file->kinds[2].group, "Other");
    // Without the mirror columns no mirror image is known.
    for (const KindsFileRow& row : file->kinds) {
        EXPECT_EQ(row.mirrorPartner, 0u);
        EXPECT_EQ(row.mirrorTurn, 0);
    }
    // A file of no kinds is whole.
    EXPECT_TRUE(parseKindsFile(kHead).has_value());
}

// Mirror images by name become catalogue indexes: a pair, a kind that is its own image and one
// whose image is unknown, with the columns in another order.
TEST(KindsFile, MirrorImagesNameKindsOfTheFile) {
    const std::optional<KindsFile> file =
        parseKindsFile("blockyard kinds 1\n"
                       "groups\tRoads\n"
                       "mirrorturn\tindex\tmirror\tname\tgroup\n"
                       "0\t1\t?\tBayRoadRamp\tRoads\n"
                       "2\t2\tBayTurboRight\tBayTurboLeft\tRoads\n"
                       "3\t3\t=\tBayRoadGTCurve2\tRoads\n"
                       "2\t4\tBayTurboLeft\tBayTurboRight\tRoads\n"
                       "0\t5\tBayRoad\tBayRoad\tRoads\n");
    ASSERT_TRUE(file.has_value());
    const std::vector<std::pair<std::uint32_t, int>> expected = {
        {0, 0}, {4, 2}, {3, 3}, {2, 2}, {5, 0}};
    ASSERT_EQ(file->kinds.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(file->kinds[i].mirrorPartner, expected[i].first) << i;
        EXPECT_EQ(file->kinds[i].mirrorTurn, expected[i].second) << i;
    }
}

TEST(KindsFile, AnyMalformedPartRefusesTheWholeFile) {
    const std::string rows = "1\tBayRoad\troad\tRoads\n2\tBayRamp\tslope\tRoads\n";
    ASSERT_TRUE(parseKindsFile(kHead + rows).has_value());
    ASSERT_TRUE(parseKindsFile(kMirrorHead + "1\tA\tRoads\tB\t1\n2\tB\tRoads\tA\t1\n").has_value());
    const std::pair<const char*, std::string> cases[] = {
        {"nothing", ""},
        {"the first line alone", "blockyard kinds 1\n"},
        {"a version this reader does not know", "blockyard kinds 2" + kHead.substr(17) + rows},
        {"no groups line", "blockyard kinds 1\nindex\tname\tfamily\tgroup\n" + rows},
        {"a repeated group", "blockyard kinds 1\ngroups\tRoads\tRoads\nindex\tname\tgroup\n"},
        {"an empty group", "blockyard kinds 1\ngroups\tRoads\t\nindex\tname\tgroup\n"},
        {"no group column", "blockyard kinds 1\ngroups\tRoads\nindex\tname\n1\tBayRoad\n"},
        {"a repeated column",
         "blockyard kinds 1\ngroups\tRoads\nindex\tname\tgroup\tname\n1\tA\tRoads\tA\n"},
        {"a truncated line", kHead + "1\tBayRoad\troad\tRoads\n2\tBayRamp\tslo"},
        {"too few columns", kHead + "1\tBayRoad\tRoads\n"},
        {"too many columns", kHead + "1\tBayRoad\troad\tRoads\tx\n"},
        {"an empty line between kinds", kHead + "1\tBayRoad\troad\tRoads\n\n2\tB\troad\tRoads\n"},
        {"an index out of order", kHead + "2\tBayRoad\troad\tRoads\n"},
        {"index 0", kHead + "0\tBayRoad\troad\tRoads\n"},
        {"a negative index", kHead + "-1\tBayRoad\troad\tRoads\n"},
        {"an index past any number", kHead + "99999999999999999999999\tBayRoad\troad\tRoads\n"},
        {"an index with a space", kHead + "1 \tBayRoad\troad\tRoads\n"},
        {"no index", kHead + "\tBayRoad\troad\tRoads\n"},
        {"an empty name", kHead + "1\t\troad\tRoads\n"},
        {"a group the file does not list", kHead + "1\tBayRoad\troad\tBridges\n"},
        {"a mirror column without its turn",
         "blockyard kinds 1\ngroups\tRoads\nindex\tname\tgroup\tmirror\n1\tA\tRoads\t=\n"},
        {"a mirror turn without its column",
         "blockyard kinds 1\ngroups\tRoads\nindex\tname\tgroup\tmirrorturn\n1\tA\tRoads\t0\n"},
        {"a turn past 3", kMirrorHead + "1\tA\tRoads\t=\t4\n"},
        {"a negative turn", kMirrorHead + "1\tA\tRoads\t=\t-1\n"},
        {"a turn of two digits", kMirrorHead + "1\tA\tRoads\t=\t01\n"},
        {"no turn", kMirrorHead + "1\tA\tRoads\t=\t\n"},
        {"no mirror image", kMirrorHead + "1\tA\tRoads\t\t0\n"},
        {"a turn for an unknown image", kMirrorHead + "1\tA\tRoads\t?\t1\n"},
        {"a partner that is no kind of the file", kMirrorHead + "1\tA\tRoads\tB\t0\n"},
        {"a partner that names another kind",
         kMirrorHead + "1\tA\tRoads\tB\t0\n2\tB\tRoads\t=\t0\n"},
        {"a partner of another turn", kMirrorHead + "1\tA\tRoads\tB\t0\n2\tB\tRoads\tA\t2\n"},
    };
    for (const auto& [what, text] : cases)
        EXPECT_FALSE(parseKindsFile(text).has_value()) << what;
}

// Roles, measured footprints, road ends and sharing reach the catalogue; a field that is none of
// its column's words refuses the file.
TEST(KindsFile, RolesFootprintsRoadEndsAndSharing) {
    const std::string head = "blockyard kinds 1\ngroups\tRoads\n"
                             "index\tname\tgroup\trole\tfootprint\troadends\tsharescells\n";
    const std::optional<KindsFile> file =
        parseKindsFile(head + "1\tA\tRoads\tmultilap\texact\t0,0,0,2;-1,3,12,0\tno\n"
                              "2\tB\tRoads\tnone\tguessed\t-\tyes\n");
    ASSERT_TRUE(file.has_value());
    BlockCatalog catalog;
    catalog.entries.resize(2);
    catalog.entries[0].name = "A";
    catalog.entries[1].name = "B";
    applyKindsFile(catalog, file);
    const CatalogEntry& a = catalog.entries[0];
    EXPECT_EQ(a.role, KindRole::Multilap);
    EXPECT_TRUE(a.footprintExact);
    EXPECT_EQ(a.roadEnds, (std::vector<RoadEndUnit>{{0, 0, 0, 2}, {-1, 3, 12, 0}}));
    EXPECT_FALSE(a.sharesCells);
    const CatalogEntry& b = catalog.entries[1];
    EXPECT_EQ(b.role, KindRole::None);
    EXPECT_FALSE(b.footprintExact);
    EXPECT_TRUE(b.roadEnds.empty());
    EXPECT_TRUE(b.sharesCells);
    for (const char* line : {"1\tA\tRoads\tgate\texact\t-\tno\n",
                             "1\tA\tRoads\tnone\tmeasured\t-\tno\n",
                             "1\tA\tRoads\tnone\texact\t0,0,0,4\tno\n",
                             "1\tA\tRoads\tnone\texact\t0,0,0\tno\n",
                             "1\tA\tRoads\tnone\texact\t0,0,200,1\tno\n",
                             "1\tA\tRoads\tnone\texact\t\tno\n",
                             "1\tA\tRoads\tnone\texact\t-\t1\n"})
        EXPECT_FALSE(parseKindsFile(head + line).has_value()) << line;
}

TEST(KindsFile, OnlyAFileNamingTheCataloguesKindsInOrderFilesThem) {
    BlockCatalog catalog;
    catalog.entries.resize(2);
    catalog.entries[0].name = "BayRoad";
    catalog.entries[1].name = "BayStartLine";
    const std::optional<KindsFile> file =
        parseKindsFile("blockyard kinds 1\n"
                       "groups\tRoads\tStart, finish and checkpoints\tOther\n"
                       "index\tname\tfamily\tgroup\tmirror\tmirrorturn\n"
                       "1\tBayRoad\troad\tRoads\t=\t2\n"
                       "2\tBayStartLine\tstart\tStart, finish and checkpoints\t?\t0\n");
    ASSERT_TRUE(file.has_value());
    applyKindsFile(catalog, file);
    EXPECT_EQ(catalog.groups, file->groups);
    EXPECT_EQ(catalog.entries[0].group, "Roads");
    EXPECT_EQ(catalog.entries[1].group, "Start, finish and checkpoints");
    EXPECT_EQ(catalog.entries[0].mirrorPartner, 1u);
    EXPECT_EQ(catalog.entries[0].mirrorTurn, 2);
    EXPECT_EQ(catalog.entries[1].mirrorPartner, 0u);

    const auto expectAllOther = [&catalog](const char* what) {
        EXPECT_EQ(catalog.groups, std::vector<std::string>{"Other"}) << what;
        for (const CatalogEntry& entry : catalog.entries) {
            EXPECT_EQ(entry.group, "Other") << what;
            EXPECT_EQ(entry.mirrorPartner, 0u) << what;
            EXPECT_EQ(entry.mirrorTurn, 0) << what;
        }
    };
    applyKindsFile(catalog, std::nullopt);
    expectAllOther("no file");
    KindsFile other = *file;
    std::swap(other.kinds[0], other.kinds[1]);
    applyKindsFile(catalog, other);
    expectAllOther("another order");
    other.kinds.pop_back();
    applyKindsFile(catalog, other);
    expectAllOther("fewer kinds");
    other = *file;
    other.kinds.push_back({"BayRamp", "Roads"});
    applyKindsFile(catalog, other);
    expectAllOther("more kinds");
}

} // namespace
