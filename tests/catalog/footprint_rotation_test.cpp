#include <gtest/gtest.h>

#include <set>
#include <utility>

#include "catalog/footprint_rotation.h"

namespace {

// On footprints wider than they are long, every turn keeps each unit inside the turned box
// (spanY by spanX after a quarter turn), sends distinct units to distinct cells, and two quarter
// turns (the second over the turned spans) make the half turn.
TEST(FootprintRotation, TurnsStayInTheTurnedBoxAndCompose) {
    for (const auto& [spanX, spanY] : {std::pair{2, 1}, {3, 0}, {4, 2}, {0, 3}}) {
        for (int rotation = 0; rotation < 4; ++rotation) {
            SCOPED_TRACE(testing::Message() << spanX << "x" << spanY << " r" << rotation);
            const bool quarter = rotation % 2 == 1;
            std::set<std::pair<int, int>> cells;
            for (int ux = 0; ux <= spanX; ++ux) {
                for (int uy = 0; uy <= spanY; ++uy) {
                    const UnitOffset o = rotatedUnitOffset(ux, uy, spanX, spanY, rotation);
                    EXPECT_GE(o.x, 0);
                    EXPECT_GE(o.y, 0);
                    EXPECT_LE(o.x, quarter ? spanY : spanX);
                    EXPECT_LE(o.y, quarter ? spanX : spanY);
                    cells.insert({o.x, o.y});
                    const UnitOffset once = rotatedUnitOffset(ux, uy, spanX, spanY, 1);
                    EXPECT_EQ(rotatedUnitOffset(once.x, once.y, spanY, spanX, 1),
                              rotatedUnitOffset(ux, uy, spanX, spanY, 2));
                }
            }
            EXPECT_EQ(cells.size(), static_cast<std::size_t>((spanX + 1) * (spanY + 1)));
        }
    }
    // Only the low two bits count, as in the track's rotation byte.
    EXPECT_EQ(rotatedUnitOffset(1, 0, 2, 1, 7), rotatedUnitOffset(1, 0, 2, 1, 3));
}

} // namespace
