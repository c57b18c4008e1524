#include <gtest/gtest.h>

#include "app/command_line.h"
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

TEST(VirtualKey, KeyPositionsOfTheLetterRows) {
    EXPECT_EQ(letterAtXkbKeycode(24), 'Q');
    EXPECT_EQ(letterAtXkbKeycode(25), 'W');
    EXPECT_EQ(letterAtXkbKeycode(33), 'P');
    EXPECT_EQ(letterAtXkbKeycode(38), 'A');
    EXPECT_EQ(letterAtXkbKeycode(46), 'L');
    EXPECT_EQ(letterAtXkbKeycode(52), 'Z');
    EXPECT_EQ(letterAtXkbKeycode(58), 'M');
    for (unsigned between : {0u, 23u, 34u, 37u, 47u, 51u, 59u, 300u})
        EXPECT_EQ(letterAtXkbKeycode(between), 0) << between;
}
