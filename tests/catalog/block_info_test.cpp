#include <vector>

#include <gtest/gtest.h>

#include "catalog/block_info.h"

namespace {

std::vector<std::uint8_t> infoBytes(const std::vector<BlockUnit>& units) {
    std::vector<std::uint8_t> b{static_cast<std::uint8_t>(units.size()),
                                static_cast<std::uint8_t>(units.size() >> 8)};
    for (const BlockUnit& u : units) {
        b.push_back(static_cast<std::uint8_t>(u.x));
        b.push_back(static_cast<std::uint8_t>(u.y));
        b.push_back(static_cast<std::uint8_t>(u.z));
    }
    return b;
}

CatalogEntry parsed(const std::vector<BlockUnit>& units) {
    CatalogEntry e;
    auto bytes = infoBytes(units);
    EXPECT_TRUE(parseBlockInfo(bytes.data(), bytes.size(), e));
    return e;
}

TEST(BlockInfo, SingleUnitHasNoExtent) {
    CatalogEntry e = parsed({{0, 0, 0}});
    EXPECT_EQ(e.unitCount(), 1);
    EXPECT_EQ(e.halfSizeX, 0);
    EXPECT_EQ(e.halfSizeY, 0);
    EXPECT_EQ(e.maxHeight, 0);
}

TEST(BlockInfo, HalfSizesComeFromTheExtents) {
    CatalogEntry e = parsed({{0, 0, 0}, {1, 0, 0}, {2, 0, 0}, {0, 1, 0}});
    EXPECT_EQ(e.halfSizeX, 1.0f);
    EXPECT_EQ(e.halfSizeY, 0.5f);
    EXPECT_EQ(e.unitCount(), 4);
    EXPECT_EQ(e.units[3].y, 1);
}

TEST(BlockInfo, MaxHeightCountsEveryUnitAndNeverGoesBelowZero) {
    EXPECT_EQ(parsed({{0, 0, 0}, {0, 0, 3}}).maxHeight, 3.0f);
    EXPECT_EQ(parsed({{0, 0, 0}, {0, 0, -2}}).maxHeight, 0.0f);
    // The first unit's own height counts too.
    EXPECT_EQ(parsed({{0, 0, 2}, {1, 0, 1}}).maxHeight, 2.0f);
}

TEST(BlockInfo, BytesAreSigned) {
    CatalogEntry e = parsed({{-1, 0, 0}, {1, 0, 0}});
    EXPECT_EQ(e.units[0].x, -1);
    EXPECT_EQ(e.halfSizeX, 1.0f);
    std::vector<std::uint8_t> raw{1, 0, 0xFF, 0xFF, 0xFF};
    CatalogEntry f;
    ASSERT_TRUE(parseBlockInfo(raw.data(), raw.size(), f));
    EXPECT_EQ(f.units[0].x, -1);
    EXPECT_EQ(f.units[0].z, -1);
}

TEST(BlockInfo, MalformedFilesAreRefusedWithoutTouchingTheEntry) {
    CatalogEntry e;
    setDefaultBlockInfo(e);
    std::vector<std::vector<std::uint8_t>> bad = {
        {},                    // empty
        {1},                   // count cut short
        {0, 0},                // no units
        {2, 0, 1, 2, 3},       // two units promised, one present
        {0xFF, 0xFF, 1, 1, 1}, // huge count
    };
    for (const auto& bytes : bad) {
        EXPECT_FALSE(parseBlockInfo(bytes.data(), bytes.size(), e));
        ASSERT_EQ(e.unitCount(), 1);
        EXPECT_EQ(e.units[0].x, 0);
        EXPECT_EQ(e.units[0].z, 0);
        EXPECT_EQ(e.halfSizeX, 0);
    }
    EXPECT_FALSE(readBlockInfo("/nonexistent/file.bzi", e));
}

TEST(BlockInfo, TrailingBytesAreIgnored) {
    auto bytes = infoBytes({{1, 2, 3}});
    bytes.push_back(9);
    bytes.push_back(9);
    CatalogEntry e;
    ASSERT_TRUE(parseBlockInfo(bytes.data(), bytes.size(), e));
    EXPECT_EQ(e.unitCount(), 1);
}

} // namespace
