#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "catalog_fixture.h"
#include "converted_track_builder.h"
#include "file_bytes.h"
#include "temp_folder.h"
#include "track/track_reader.h"
#include "track/track_writer.h"

namespace {

constexpr int kStadiumEnv = 6;

BlockRecord block(std::uint32_t index, std::uint8_t rotation, std::int8_t x, std::int8_t y,
                  std::int8_t z, std::array<std::uint8_t, 4> variant = {}) {
    BlockRecord r;
    r.catalogIndex = index;
    r.rotation = rotation;
    r.x = x;
    r.y = y;
    r.z = z;
    r.variant = variant;
    return r;
}

Track trackOf(std::vector<BlockRecord> records) {
    Track t;
    for (BlockRecord& r : records)
        t.blocks.push_back(r);
    return t;
}

TEST(TrackWriter, TwoRoadBlocksWithoutAnEnvelope) {
    CatalogState catalog = catalogWith(kStadiumEnv, namesWith(30, {{12, "Road"}}));
    Track track = trackOf({block(12, 1, 5, 7, 2), block(12, 0, 6, 7, 2)});
    auto bytes = serialiseTrack(track, TrackEnvelope{}, catalog);
    ASSERT_TRUE(bytes);
    std::vector<std::uint8_t> expected = {
        0x02, 0x00, 0x00, 0x00,                         // count
        0x00, 0x00, 0x00, 0x40, 0x04, 0x00, 0x00, 0x00, // first: spelled out
        0x52, 0x6F, 0x61, 0x64, 0x01, 0x05, 0x02, 0x07, 0x00, 0x00, 0x00, 0x00,
        0x06, 0x00, 0x00, 0x40, 0x00, 0x06, 0x02, 0x07, 0x00, 0x00, 0x00, 0x00, // second: 6
    };
    EXPECT_EQ(*bytes, expected);
}

TEST(TrackWriter, DistinctKindsTakeSixSevenEight) {
    CatalogState catalog =
        catalogWith(kStadiumEnv, namesWith(308, {{1, "A"}, {2, "BB"}, {308, "Last"}}));
    Track track = trackOf(
        {block(1, 0, 0, 0, 0), block(2, 0, 0, 0, 0), block(308, 0, 0, 0, 0), block(2, 0, 1, 0, 0)});
    auto bytes = serialiseTrack(track, TrackEnvelope{}, catalog);
    ASSERT_TRUE(bytes);
    // count, A (9+8), BB (10+8), Last (12+8), then a reference to 7.
    ASSERT_EQ(bytes->size(), 4u + 17 + 18 + 20 + 12);
    const std::uint8_t* last = bytes->data() + bytes->size() - 12;
    EXPECT_EQ(last[0], 7);
    EXPECT_EQ(last[3], 0x40);
    EXPECT_EQ(std::string(bytes->begin() + 4 + 17 + 18 + 8, bytes->begin() + 4 + 17 + 18 + 12),
              "Last");
}

TEST(TrackWriter, UnknownNamesAndNamelessBlocks) {
    CatalogState catalog = catalogWith(kStadiumEnv, {"Road"});
    BlockRecord unknown = block(0, 0, 1, 1, 1);
    unknown.keptName = "Mystery";
    Track track = trackOf({block(1, 0, 0, 0, 0), unknown, block(9, 0, 0, 0, 0)});
    // Index 9 is past the catalogue and the record kept no name: nothing to write it under.
    EXPECT_FALSE(serialiseTrack(track, TrackEnvelope{}, catalog));
    track.blocks.pop_back();
    auto bytes = serialiseTrack(track, TrackEnvelope{}, catalog);
    ASSERT_TRUE(bytes);
    std::string text(bytes->begin(), bytes->end());
    EXPECT_NE(text.find("Mystery"), std::string::npos);
}

TEST(TrackWriter, CountLeavesOutUncountedBlocksAndFlagBitsGetTheirReferences) {
    CatalogState catalog = catalogWith(kStadiumEnv, {"Road"});
    // A block given the skin bit by an edit has no kept skin: it gets an empty author and no node.
    Track track = trackOf(
        {block(1, 0, 0, 0, 0, {0, 0x80, 0x10, 0}), block(1, 0, 1, 0, 0, {0xFF, 0xFF, 0xFF, 0xFF})});
    auto bytes = serialiseTrack(track, TrackEnvelope{}, catalog);
    ASSERT_TRUE(bytes);
    EXPECT_EQ((*bytes)[0], 1);
    std::vector<std::uint8_t> skinTail(bytes->begin() + 4 + 20, bytes->begin() + 4 + 32);
    EXPECT_EQ(skinTail, std::vector<std::uint8_t>(12, 0xFF));
    EXPECT_EQ(bytes->size(), 4u + 20 + 12 + 12);
}

TEST(TrackWriter, EmptyTrackLeavesTheTargetUntouched) {
    TempFolder folder;
    std::filesystem::path target = folder.path() / "t.Challenge.Gbx";
    writeFile(target, {1, 2, 3});
    CatalogState catalog = catalogWith(kStadiumEnv, {"Road"});
    EXPECT_FALSE(saveTrack(target, Track{}, TrackEnvelope{}, catalog));
    EXPECT_EQ(readFile(target), (std::vector<std::uint8_t>{1, 2, 3}));
    EXPECT_FALSE(saveTrack(folder.path() / "new.Gbx", Track{}, TrackEnvelope{}, catalog));
    EXPECT_FALSE(std::filesystem::exists(folder.path() / "new.Gbx"));
}

TEST(TrackWriter, SaveReplacesTheTargetWhole) {
    TempFolder folder;
    std::filesystem::path target = folder.path() / "t.Challenge.Gbx";
    writeFile(target, std::vector<std::uint8_t>(1000, 7));
    CatalogState catalog = catalogWith(kStadiumEnv, {"Road"});
    Track track = trackOf({block(1, 2, 3, 4, 5)});
    TrackEnvelope envelope;
    envelope.headBytes = {'H'};
    envelope.tailBytes = {0x21, 0x30, 0x04, 0x03};
    ASSERT_TRUE(saveTrack(target, track, envelope, catalog));
    EXPECT_EQ(readFile(target), *serialiseTrack(track, envelope, catalog));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.path()),
                            std::filesystem::directory_iterator()),
              1);
}

TEST(TrackWriter, SavingThroughALinkReplacesTheLinkedFile) {
    TempFolder folder;
    std::filesystem::path real = folder.path() / "real.Gbx";
    std::filesystem::path link = folder.path() / "link.Gbx";
    writeFile(real, {1});
    std::filesystem::create_symlink(real, link);
    CatalogState catalog = catalogWith(kStadiumEnv, {"Road"});
    Track track = trackOf({block(1, 0, 0, 0, 0)});
    ASSERT_TRUE(saveTrack(link, track, TrackEnvelope{}, catalog));
    EXPECT_TRUE(std::filesystem::is_symlink(link));
    EXPECT_EQ(readFile(real), *serialiseTrack(track, TrackEnvelope{}, catalog));
}

TEST(TrackWriter, FailedSaveLeavesTheOldFileAndNoTemporary) {
    TempFolder folder;
    CatalogState catalog = catalogWith(kStadiumEnv, {"Road"});
    Track good = trackOf({block(1, 0, 0, 0, 0)});
    // The target's folder does not exist.
    EXPECT_FALSE(saveTrack(folder.path() / "missing" / "t.Gbx", good, TrackEnvelope{}, catalog));
    // The target is a folder: it cannot be replaced, and stays as it was.
    std::filesystem::path occupied = folder.path() / "occupied";
    std::filesystem::create_directory(occupied);
    writeFile(occupied / "inside", {4});
    EXPECT_FALSE(saveTrack(occupied, good, TrackEnvelope{}, catalog));
    EXPECT_EQ(readFile(occupied / "inside"), std::vector<std::uint8_t>{4});
    // A block without a name to write: the old file stays.
    std::filesystem::path target = folder.path() / "t.Gbx";
    writeFile(target, {1, 2});
    EXPECT_FALSE(saveTrack(target, trackOf({block(0, 0, 0, 0, 0)}), TrackEnvelope{}, catalog));
    EXPECT_EQ(readFile(target), (std::vector<std::uint8_t>{1, 2}));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.path()),
                            std::filesystem::directory_iterator()),
              2);
}

// A file its owner made read-only is never replaced, even though its folder allows a rename
// over it. Run as another user when the tests run as root, who may write any file.
TEST(TrackWriter, ReadOnlyTargetStaysAsItWas) {
    TempFolder folder;
    std::filesystem::permissions(folder.path(), std::filesystem::perms::all);
    std::filesystem::path target = folder.path() / "t.Gbx";
    writeFile(target, {1, 2});
    std::filesystem::permissions(target, std::filesystem::perms::owner_read |
                                             std::filesystem::perms::group_read |
                                             std::filesystem::perms::others_read);
    CatalogState catalog = catalogWith(kStadiumEnv, {"Road"});
    Track good = trackOf({block(1, 0, 0, 0, 0)});
    pid_t child = fork();
    if (child == 0) {
        if (geteuid() == 0 && (setgid(65534) != 0 || setuid(65534) != 0))
            _exit(2);
        _exit(saveTrack(target, good, TrackEnvelope{}, catalog) ? 1 : 0);
    }
    int status = -1;
    waitpid(child, &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    EXPECT_EQ(readFile(target), (std::vector<std::uint8_t>{1, 2}));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.path()),
                            std::filesystem::directory_iterator()),
              1);
}

TEST(TrackWriter, NewFileFollowsTheUmaskAndLongNamesSave) {
    TempFolder folder;
    CatalogState catalog = catalogWith(kStadiumEnv, {"Road"});
    Track good = trackOf({block(1, 0, 0, 0, 0)});
    mode_t previous = umask(027);
    std::filesystem::path target = folder.path() / "t.Gbx";
    bool saved = saveTrack(target, good, TrackEnvelope{}, catalog);
    umask(previous);
    ASSERT_TRUE(saved);
    struct stat made {};
    ASSERT_EQ(stat(target.c_str(), &made), 0);
    EXPECT_EQ(made.st_mode & 0777, 0640u);

    // A name of the longest length a file system takes.
    std::filesystem::path longName = folder.path() / (std::string(241, 'n') + ".Challenge.Gbx");
    ASSERT_TRUE(saveTrack(longName, good, TrackEnvelope{}, catalog));
    EXPECT_EQ(readFile(longName), *serialiseTrack(good, TrackEnvelope{}, catalog));
}

TEST(TrackWriter, UneditedTrackRoundTripsByteForByte) {
    ConvertedTrackBuilder b;
    b.block("Road", 0, 1, 2, 3, 0x00010203);
    b.block("Mystery", 3, 250, 2, 3);
    b.block("Road", 2, 4, 5, 6, 0xFFFFFFFF);
    b.block("Mystery", 1, 7, 8, 9, 0x8000);
    b.skinAuthor("Nadeo");
    b.nodeNew(21);
    std::vector<std::uint8_t> bytes = b.build();
    CatalogState catalog = catalogWith(kStadiumEnv, {"Road"});
    Track track;
    TrackEnvelope envelope;
    ASSERT_TRUE(parseConvertedTrack(bytes, catalog, track, envelope));
    auto written = serialiseTrack(track, envelope, catalog);
    ASSERT_TRUE(written);
    EXPECT_EQ(*written, bytes);
}

TEST(TrackWriter, SkippedStretchesAreNotWrittenBack) {
    ConvertedTrackBuilder b;
    b.block("Road", 0, 1, 1, 1);
    b.u32(0x40000005);
    b.raw({0xAA, 0xBB});
    b.u32(0xFACADE01);
    b.block("Road", 0, 2, 1, 1);
    std::vector<std::uint8_t> bytes = b.build();
    CatalogState catalog = catalogWith(kStadiumEnv, {"Road"});
    Track track;
    TrackEnvelope envelope;
    ASSERT_TRUE(parseConvertedTrack(bytes, catalog, track, envelope));
    auto written = serialiseTrack(track, envelope, catalog);
    ASSERT_TRUE(written);
    ConvertedTrackBuilder expected;
    expected.block("Road", 0, 1, 1, 1);
    expected.block("Road", 0, 2, 1, 1);
    EXPECT_EQ(*written, expected.build());
}

} // namespace
