#include <gtest/gtest.h>

#include "view/block_placement.h"

namespace {

CatalogState catalogWith(int environment, float halfX, float halfY, float maxHeight) {
    CatalogState c;
    c.currentEnvironment = environment;
    CatalogEntry e;
    e.name = "Wide";
    e.halfSizeX = halfX;
    e.halfSizeY = halfY;
    e.maxHeight = maxHeight;
    c.catalogs[environment].entries.push_back(e);
    return c;
}

BlockRecord block(std::uint32_t index, int x, int y, int z, int rotation = 0) {
    BlockRecord r;
    r.catalogIndex = index;
    r.x = static_cast<std::int8_t>(x);
    r.y = static_cast<std::int8_t>(y);
    r.z = static_cast<std::int8_t>(z);
    r.rotation = static_cast<std::uint8_t>(rotation);
    return r;
}

TEST(BlockAnchor, OneCellBlockSitsAtTheCellCentreOfItsLevel) {
    CatalogState c = catalogWith(0, 0, 0, 0);
    Vec3 a = blockAnchor(block(1, 3, 7, 1), c);
    EXPECT_NEAR(a.x, -3 * 41.7 - 20.85, 1e-4);
    EXPECT_NEAR(a.y, 7 * 41.7 + 20.85, 1e-4);
    EXPECT_NEAR(a.z, 10.1 - 5.05 - 1.257, 1e-5);
    // Computed from the single-precision measures.
    EXPECT_EQ(a.x, -3.0 * 41.7f - 20.85f);
}

TEST(BlockAnchor, HalfSizesShiftTheAnchorAndSwapForOddRotations) {
    CatalogState c = catalogWith(0, 0.5f, 1.0f, 0);
    Vec3 even = blockAnchor(block(1, 0, 0, 0, 2), c);
    EXPECT_NEAR(even.x, -0.5 * 41.7 - 20.85, 1e-4);
    EXPECT_NEAR(even.y, 1.0 * 41.7 + 20.85, 1e-4);
    Vec3 odd = blockAnchor(block(1, 0, 0, 0, 3), c);
    EXPECT_NEAR(odd.x, -1.0 * 41.7 - 20.85, 1e-4);
    EXPECT_NEAR(odd.y, 0.5 * 41.7 + 20.85, 1e-4);
    // A rotation outside 0..3 counts by its low two bits: 5 is odd, 6 even.
    EXPECT_EQ(blockAnchor(block(1, 0, 0, 0, 5), c), odd);
    EXPECT_EQ(blockAnchor(block(1, 0, 0, 0, 6), c), even);
}

TEST(BlockAnchor, BlockWithoutCatalogueEntryAndNegativeCoordinates) {
    CatalogState c = catalogWith(0, 3, 3, 3);
    Vec3 a = blockAnchor(block(0, -128, -1, -2), c);
    EXPECT_NEAR(a.x, 128 * 41.7 - 20.85, 1e-3);
    EXPECT_NEAR(a.y, -41.7 + 20.85, 1e-4);
    EXPECT_NEAR(a.z, -2 * 10.1 - 5.05 - 1.257, 1e-4);
    // Index past the catalogue: no entry either.
    EXPECT_EQ(blockAnchor(block(2, 1, 1, 1), c), blockAnchor(block(0, 1, 1, 1), c));
}

TEST(IsWithinBounds, AlwaysTrueOutsideTheStadium) {
    CatalogState c = catalogWith(0, 1, 1, 5);
    EXPECT_TRUE(isWithinBounds(block(1, -5, 40, 0), c));
    EXPECT_TRUE(isWithinBounds(block(1, 31, 31, 31), c));
}

TEST(IsWithinBounds, StadiumGridAndLevels) {
    CatalogState c = catalogWith(kStadium, 1.0f, 0.5f, 2.0f);
    EXPECT_TRUE(isWithinBounds(block(1, 29, 30, 1), c));
    EXPECT_FALSE(isWithinBounds(block(1, 30, 30, 1), c)); // 30 + 2 reaches 32
    EXPECT_FALSE(isWithinBounds(block(1, 29, 31, 1), c)); // 31 + 1
    EXPECT_FALSE(isWithinBounds(block(1, -1, 0, 1), c));
    EXPECT_FALSE(isWithinBounds(block(1, 0, -1, 1), c));
    EXPECT_FALSE(isWithinBounds(block(1, 0, 0, 0), c)); // level 0 is below the floor
    EXPECT_TRUE(isWithinBounds(block(1, 0, 0, 29), c));
    EXPECT_FALSE(isWithinBounds(block(1, 0, 0, 30), c)); // 30 + 2 reaches 32
    // Turned a quarter, the footprint's sides swap.
    EXPECT_TRUE(isWithinBounds(block(1, 30, 29, 1, 1), c));
    EXPECT_FALSE(isWithinBounds(block(1, 30, 30, 1, 1), c));
}

TEST(IsWithinBounds, StadiumTruncatesHalfSizesAndComparesHeightInFloatingPoint) {
    CatalogState c = catalogWith(kStadium, 0.7f, 0.2f, 0.5f);
    // trunc(1.4) = 1, trunc(0.4) = 0
    EXPECT_TRUE(isWithinBounds(block(1, 30, 31, 31), c)); // 31 + 0.5 < 32
    EXPECT_FALSE(isWithinBounds(block(1, 31, 0, 1), c));
    CatalogState none = catalogWith(kStadium, 5, 5, 5);
    EXPECT_TRUE(isWithinBounds(block(0, 31, 31, 31), none)); // no entry: one flat cell
}

} // namespace
