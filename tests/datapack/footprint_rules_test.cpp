#include <gtest/gtest.h>

#include <algorithm>

#include "block_kinds.h"
#include "footprint_rules.h"

namespace {

std::vector<Unit> sorted(std::vector<Unit> units) {
    std::sort(units.begin(), units.end());
    return units;
}

const std::vector<Unit>* measured(const std::string& name) {
    for (const KindRow& row : kindTable(6))
        if (row.name == name && row.units)
            return &*row.units;
    return nullptr;
}

// The rule that speaks first for a name, or none.
const char* ruleFor(const std::string& name) {
    for (const FootprintRule& rule : footprintRules())
        if (rule.units(name))
            return rule.name;
    return nullptr;
}

} // namespace

// Each rule, tried on Stadium names whose units the table measures, gives those units; and it
// speaks for the unmeasured names of the other environments that it was written for.
TEST(FootprintRules, EachRuleReproducesTheStadiumsMeasuredUnits) {
    struct Case {
        const char* rule;
        const char* stadiumName;
        const char* otherName;
    };
    const Case cases[] = {
        {"loop", "StadiumLoopLeft", "SpeedLoopLeft"},
        {"curve", "StadiumRoadMainGTCurve3", "RallyGT3"},
        {"span", "StadiumRoadMainGTDiag3x2", "AlpineRoadWoodBigSlope2x3"},
        {"x2", "StadiumTrenchToRoadDirtX2", nullptr},
        {"gate", "StadiumRoadMainCheckpoint", "AlpineRoadWoodStartLine"},
        {"climb", "StadiumRoadMainSlopeStraight", "BayRoadSlope2"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.rule);
        EXPECT_STREQ(ruleFor(c.stadiumName), c.rule);
        const std::vector<Unit>* units = measured(c.stadiumName);
        ASSERT_NE(units, nullptr);
        const std::vector<Unit> derived = footprintFromName(c.stadiumName);
        if (std::string(c.rule) == "x2") // measured two levels high; the rule knows the length
            EXPECT_EQ(sorted(derived), (std::vector<Unit>{{0, 0, 0}, {0, 1, 0}}));
        else
            EXPECT_EQ(sorted(derived), sorted(*units));
        if (c.otherName) {
            EXPECT_STREQ(ruleFor(c.otherName), c.rule) << c.otherName;
        }
    }
    EXPECT_EQ(footprintFromName("AlpineRocks1"), (std::vector<Unit>{{0, 0, 0}}));
}

// The curve cells match every measured curve of the Stadium's main road.
TEST(FootprintRules, CurveCellsAreThoseOfTheMeasuredCurves) {
    for (int radius = 2; radius <= 5; ++radius) {
        const std::vector<Unit>* units =
            measured("StadiumRoadMainGTCurve" + std::to_string(radius));
        ASSERT_NE(units, nullptr);
        EXPECT_EQ(sorted(curveFootprint(radius)), sorted(*units)) << radius;
    }
}

TEST(KindTable, RejectsMalformedLinesAndIndexesOutOfOrder) {
    EXPECT_TRUE(parseKindTable("# head\n1\tA\t\n2\tB\t0,0,0;0,0,1\r\n").has_value());
    EXPECT_FALSE(parseKindTable("1\tA\t\n3\tB\t\n").has_value());
    EXPECT_FALSE(parseKindTable("1\tA\n").has_value());
    EXPECT_FALSE(parseKindTable("1\tA\t0,0\n").has_value());
    EXPECT_FALSE(parseKindTable("1\tA\t0,0,40\n").has_value());
    EXPECT_FALSE(parseKindTable("x\tA\t\n").has_value());
    EXPECT_FALSE(parseKindTable("1\t\t\n").has_value());
    const auto rows = parseKindTable("1\tA\t1,2,3;0,0,0\n");
    ASSERT_TRUE(rows.has_value());
    EXPECT_EQ(*(*rows)[0].units, (std::vector<Unit>{{1, 2, 3}, {0, 0, 0}}));
}
