#include <gtest/gtest.h>

#include "catalog_fixture.h"
#include "converted_track_builder.h"
#include "readers_agree.h"
#include "track/track_reader.h"
#include "track/track_writer.h"

namespace {

constexpr int kStadiumEnv = 6;

struct Parsed {
    bool ok = false;
    Track track;
    TrackEnvelope envelope;
    std::vector<const BlockRecord*> blocks;
};

Parsed parse(const std::vector<std::uint8_t>& bytes, const CatalogState& catalog) {
    expectReadersAgree(bytes, catalog.environmentNames);
    Parsed p;
    p.ok = parseConvertedTrack(bytes, catalog, p.track, p.envelope);
    for (const BlockRecord& r : p.track.blocks)
        p.blocks.push_back(&r);
    return p;
}

CatalogState stadium() {
    return catalogWith(kStadiumEnv, namesWith(308, {{12, "Road"}, {20, "Loop"}, {196, "Capped"}}));
}

TEST(TrackReader, ReadsTheBlockListAndTheEnvelope) {
    ConvertedTrackBuilder b;
    b.block("Road", 1, 5, 7, 2);
    b.block("Road", 0, 6, 7, 2, 0x04030201);
    std::vector<std::uint8_t> bytes = b.build();

    Parsed p = parse(bytes, stadium());
    ASSERT_TRUE(p.ok);
    EXPECT_EQ(p.track.uid, b.uid);
    EXPECT_EQ(p.track.environment, kStadiumEnv);
    EXPECT_EQ(countedBlocks(p.track), 2u);
    ASSERT_EQ(p.blocks.size(), 2u);
    // The first spells the name out and takes number 6; the second refers to 6.
    EXPECT_EQ(p.blocks[0]->catalogIndex, 12u);
    EXPECT_EQ(p.blocks[1]->catalogIndex, 12u);
    EXPECT_EQ(p.blocks[0]->rotation, 1);
    EXPECT_EQ(p.blocks[0]->x, 5);
    EXPECT_EQ(p.blocks[0]->y, 7);
    EXPECT_EQ(p.blocks[0]->z, 2);
    EXPECT_EQ(p.blocks[1]->variant, (std::array<std::uint8_t, 4>{1, 2, 3, 4}));
    EXPECT_EQ(p.blocks[0]->flags, 0u);
    EXPECT_TRUE(p.blocks[0]->keptName.empty());

    std::vector<std::uint8_t> head(bytes.begin(), bytes.begin() + b.headLength);
    std::vector<std::uint8_t> tail(bytes.begin() + b.tailStart, bytes.end());
    EXPECT_EQ(p.envelope.headBytes, head);
    EXPECT_EQ(p.envelope.tailBytes, tail);
    EXPECT_EQ(p.envelope.tailBytes[0], 0x21);
}

TEST(TrackReader, EnvironmentFromTheDescriptionCode) {
    for (auto [envir, index] : std::vector<std::pair<std::string, int>>{
             {"Speed", 5}, {"Stadium", 6}, {"Coast", 2}, {"Alpine", 0}}) {
        ConvertedTrackBuilder b;
        b.envir = envir;
        b.block("Road", 0, 1, 1, 1);
        CatalogState catalog = catalogWith(index, {"Road"});
        catalog.currentEnvironment = 3;
        Parsed p = parse(b.build(), catalog);
        ASSERT_TRUE(p.ok) << envir;
        EXPECT_EQ(p.track.environment, index) << envir;
        EXPECT_EQ(p.blocks[0]->catalogIndex, 1u) << envir;
    }
}

TEST(TrackReader, NamesAreNumberedFromSixInListOrder) {
    ConvertedTrackBuilder b;
    b.block("Road", 0, 1, 1, 1);
    b.block("Mystery", 0, 2, 1, 1); // not in the catalogue: still takes number 7
    b.block("Loop", 0, 3, 1, 1);    // 8
    b.block("Mystery", 0, 4, 1, 1); // refers to 7
    b.block("Loop", 0, 5, 1, 1);    // refers to 8
    Parsed p = parse(b.build(), stadium());
    ASSERT_TRUE(p.ok);
    ASSERT_EQ(p.blocks.size(), 5u);
    EXPECT_EQ(p.blocks[0]->catalogIndex, 12u);
    EXPECT_EQ(p.blocks[1]->catalogIndex, 0u);
    EXPECT_EQ(p.blocks[1]->keptName, "Mystery");
    EXPECT_EQ(p.blocks[2]->catalogIndex, 20u);
    EXPECT_EQ(p.blocks[3]->keptName, "Mystery");
    EXPECT_EQ(p.blocks[4]->catalogIndex, 20u);
}

// The flag word is saved back as read, whatever the kind: index 196 included.
TEST(TrackReader, VariantBytesStayAsTheFileHasThem) {
    ConvertedTrackBuilder b;
    b.block("Capped", 0, 1, 1, 1, 17);
    b.block("Road", 0, 3, 1, 1, 17);
    b.block("Capped", 0, 4, 1, 1, 0x05040000 | 200);
    Parsed p = parse(b.build(), stadium());
    ASSERT_TRUE(p.ok);
    EXPECT_EQ(p.blocks[0]->catalogIndex, 196u);
    EXPECT_EQ(p.blocks[0]->variant[0], 17);
    EXPECT_EQ(p.blocks[1]->variant[0], 17);
    EXPECT_EQ(p.blocks[2]->variant, (std::array<std::uint8_t, 4>{200, 0, 4, 5}));
}

TEST(TrackReader, EmptyBlockList) {
    ConvertedTrackBuilder b;
    Parsed p = parse(b.build(), stadium());
    ASSERT_TRUE(p.ok);
    EXPECT_TRUE(p.track.blocks.empty());
    EXPECT_EQ(countedBlocks(p.track), 0u);
}

TEST(TrackReader, CountMustMatchTheCountedEntries) {
    ConvertedTrackBuilder b;
    b.block("Road", 0, 1, 1, 1);
    b.block("Road", 0, 2, 1, 1);
    b.countOverride = 3;
    Track track;
    track.uid = "before";
    TrackEnvelope envelope;
    envelope.headBytes = {9};
    EXPECT_FALSE(parseConvertedTrack(b.build(), stadium(), track, envelope));
    EXPECT_EQ(track.uid, "before");
    EXPECT_EQ(envelope.headBytes, std::vector<std::uint8_t>{9});

    // A block whose flag word is 0xFFFFFFFF is not counted.
    ConvertedTrackBuilder c;
    c.block("Road", 0, 1, 1, 1);
    c.block("Loop", 0, 2, 1, 1, 0xFFFFFFFF);
    c.block("Road", 0, 3, 1, 1);
    Parsed p = parse(c.build(), stadium());
    ASSERT_TRUE(p.ok);
    EXPECT_EQ(countedBlocks(p.track), 2u);
    EXPECT_EQ(p.blocks.size(), 3u);
}

TEST(TrackReader, AReferenceThatLeadsNowhereFailsTheOpen) {
    ConvertedTrackBuilder b;
    b.block("Road", 0, 1, 1, 1);
    b.u32(0x40000009); // number 9 was never given
    b.raw({0, 2, 1, 1});
    b.u32(0);
    b.countOverride = 2;
    Track track;
    track.uid = "before";
    TrackEnvelope envelope;
    EXPECT_FALSE(parseConvertedTrack(b.build(), stadium(), track, envelope));
    EXPECT_EQ(track.uid, "before");
    EXPECT_TRUE(envelope.headBytes.empty());
}

// Neither reader takes a block spelled out with an empty name: it could never be saved.
TEST(TrackReader, ABlockWithAnEmptyNameFailsTheOpen) {
    ConvertedTrackBuilder b;
    b.block("Road", 0, 1, 1, 1);
    b.u32(0x40000000);
    b.u32(0);
    b.raw({0, 2, 1, 1});
    b.u32(0);
    b.countOverride = 2;
    Track track;
    TrackEnvelope envelope;
    EXPECT_FALSE(parseConvertedTrack(b.build(), stadium(), track, envelope));
}

TEST(TrackReader, ReferenceFiveSkipsToBehindTheNextFacade) {
    ConvertedTrackBuilder b;
    b.block("Road", 0, 1, 1, 1);
    b.u32(0x40000005);
    b.raw({0xAA, 0xBB, 0xCC});
    b.u32(0xFACADE01);
    b.block("Road", 0, 2, 1, 1);
    Parsed p = parse(b.build(), stadium());
    ASSERT_TRUE(p.ok);
    ASSERT_EQ(p.blocks.size(), 2u);
    EXPECT_EQ(p.blocks[1]->catalogIndex, 12u);
    EXPECT_EQ(p.blocks[1]->x, 2);

    // An end marker right behind the skipped stretch ends the list.
    ConvertedTrackBuilder c;
    c.block("Road", 0, 1, 1, 1);
    c.u32(0x40000005);
    c.u32(0xFACADE01);
    Parsed q = parse(c.build(), stadium());
    ASSERT_TRUE(q.ok);
    EXPECT_EQ(q.blocks.size(), 1u);
}

TEST(TrackReader, SkinsOfAllThreeNodeKinds) {
    ConvertedTrackBuilder b;
    b.block("Road", 0, 1, 1, 1, 0x8000);
    b.skinAuthor("Nadeo"); // the head's number 5
    b.nodeNew(10, 0xAAAA);
    b.block("Road", 0, 2, 1, 1, 0x8000);
    b.skinAuthor("Nadeo");
    b.nodeRef(10);
    b.block("Loop", 0, 3, 1, 1, 0x108000);
    b.skinAuthor("painter"); // spelled out: takes number 8 after Road 6 and Loop 7
    b.nodeNone();
    b.nodeNew(11, 0xBBBB);
    b.block("Mystery", 0, 4, 1, 1); // 9
    b.block("Mystery", 0, 5, 1, 1, 0x8000);
    b.skinAuthor("painter");
    b.nodeRef(11);
    std::vector<std::uint8_t> bytes = b.build();

    CatalogState catalog = stadium();
    Parsed p = parse(bytes, catalog);
    ASSERT_TRUE(p.ok);
    ASSERT_EQ(p.blocks.size(), 5u);
    // The head's name 5 is known by its text; the save refers to it by its number again.
    EXPECT_EQ(p.blocks[0]->skin.author, "Nadeo");
    EXPECT_EQ(p.blocks[0]->skin.skin.number, 10u);
    ASSERT_TRUE(p.blocks[0]->skin.skin.data);
    EXPECT_EQ(p.blocks[0]->skin.skin.data->size(), 12u);
    EXPECT_EQ(p.blocks[1]->skin.skin.data, p.blocks[0]->skin.skin.data);
    EXPECT_EQ(p.blocks[2]->skin.author, "painter");
    EXPECT_EQ(p.blocks[2]->skin.skin.number, kNoNode);
    EXPECT_EQ(p.blocks[2]->skin.waypoint.number, 11u);
    EXPECT_EQ(p.blocks[3]->keptName, "Mystery");
    EXPECT_EQ(p.blocks[4]->skin.author, "painter");
    EXPECT_EQ(p.blocks[4]->skin.skin.data, p.blocks[2]->skin.waypoint.data);

    auto written = serialiseTrack(p.track, p.envelope, catalog);
    ASSERT_TRUE(written);
    EXPECT_EQ(*written, bytes);
}

TEST(TrackReader, SharedSkinNodeSurvivesTheDeletionOfItsFirstBlock) {
    ConvertedTrackBuilder b;
    b.block("Road", 0, 1, 1, 1, 0x8000);
    b.skinAuthor("painter");
    b.nodeNew(10, 0xAAAA);
    b.block("Loop", 0, 2, 1, 1, 0x8000);
    b.skinAuthor("painter");
    b.nodeRef(10);
    CatalogState catalog = stadium();
    Parsed p = parse(b.build(), catalog);
    ASSERT_TRUE(p.ok);
    p.track.blocks.pop_front();

    auto written = serialiseTrack(p.track, p.envelope, catalog);
    ASSERT_TRUE(written);
    ConvertedTrackBuilder expected;
    expected.block("Loop", 0, 2, 1, 1, 0x8000);
    expected.skinAuthor("painter");
    expected.nodeNew(10, 0xAAAA);
    EXPECT_EQ(*written, expected.build());

    Parsed again = parse(*written, catalog);
    ASSERT_TRUE(again.ok);
    ASSERT_EQ(again.blocks.size(), 1u);
    EXPECT_EQ(again.blocks[0]->catalogIndex, 20u);
    EXPECT_EQ(again.blocks[0]->skin.author, "painter");
    ASSERT_TRUE(again.blocks[0]->skin.skin.data);
}

TEST(TrackReader, TruncatedFilesFailWithoutReadingPastTheEnd) {
    ConvertedTrackBuilder b;
    b.block("Road", 0, 1, 1, 1, 0x8000);
    b.skinAuthor("painter");
    b.nodeNew(10);
    b.block("Road", 0, 2, 1, 1);
    std::vector<std::uint8_t> bytes = b.build();
    CatalogState catalog = stadium();
    // Every cut before the end marker fails; cuts inside the tail only shorten the tail.
    for (std::size_t cut = 0; cut < b.tailStart + 4; ++cut) {
        std::vector<std::uint8_t> part(bytes.begin(), bytes.begin() + cut);
        Track track;
        TrackEnvelope envelope;
        EXPECT_FALSE(parseConvertedTrack(part, catalog, track, envelope)) << cut;
    }
}

TEST(TrackReader, NameLengthRunningPastTheEndFails) {
    ConvertedTrackBuilder b;
    b.u32(0x40000000);
    b.u32(0xFFFFFF00);
    b.raw({'R', 'o'});
    b.countOverride = 1;
    Parsed p = parse(b.build(), stadium());
    EXPECT_FALSE(p.ok);

    ConvertedTrackBuilder c;
    c.omitFollowingChunk = true; // no end marker ever follows
    c.block("Road", 0, 1, 1, 1);
    EXPECT_FALSE(parse(c.build(), stadium()).ok);
}

TEST(TrackReader, DamagedFilesNeverReadOutsideTheBuffer) {
    ConvertedTrackBuilder b;
    b.collectionNames = {"Loop"};
    b.block("Road", 0, 1, 1, 1, 0x8000);
    b.skinAuthor("painter");
    b.nodeNew(10);
    b.block("Loop", 0, 2, 1, 1, 0x108000);
    b.skinAuthor("painter");
    b.nodeRef(10);
    b.nodeNew(11);
    b.block("Road", 0, 3, 1, 1);
    const std::vector<std::uint8_t> bytes = b.build();
    CatalogState catalog = stadium();
    std::uint32_t seed = 12345;
    auto next = [&seed] {
        seed = seed * 1103515245 + 12345;
        return seed >> 8;
    };
    // Damage a few bytes at a time anywhere in the file; whatever opens must save again.
    for (int round = 0; round < 3000; ++round) {
        std::vector<std::uint8_t> damaged = bytes;
        for (int k = 0; k < 1 + round % 4; ++k)
            damaged[next() % damaged.size()] = static_cast<std::uint8_t>(next());
        Track track;
        TrackEnvelope envelope;
        if (parseConvertedTrack(damaged, catalog, track, envelope) && countedBlocks(track) > 0) {
            auto written = serialiseTrack(track, envelope, catalog);
            if (written) {
                Track again;
                TrackEnvelope againEnvelope;
                EXPECT_TRUE(parseConvertedTrack(*written, catalog, again, againEnvelope)) << round;
            }
        }
    }
}

} // namespace
