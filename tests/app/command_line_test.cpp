#include <gtest/gtest.h>

#include "app/command_line.h"
#include "app/recent_tracks.h"
#include "app/virtual_key.h"

using Kind = CommandLine::Kind;

TEST(CommandLine, ATrackOrNothingStarts) {
    EXPECT_EQ(parseCommandLine({}).kind, Kind::Start);
    EXPECT_FALSE(parseCommandLine({}).track);
    const CommandLine one = parseCommandLine({"my track.Challenge.Gbx"});
    EXPECT_EQ(one.kind, Kind::Start);
    EXPECT_EQ(one.track, "my track.Challenge.Gbx");
    // After "--" a name that looks like an option is a track.
    EXPECT_EQ(parseCommandLine({"--", "-odd.Challenge.Gbx"}).track, "-odd.Challenge.Gbx");
    // A lone "-" is no option either.
    EXPECT_EQ(parseCommandLine({"-"}).track, "-");
}

TEST(CommandLine, FaultsAreErrorsButHelpAndVersionWin) {
    const CommandLine two = parseCommandLine({"a.gbx", "b.gbx"});
    EXPECT_EQ(two.kind, Kind::Error);
    EXPECT_EQ(exitCodeOf(two), 2);
    EXPECT_NE(two.text.find("'b.gbx'"), std::string::npos);
    EXPECT_EQ(parseCommandLine({"--bogus"}).kind, Kind::Error);
    EXPECT_EQ(parseCommandLine({"--bogus", "--help"}).kind, Kind::Help);
    EXPECT_EQ(parseCommandLine({"a.gbx", "-v"}).kind, Kind::Version);
    EXPECT_EQ(exitCodeOf(parseCommandLine({"-h"})), 0);
    EXPECT_EQ(parseCommandLine({"--", "--help"}).kind, Kind::Start);
}

TEST(RecentTracks, NewestFirstEachOnceAtMostTen) {
    std::vector<std::string> tracks;
    for (int i = 0; i < 12; ++i)
        tracks = withRecentTrack(tracks, std::to_string(i));
    tracks = withRecentTrack(tracks, "5");
    EXPECT_EQ(tracks,
              (std::vector<std::string>{"5", "11", "10", "9", "8", "7", "6", "4", "3", "2"}));
    EXPECT_EQ(withoutRecentTrack(tracks, "9").size(), 9u);
}

TEST(VirtualKey, TheLetterRowsEndsByKeyPosition) {
    const std::pair<unsigned, int> ends[] = {{23, 0},   {24, 'Q'}, {33, 'P'}, {34, 0},   {38, 'A'},
                                             {46, 'L'}, {47, 0},   {52, 'Z'}, {58, 'M'}, {59, 0}};
    for (const auto& [keycode, letter] : ends)
        EXPECT_EQ(letterAtXkbKeycode(keycode), letter) << keycode;
}
