#include <gtest/gtest.h>

#include "recovery/recovery_file.h"

namespace {

TEST(RecoveryFile, WhatIsWrittenReadsBackAndDamageIsRefused) {
    RecoveryCopy copy{"/home/me/tracks/My track.Challenge.Gbx", 1765158000123, {1, 2, 3, 0, 255}};
    const std::vector<std::uint8_t> bytes = encodeRecoveryCopy(copy);
    std::optional<RecoveryCopy> back = decodeRecoveryCopy(bytes);
    ASSERT_TRUE(back);
    EXPECT_EQ(back->trackPath, copy.trackPath);
    EXPECT_EQ(back->writtenAtMs, copy.writtenAtMs);
    EXPECT_EQ(back->trackBytes, copy.trackBytes);

    // Any flipped bit, any cut, anything added.
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        std::vector<std::uint8_t> flipped = bytes;
        flipped[i] ^= 0x10;
        EXPECT_FALSE(decodeRecoveryCopy(flipped)) << "byte " << i;
        EXPECT_FALSE(decodeRecoveryCopy({bytes.begin(), bytes.begin() + i})) << "cut at " << i;
    }
    std::vector<std::uint8_t> longer = bytes;
    longer.push_back(0);
    EXPECT_FALSE(decodeRecoveryCopy(longer));
}

} // namespace
