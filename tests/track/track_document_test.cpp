#include <gtest/gtest.h>

#include "edit/track_document.h"
#include "track/track.h"

namespace {

Track trackWithBlocks(int n) {
    Track t;
    t.uid = "abcdef";
    t.environment = 4;
    for (int i = 0; i < n; ++i) {
        BlockRecord r;
        r.catalogIndex = i + 1;
        t.blocks.push_back(r);
    }
    return t;
}

TEST(ClearTrack, ReleasesBlocksAndKeepsIdentity) {
    Track t = trackWithBlocks(3);
    clearTrack(&t);
    EXPECT_TRUE(t.blocks.empty());
    EXPECT_EQ(countedBlocks(t), 0u);
    EXPECT_EQ(t.uid, "abcdef");
    EXPECT_EQ(t.environment, 4);

    clearTrack(&t);
    EXPECT_TRUE(t.blocks.empty());
    EXPECT_EQ(t.uid, "abcdef");
    clearTrack(nullptr);
}

TEST(ReleaseTrack, EmptiesTheTrackAndLeavesTheEnvelopeAndPathAlone) {
    // The envelope lives beside the track: taking the blocks away must not touch it.
    const TrackEnvelope envelope{{1, 2, 3}, {0x21, 0x30, 0x04, 0x03}, {"", "Nadeo", "", "", ""}};
    TrackDocument document;
    document.replaceTrack(trackWithBlocks(2), envelope, "/tracks/A01.Gbx");
    const Track released = document.releaseTrack();
    EXPECT_EQ(released.blocks.size(), 2u);
    EXPECT_TRUE(document.blocks().empty());
    EXPECT_EQ(document.envelope().headBytes, envelope.headBytes);
    EXPECT_EQ(document.envelope().tailBytes, envelope.tailBytes);
    EXPECT_EQ(document.envelope().headNames, envelope.headNames);
    EXPECT_EQ(document.path(), "/tracks/A01.Gbx");
}

TEST(MakeRecord, AcceptsOnlyTheIndexesOfItsCatalogue) {
    std::array<std::uint8_t, 4> v{1, 2, 3, 4};
    EXPECT_FALSE(makeRecord(0, 0, 0, 0, 0, v, 363).has_value());
    EXPECT_FALSE(makeRecord(364, 0, 0, 0, 0, v, 363).has_value());
    EXPECT_FALSE(makeRecord(1, 0, 0, 0, 0, v, 0).has_value());
    auto first = makeRecord(1, 2, -3, 4, 5, v, 363);
    ASSERT_TRUE(first.has_value());
    EXPECT_EQ(first->catalogIndex, 1u);
    EXPECT_EQ(first->rotation, 2);
    EXPECT_EQ(first->x, -3);
    EXPECT_EQ(first->y, 4);
    EXPECT_EQ(first->z, 5);
    EXPECT_EQ(first->variant, v);
    EXPECT_EQ(first->flags, 0u);
    EXPECT_TRUE(makeRecord(309, 0, 0, 0, 0, v, 363).has_value());
    EXPECT_TRUE(makeRecord(363, 0, 0, 0, 0, v, 363).has_value());
}

TEST(Track, RecordAddressesSurviveOtherInsertionsAndRemovals) {
    Track t = trackWithBlocks(3);
    BlockRecord* second = &*std::next(t.blocks.begin());
    t.blocks.push_back(BlockRecord{});
    t.blocks.erase(t.blocks.begin());
    EXPECT_EQ(&t.blocks.front(), second);
}

} // namespace
