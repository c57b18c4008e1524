#include <gtest/gtest.h>

#include "catalog_fixture.h"
#include "converted_track_builder.h"
#include "readers_agree.h"
#include "track/structural_reader.h"
#include "track/text_search_reader.h"
#include "track/track_reader.h"
#include "track/track_writer.h"

namespace {

constexpr int kStadiumEnv = 6;

CatalogState stadium() {
    return catalogWith(kStadiumEnv, namesWith(40, {{2, "Road"}, {3, "Loop"}, {4, "Grass"}}));
}

struct Opened {
    bool ok = false;
    Track track;
    TrackEnvelope envelope;
    std::vector<BlockRecord> blocks;
};

Opened open(const std::vector<std::uint8_t>& bytes, const CatalogState& catalog) {
    Opened o;
    o.ok = parseConvertedTrack(bytes, catalog, o.track, o.envelope);
    o.blocks.assign(o.track.blocks.begin(), o.track.blocks.end());
    return o;
}

// The text searches cannot read the file correctly: they fail or leave references unresolved.
void expectTextSearchRejects(const std::vector<std::uint8_t>& bytes, const CatalogState& catalog) {
    auto bySearch = readByTextSearch(bytes, catalog.environmentNames, catalog.currentEnvironment);
    EXPECT_TRUE(!bySearch || bySearch->unresolvedReferences > 0);
}

// Opens, checks that saving unedited gives the file back, and returns what was opened.
Opened openAndRoundTrip(const std::vector<std::uint8_t>& bytes, const CatalogState& catalog) {
    expectReadersAgree(bytes, catalog.environmentNames);
    Opened o = open(bytes, catalog);
    EXPECT_TRUE(o.ok);
    if (o.ok) {
        auto written = serialiseTrack(o.track, o.envelope, catalog);
        EXPECT_TRUE(written);
        if (written) {
            EXPECT_EQ(*written, bytes);
        }
    }
    return o;
}

void addSkins(ConvertedTrackBuilder& b) {
    b.block("Loop", 1, 2, 3, 4, 0x8000);
    b.skinAuthor("Nadeo");
    b.nodeNew(30);
    b.block("Road", 2, 3, 4, 5, 0x108000);
    b.skinAuthor("painter");
    b.nodeRef(30);
    b.nodeNew(31);
}

TEST(StructuralReader, NamesDefinedByTheCollectionList) {
    ConvertedTrackBuilder b;
    b.collectionNames = {"Road", "Loop"};
    b.block("Road", 0, 1, 1, 1);
    b.block("Loop", 0, 2, 1, 1);
    b.block("Mystery", 0, 3, 1, 1);
    addSkins(b);
    std::vector<std::uint8_t> bytes = b.build();
    CatalogState catalog = stadium();
    expectTextSearchRejects(bytes, catalog);

    Opened o = openAndRoundTrip(bytes, catalog);
    ASSERT_EQ(o.blocks.size(), 5u);
    EXPECT_EQ(o.track.uid, b.uid);
    EXPECT_EQ(o.track.environment, kStadiumEnv);
    EXPECT_EQ(o.blocks[0].catalogIndex, 2u);
    EXPECT_EQ(o.blocks[1].catalogIndex, 3u);
    EXPECT_EQ(o.blocks[2].keptName, "Mystery");
    EXPECT_EQ(o.blocks[3].skin.author, "Nadeo");
    EXPECT_EQ(o.blocks[4].skin.waypoint.number, 31u);
    EXPECT_EQ(o.envelope.headNames.size(), b.headNameCount);
    EXPECT_EQ(o.envelope.headNames[0], "Road");
}

TEST(StructuralReader, OlderGeneration) {
    ConvertedTrackBuilder b;
    b.classId = 0x24003000;
    b.envir = "Speed";
    b.block("Road", 0, 1, 1, 1);
    b.block("Road", 3, 2, 1, 1);
    addSkins(b);
    std::vector<std::uint8_t> bytes = b.build();
    CatalogState catalog = catalogWith(5, {"Road", "Loop"});
    expectTextSearchRejects(bytes, catalog);
    Opened o = openAndRoundTrip(bytes, catalog);
    ASSERT_EQ(o.blocks.size(), 4u);
    EXPECT_EQ(o.track.environment, 5);
    EXPECT_EQ(o.blocks[1].catalogIndex, 1u);
    EXPECT_EQ(o.blocks[1].rotation, 3);
    EXPECT_EQ(o.envelope.tailBytes[3], 0x24);
}

TEST(StructuralReader, AuthorNadeoMisleadsTheTextSearch) {
    ConvertedTrackBuilder b;
    b.author = "Nadeo";
    for (int i = 0; i < 6; ++i)
        b.block(i % 2 ? "Road" : "Grass", 0, static_cast<std::uint8_t>(i), 1, 1);
    addSkins(b);
    std::vector<std::uint8_t> bytes = b.build();
    CatalogState catalog = stadium();
    expectTextSearchRejects(bytes, catalog);
    Opened o = openAndRoundTrip(bytes, catalog);
    ASSERT_EQ(o.blocks.size(), 8u);
    EXPECT_EQ(o.blocks[0].catalogIndex, 4u);
    EXPECT_EQ(o.blocks[5].x, 5);
    // The skin's author is the head's "Nadeo", referred to by its number.
    EXPECT_EQ(o.blocks[6].skin.author, "Nadeo");
}

// The head defines one name more than the text searches assume, so their numbering is off by one
// and the third block's reference to "Road" finds "Loop" with every count matching.
TEST(StructuralReader, ItsResultStandsWhereTheTextSearchMisnumbers) {
    ConvertedTrackBuilder b;
    b.bodyNames = {"Grass", "", ""};
    b.block("Road", 0, 1, 1, 1);
    b.block("Loop", 0, 2, 1, 1);
    b.block("Road", 0, 3, 1, 1);
    std::vector<std::uint8_t> bytes = b.build();
    CatalogState catalog = stadium();
    auto bySearch = readByTextSearch(bytes, catalog.environmentNames, catalog.currentEnvironment);
    ASSERT_TRUE(bySearch && bySearch->unresolvedReferences == 0);
    EXPECT_EQ(bySearch->track.blocks.back().keptName, "Loop");

    Opened o = open(bytes, catalog);
    ASSERT_EQ(o.blocks.size(), 3u);
    EXPECT_EQ(o.blocks[2].catalogIndex, 2u);
    EXPECT_EQ(serialiseTrack(o.track, o.envelope, catalog), bytes);
}

TEST(StructuralReader, UncountedBlocksAnywhereInTheList) {
    ConvertedTrackBuilder b;
    b.collectionNames = {"Road"};
    b.block("Road", 0, 1, 1, 1, 0xFFFFFFFF);
    b.block("Road", 0, 2, 1, 1);
    b.block("Loop", 0, 3, 1, 1, 0xFFFFFFFF);
    std::vector<std::uint8_t> bytes = b.build();
    Opened o = openAndRoundTrip(bytes, stadium());
    EXPECT_EQ(countedBlocks(o.track), 1u);
    EXPECT_EQ(o.blocks.size(), 3u);
}

TEST(StructuralReader, EditedTrackReadsBackIntoTheEditedBlocks) {
    ConvertedTrackBuilder b;
    b.collectionNames = {"Road", "Loop"};
    b.block("Road", 0, 1, 1, 1, 0x8000);
    b.skinAuthor("painter");
    b.nodeNew(40);
    b.block("Loop", 0, 2, 1, 1, 0x8000);
    b.skinAuthor("painter");
    b.nodeRef(40);
    CatalogState catalog = stadium();
    Opened o = open(b.build(), catalog);
    ASSERT_TRUE(o.ok);
    // Delete the block that gave the skin node and the author's name; add a new kind.
    o.track.blocks.pop_front();
    BlockRecord added = *makeRecord(4, 1, 9, 8, 7, {0, 0, 0, 0}, 4);
    o.track.blocks.push_back(added);
    auto written = serialiseTrack(o.track, o.envelope, catalog);
    ASSERT_TRUE(written);

    auto again = readByStructure(*written, kStadiumEnv);
    ASSERT_TRUE(again);
    std::vector<BlockRecord> blocks(again->track.blocks.begin(), again->track.blocks.end());
    ASSERT_EQ(blocks.size(), 2u);
    EXPECT_EQ(blocks[0].keptName, "Loop");
    EXPECT_EQ(blocks[0].skin.author, "painter");
    ASSERT_TRUE(blocks[0].skin.skin.data);
    EXPECT_EQ(*blocks[0].skin.skin.data, *o.blocks[0].skin.skin.data);
    EXPECT_EQ(blocks[1].keptName, "Grass");
    EXPECT_EQ(blocks[1].x, 9);
    EXPECT_EQ(countedBlocks(again->track), 2u);

    Opened reopened = open(*written, catalog);
    ASSERT_TRUE(reopened.ok);
    EXPECT_EQ(reopened.blocks[1].catalogIndex, 4u);
}

TEST(StructuralReader, MalformedFilesFailCleanly) {
    CatalogState catalog = stadium();
    ConvertedTrackBuilder b;
    b.collectionNames = {"Road", "Loop", "Grass"};
    b.block("Road", 0, 1, 1, 1);
    addSkins(b);
    std::vector<std::uint8_t> bytes = b.build();
    ASSERT_TRUE(open(bytes, catalog).ok);
    // Every cut before the chunk that follows the list, the collection list included.
    for (std::size_t cut = 0; cut < b.tailStart + 4; ++cut) {
        std::vector<std::uint8_t> part(bytes.begin(), bytes.begin() + cut);
        Track track;
        TrackEnvelope envelope;
        EXPECT_FALSE(parseConvertedTrack(part, catalog, track, envelope)) << cut;
    }

    ConvertedTrackBuilder unknown;
    unknown.collectionNames = {"Road"};
    unknown.unknownChunkBeforeList = 0x03043099;
    unknown.block("Road", 0, 1, 1, 1);
    EXPECT_FALSE(open(unknown.build(), catalog).ok);

    ConvertedTrackBuilder tooMany;
    tooMany.collectionNames = {"Road"};
    tooMany.block("Road", 0, 1, 1, 1);
    tooMany.countOverride = 0x7FFFFFFF;
    EXPECT_FALSE(open(tooMany.build(), catalog).ok);

    ConvertedTrackBuilder hugeCollection;
    hugeCollection.collectionNames = {"Road"};
    std::vector<std::uint8_t> huge = hugeCollection.build();
    // The collection list's entry count stands behind its node number and two class ids.
    const std::uint8_t collectionClass[] = {0x00, 0xB0, 0x01, 0x03};
    auto countAt = std::search(huge.begin(), huge.end(), std::begin(collectionClass),
                               std::end(collectionClass));
    ASSERT_NE(countAt, huge.end());
    countAt[8 + 3] = 0x40;
    EXPECT_FALSE(open(huge, catalog).ok);
}

TEST(StructuralReader, TheListMustNameTheHeadersUid) {
    ConvertedTrackBuilder b;
    b.collectionNames = {"Road"};
    b.block("Road", 0, 1, 1, 1);
    std::vector<std::uint8_t> bytes = b.build();
    ASSERT_TRUE(readByStructure(bytes, 0));
    // Change the uid in the header only.
    auto at = std::search(bytes.begin(), bytes.end(), b.uid.begin(), b.uid.end());
    ASSERT_NE(at, bytes.end());
    *at = 'Z';
    EXPECT_FALSE(readByStructure(bytes, 0));

    // A uid longer than the 27 characters kept from the header still matches the list's.
    ConvertedTrackBuilder longUid;
    longUid.uid = std::string(27, 'u') + "more";
    longUid.collectionNames = {"Road"};
    longUid.block("Road", 0, 1, 1, 1);
    auto parsed = readByStructure(longUid.build(), 0);
    ASSERT_TRUE(parsed);
    EXPECT_EQ(parsed->track.uid, std::string(27, 'u'));
}

} // namespace
