#include <set>

#include <gtest/gtest.h>

#include "view/pick_table.h"

namespace {

TEST(PickTable, ColoursAreUniqueAndNeverHold255) {
    PickTable t;
    t.resetPickTable(32768);
    std::set<std::uint32_t> seen;
    for (int i = 1; i <= 32768; ++i) {
        Rgb c = t.assignPickColour(static_cast<std::uintptr_t>(i));
        ASSERT_NE(c.r, 255);
        ASSERT_NE(c.g, 255);
        ASSERT_NE(c.b, 255);
        ASSERT_TRUE(seen.insert((c.r << 16) | (c.g << 8) | c.b).second);
    }
    EXPECT_EQ(t.count(), 32768);
}

TEST(PickTable, EachPayloadIsFoundByItsOwnColour) {
    PickTable t;
    t.resetPickTable(500);
    for (int i = 1; i <= 500; ++i)
        t.assignPickColour(static_cast<std::uintptr_t>(i * 7));
    for (const auto& e : t.entries())
        EXPECT_EQ(t.findPickColour(e.colour), e.payload);
    EXPECT_EQ(t.findPickColour({178, 178, 255}), 0u); // the picking background
}

TEST(PickTable, SequenceIsTheSameAtEveryStartAndResetForgetsEntries) {
    PickTable a, b;
    a.resetPickTable(10);
    b.resetPickTable(10);
    for (int i = 0; i < 10; ++i)
        EXPECT_EQ(a.assignPickColour(1), b.assignPickColour(1));

    Rgb first = a.entries().front().colour;
    a.resetPickTable(4);
    EXPECT_EQ(a.count(), 0);
    EXPECT_EQ(a.findPickColour(first), 0u);
}

TEST(PickTable, NoColourIsAMinusHandle) {
    // The colour sequence, restarted every 1000 colours as frames do, reaches (0, 254, 0)
    // within its first million colours.
    PickTable t;
    int clashes = 0;
    for (int frame = 0; frame < 1000; ++frame) {
        t.resetPickTable(1000);
        for (int i = 0; i < 1000; ++i) {
            const Rgb c = t.assignPickColour(1);
            clashes += c == Rgb{254, 0, 0} || c == Rgb{0, 254, 0} || c == Rgb{0, 0, 254} ||
                       c == Rgb{254, 0, 254};
        }
    }
    EXPECT_EQ(clashes, 0);
}

TEST(PickTable, CellCodes) {
    EXPECT_EQ(cellCode(0, 0), 0x00010001u);
    EXPECT_EQ(cellCode(3, 7), 0x00080004u);
    EXPECT_EQ(cellCode(31, 31), 0x00200020u);
}

} // namespace
