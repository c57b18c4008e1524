#include <gtest/gtest.h>

#include "app/challenge_suffix.h"

TEST(ChallengeSuffix, AppendedToAPlainGbxName) {
    EXPECT_EQ(withChallengeSuffix("/t/track.gbx"), "/t/track.gbx.Challenge.Gbx");
    EXPECT_EQ(withChallengeSuffix("/t/track"), "/t/track.Challenge.Gbx");
}

TEST(ChallengeSuffix, KeptInAnyMixOfCase) {
    EXPECT_EQ(withChallengeSuffix("/t/a.Challenge.Gbx"), "/t/a.Challenge.Gbx");
    EXPECT_EQ(withChallengeSuffix("/t/a.CHALLENGE.gbx"), "/t/a.CHALLENGE.gbx");
    EXPECT_EQ(withChallengeSuffix(".challenge.gbx"), ".challenge.gbx");
}

TEST(ChallengeSuffix, NamesShorterThanTheSuffixGetIt) {
    EXPECT_EQ(withChallengeSuffix(""), ".Challenge.Gbx");
    EXPECT_EQ(withChallengeSuffix("a"), "a.Challenge.Gbx");
    EXPECT_EQ(withChallengeSuffix("hallenge.Gbx"), "hallenge.Gbx.Challenge.Gbx");
}

TEST(ChallengeSuffix, APartialSuffixIsNotEnough) {
    EXPECT_EQ(withChallengeSuffix("x.Challenge.Gb"), "x.Challenge.Gb.Challenge.Gbx");
    EXPECT_EQ(withChallengeSuffix("xChallenge.Gbx"), "xChallenge.Gbx.Challenge.Gbx");
}
