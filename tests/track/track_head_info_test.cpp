#include <gtest/gtest.h>

#include "file_bytes.h"
#include "real_tracks.h"
#include "track/byte_reading.h"
#include "track/track_head_info.h"

namespace {

// The head of each real track, as read by hand from its bytes: the header's text and the times
// of the first chunk (0x03043002 or 0x24003002) agree.
struct Expected {
    const char* file;
    const char* environment;
    const char* mood;
    std::uint32_t bronze, silver, gold, authorTime;
    int laps;
};

constexpr Expected kTracks[] = {
    {"A01-Race", "Stadium", "Sunset", 38030, 29190, 25870, 24540, 0},
    {"B08-Endurance", "Stadium", "Day", 153670, 122440, 107960, 102500, 5},
    {"B14-Speed", "Stadium", "Night", 49930, 40290, 35190, 32980, 0},
    {"BayC2", "Bay", "Sunset", 67530, 55080, 48000, 45310, 0},
    {"CoastD3", "Coast", "Day", 69250, 50900, 48450, 46160, 0},
    {"D06-Obstacle", "Stadium", "Night", 106810, 84770, 74280, 70530, 3},
    {"DesertC3", "Speed", "30x30sunrise", 48690, 38200, 32970, 30980, 0},
    {"IslandD5", "Island", "Night", 110590, 90520, 82380, 78280, 0},
    {"LC Micro 1", "Stadium", "Day", 14000, 11000, 10000, 8680, 0},
    {"RallyD3", "Rally", "30x30Sunset", 61640, 49050, 45850, 43740, 0},
    {"SnowD2", "Alpine", "30x30", 67590, 54690, 50020, 48020, 0},
    {"StuntB1", "Alpine", "Sunset", 80, 140, 200, 23990, 0},
};

TEST(TrackHeadInfo, EachRealTrackReadsAsItsBytesSay) {
    if (realTrackFiles().empty())
        GTEST_SKIP() << "no real tracks";
    for (const Expected& expected : kTracks) {
        SCOPED_TRACE(expected.file);
        const TrackHeadInfo info = readTrackHead(
            readFile(realTracksFolder() / (std::string(expected.file) + ".Challenge.Gbx")));
        EXPECT_EQ(info.name, expected.file);
        EXPECT_EQ(info.author, std::string(expected.file) == "LC Micro 1" ? "carigs" : "Nadeo");
        EXPECT_EQ(info.environment, expected.environment);
        EXPECT_EQ(info.mood, expected.mood);
        EXPECT_EQ(info.bronze, expected.bronze);
        EXPECT_EQ(info.silver, expected.silver);
        EXPECT_EQ(info.gold, expected.gold);
        EXPECT_EQ(info.authorTime, expected.authorTime);
        EXPECT_EQ(info.laps, expected.laps);
        // No chunk of these versions (10 and 11) records the checkpoints.
        EXPECT_EQ(info.unread, std::vector<std::string>{"checkpoints"});
    }
    EXPECT_EQ(raceTime(24540), "0:24.54");
    EXPECT_EQ(raceTime(153670), "2:33.67");
}

// A head cut short shows what it holds and names the rest; the times of a head without its text
// come from the first chunk, and its version 13 records the checkpoints and laps.
TEST(TrackHeadInfo, AHeadLackingFieldsShowsWhatItHolds) {
    const std::string text = "<header><ident uid=\"u\" name=\"Cut\" author=\"me\"/><desc envir=";
    const TrackHeadInfo cut = readTrackHead({text.begin(), text.end()});
    EXPECT_EQ(cut.name, "Cut");
    EXPECT_EQ(cut.author, "me");
    EXPECT_EQ(cut.unread.size(), 10u);
    EXPECT_EQ(cut.unread.front(), "environment");
    EXPECT_EQ(headInfoLines(cut)[2],
              (std::pair<std::string, std::string>{"Environment", "not in the head"}));
    EXPECT_TRUE(readTrackHead({}).unread.size() == 12u);

    std::vector<std::uint8_t> head = {'G', 'B', 'X', 6, 0, 'B', 'U', 'C', 'R'};
    std::vector<std::uint8_t> chunk = {13};
    for (std::uint32_t value :
         {0u, 3000u, 2000u, 1000u, 900u, 5u, 1u, 0u, 0u, 900u, 0u, 0u, 7u, 3u})
        appendU32(chunk, value);
    for (std::uint32_t value :
         {0x03043000u, 0u, 1u, 0x03043002u, static_cast<std::uint32_t>(chunk.size())})
        appendU32(head, value);
    head.insert(head.end(), chunk.begin(), chunk.end());
    const TrackHeadInfo binary = readTrackHead(head);
    EXPECT_EQ(binary.bronze, 3000u);
    EXPECT_EQ(binary.authorTime, 900u);
    EXPECT_EQ(binary.authorScore, 900u);
    EXPECT_EQ(binary.checkpoints, 7);
    EXPECT_EQ(binary.laps, 3);
    EXPECT_FALSE(binary.name.has_value());
}

} // namespace
