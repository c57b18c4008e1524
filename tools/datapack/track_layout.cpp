#include "track_layout.h"

#include <algorithm>
#include <array>
#include <optional>
#include <string>

#include "catalog/footprint_rotation.h"
#include "catalog/ground_level.h"
#include "environment_look.h"
#include "road_ends.h"

namespace {

constexpr int kLargeMinimum = 10000;

struct Rng {
    std::uint32_t state;
    std::uint32_t next() {
        state = state * 1664525u + 1013904223u;
        return state >> 8;
    }
    int below(int n) { return static_cast<int>(next() % static_cast<std::uint32_t>(n)); }
};

std::string makeUid(std::uint32_t seed) {
    static const char alphabet[] =
        "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789_";
    Rng rng{seed};
    std::string uid;
    for (int i = 0; i < 27; ++i)
        uid += alphabet[rng.below(63)];
    return uid;
}

// The kinds a sample circuit is made of, by name.
struct SampleKit {
    const char* road;
    const char* curve;
    const char* slope;
    const char* start;
    const char* finish;
    const char* checkpoint;
    const char* pillar; // may be empty
    std::vector<const char*> ground;
    std::vector<const char*> scenery;
};

const SampleKit& sampleKit(int environment) {
    static const std::array<SampleKit, kEnvironmentTotal> kits = {{
        {"AlpineRoadWood",
         "AlpineRoadGTCurve2",
         "AlpineRoadWoodSlope",
         "AlpineRoadWoodStartLine",
         "AlpineRoadWoodFinish",
         "AlpineRoadWoodCheckPoint",
         "",
         {"AlpineSnowBase", "Hills"},
         {"AlpineTrees", "AlpineTrees2", "AlpineRocks1", "AlpineTemple"}},
        {"BayRoad",
         "BayRoadGTCurve2",
         "BayRoadSlope2",
         "BayRoadStartLine",
         "BayRoadFinish",
         "BayRoadCheckpoint",
         "BayRoadPillar",
         {"BayHarbor"},
         {"BayBuilding1", "BayBuilding2", "BayCargoContainer"}},
        {"CoastRoad",
         "CoastRoadGTCurve2",
         "CoastRoadRamp2",
         "CoastRoadStartLine",
         "CoastRoadFinish",
         "CoastRoadCheckpoint",
         "CoastPillarStraight",
         {"CoastDirt"},
         {"CoastPineTrees", "CoastVillage1", "CoastDecoBoats"}},
        {"IslandHighWay",
         "IslandHighWayGTCurve2",
         "IslandHighWaySlope",
         "IslandHighWayStartLine",
         "IslandHighWayFinish",
         "IslandHighWayCheckpoint",
         "IslandHighWayPillar",
         {"IslandGrass", "IslandBeach"},
         {"IslandBeachTrees", "IslandHotel", "IslandDecorRock1"}},
        {"RallyRoadHigh",
         "RallyRoadHighGT2",
         "RallyRoadHighHillSlope",
         "RallyStartLine",
         "RallyFinish",
         "RallyCheckPoint",
         "",
         {"RallyFlat", "RallyRockyGrassHills"},
         {"RallyTreeGroundBig", "RallyWindmill", "RallyRock"}},
        {"SpeedRoad",
         "SpeedGtCurve3",
         "SpeedSlope",
         "SpeedClassicStartLine",
         "SpeedClassicFinish",
         "SpeedClassicCheckpoint",
         "",
         {"SpeedBase"},
         {"SpeedSaguarosGround", "SpeedRocks2", "SpeedClassicContainers"}},
        {"StadiumRoadMain",
         "StadiumRoadMainGTCurve2",
         "StadiumRoadMainSlopeStraight",
         "StadiumRoadMainStartLine",
         "StadiumRoadMainFinishLine",
         "StadiumRoadMainCheckpoint",
         "StadiumCircuitPillar1",
         {"StadiumDirt", "StadiumDirtHill"},
         {"StadiumInflatablePalmTree", "StadiumInflatableCastle", "StadiumPodium"}},
    }};
    return kits[static_cast<std::size_t>(environment)];
}

// Lays road pieces one after another: the turtle stands in the next cell to enter, facing the
// direction of travel, at the level of the road. Pieces join through their open ends.
class RoadBuilder {
  public:
    RoadBuilder(Layout& layout, const std::vector<BlockKind>& kinds, int x, int y, int z,
                int heading)
        : layout_(layout), kinds_(kinds), x_(x), y_(y), z_(z), heading_(heading) {}

    // The named piece entered through one of its ends and left through the other: the first
    // end unless `reversed`.
    void piece(const std::string& name, bool reversed = false) {
        const int index = kindIndex(kinds_, name);
        if (index == 0) {
            ok_ = false;
            return;
        }
        const BlockKind& k = layout_.kind(index);
        const std::vector<RoadEnd> ends = roadEnds(k, roadOrientation(k.environment));
        if (ends.size() != 2) {
            ok_ = false;
            return;
        }
        const RoadEnd& in = ends[reversed ? 1 : 0];
        const RoadEnd& out = ends[reversed ? 0 : 1];
        // Travel enters against the entry end's direction.
        const int localIn = headingOf(-in.dx, -in.dy), localOut = headingOf(out.dx, out.dy);
        const int rotation = ((heading_ - localIn) % 4 + 4) % 4;
        const Unit entry = rotatedUnit(in.unit, spanX(k), spanY(k), rotation);
        const Unit exit = rotatedUnit(out.unit, spanX(k), spanY(k), rotation);
        SampleBlock block{index,          static_cast<std::uint8_t>(rotation),
                          x_ - entry.x,   y_ - entry.y,
                          z_ - in.unit.z, {}};
        ok_ = layout_.place(block) && ok_;
        heading_ = (localOut + rotation) % 4;
        x_ = block.x + exit.x + kHeadingStep[heading_][0];
        y_ = block.y + exit.y + kHeadingStep[heading_][1];
        z_ = block.z + out.unit.z;
        placed_.push_back(block);
    }

    void straight(const std::string& name, int count) {
        for (int i = 0; i < count; ++i)
            piece(name);
    }

    // A slope climbed from its low end, or come down from its high end.
    void slope(const std::string& name, bool up) {
        const std::vector<RoadEnd> ends = twoEnds(name);
        if (ends.empty())
            return;
        piece(name, (ends[0].unit.z > ends[1].unit.z) == up);
    }

    // A quarter turn to the right: whichever way through the curve turns clockwise.
    void rightTurn(const std::string& name) {
        const std::vector<RoadEnd> ends = twoEnds(name);
        if (ends.empty())
            return;
        const int in = headingOf(-ends[0].dx, -ends[0].dy), out = headingOf(ends[1].dx, ends[1].dy);
        piece(name, (out - in + 4) % 4 != 3);
    }

    int x() const { return x_; }
    int y() const { return y_; }
    int z() const { return z_; }
    int heading() const { return heading_; }
    // False once a piece did not fit where the road led.
    bool ok() const { return ok_; }
    const std::vector<SampleBlock>& placed() const { return placed_; }

  private:
    // The two road ends of a kind; none (and the layout marked failed) for another count.
    std::vector<RoadEnd> twoEnds(const std::string& name) {
        const int index = kindIndex(kinds_, name);
        std::vector<RoadEnd> ends =
            index ? roadEnds(layout_.kind(index), roadOrientation(layout_.kind(index).environment))
                  : std::vector<RoadEnd>{};
        if (ends.size() == 2)
            return ends;
        ok_ = false;
        return {};
    }

    Layout& layout_;
    const std::vector<BlockKind>& kinds_;
    int x_, y_, z_, heading_;
    bool ok_ = true;
    std::vector<SampleBlock> placed_;
};

// Pillars from the ground up to every road cell that stands above it, where they fit.
void addPillars(Layout& layout, const std::vector<BlockKind>& kinds, const SampleKit& kit,
                const std::vector<SampleBlock>& roads) {
    const int pillar = kindIndex(kinds, kit.pillar);
    if (pillar == 0)
        return;
    for (const SampleBlock& road : roads)
        for (const Unit& cell : blockCells(layout.kind(road.kind), road))
            if (cell.z == road.z && cell.z > layout.ground())
                for (int z = layout.ground(); z < cell.z; ++z)
                    layout.place({pillar, 0, cell.x, cell.y, z, {}});
}

void addAround(Layout& layout, const std::vector<BlockKind>& kinds,
               const std::vector<const char*>& names, int count, Rng& rng) {
    int placed = 0;
    for (int attempt = 0; attempt < count * 40 && placed < count; ++attempt) {
        const int kind = kindIndex(
            kinds, names[static_cast<std::size_t>(rng.below(static_cast<int>(names.size())))]);
        SampleBlock block{kind,
                          static_cast<std::uint8_t>(rng.below(4)),
                          rng.below(kGridCells),
                          rng.below(kGridCells),
                          layout.ground(),
                          {}};
        if (kind && layout.place(block))
            ++placed;
    }
}

// A closed loop of right turns: up a slope on the first side, across on the raised second,
// down on the third and back on the fourth. Sides one and three, and two and four, are equally
// long, so the road comes back to its start.
std::optional<SampleTrack> circuit(int environment) {
    const EnvironmentLook& look = environmentLooks()[static_cast<std::size_t>(environment)];
    const std::vector<BlockKind> kinds = environmentKinds(environment);
    const SampleKit& kit = sampleKit(environment);
    // The circuit stands on the environment's land, where the editor draws its ground.
    Layout layout(kinds, groundLevel(environment));
    const int sideA = 14 + environment % 4, sideB = 10 + environment % 3;
    const int startX = 6 + environment % 3, startY = 4;
    RoadBuilder road(layout, kinds, startX, startY, layout.ground(), 0);

    road.piece(kit.start);
    road.straight(kit.road, 3);
    road.slope(kit.slope, true);
    road.straight(kit.road, sideA - 7);
    road.piece(kit.checkpoint);
    road.straight(kit.road, 1);
    road.rightTurn(kit.curve);
    road.straight(kit.road, sideB - 1);
    road.piece(kit.checkpoint);
    road.rightTurn(kit.curve);
    road.straight(kit.road, 2);
    road.slope(kit.slope, false);
    road.straight(kit.road, sideA - 3);
    road.rightTurn(kit.curve);
    road.piece(kit.finish);
    road.straight(kit.road, sideB - 1);
    road.rightTurn(kit.curve);
    if (!road.ok() || road.x() != startX || road.y() != startY || road.z() != layout.ground() ||
        road.heading() != 0)
        return std::nullopt;

    addPillars(layout, kinds, kit, road.placed());
    Rng rng{0x5eed0000u + static_cast<std::uint32_t>(environment)};
    addAround(layout, kinds, kit.ground, 40, rng);
    addAround(layout, kinds, kit.scenery, 30 + 5 * environment, rng);

    SampleTrack track;
    track.fileName = look.name + "Circuit.Challenge.Gbx";
    track.environment = environment;
    track.uid = makeUid(0xc1c0 + static_cast<std::uint32_t>(environment));
    track.name = look.name + " Circuit";
    track.author = "Blockyard";
    track.blocks = layout.blocks();
    return track;
}

// Level after level filled with every kind of the Stadium, as closely as they fit.
SampleTrack largeTrack() {
    const int environment = 6;
    const std::vector<BlockKind> kinds = environmentKinds(environment);
    const int road = kindIndex(kinds, sampleKit(environment).road);
    Layout layout(kinds, groundLevel(environment));
    Rng rng{0x1a76e};
    for (int z = layout.ground();
         z < kGridCells - 4 && static_cast<int>(layout.blocks().size()) < kLargeMinimum; ++z) {
        for (int y = 0; y < kGridCells; ++y) {
            for (int x = 0; x < kGridCells; ++x) {
                SampleBlock block{1 + rng.below(static_cast<int>(kinds.size())),
                                  static_cast<std::uint8_t>(rng.below(4)),
                                  x,
                                  y,
                                  z,
                                  {}};
                if (layout.place(block))
                    continue;
                block.kind = road;
                layout.place(block);
            }
        }
    }
    SampleTrack track;
    track.fileName = "LargeStadium.Challenge.Gbx";
    track.environment = environment;
    track.uid = makeUid(0x1a76e);
    track.name = "Large Stadium";
    track.author = "Blockyard";
    track.blocks = layout.blocks();
    return track;
}

} // namespace

Unit rotatedUnit(const Unit& u, int sx, int sy, int rotation) {
    const UnitOffset offset = rotatedUnitOffset(u.x, u.y, sx, sy, rotation);
    return {offset.x, offset.y, u.z};
}

std::vector<Unit> blockCells(const BlockKind& kind, const SampleBlock& block) {
    std::vector<Unit> cells;
    for (const Unit& u : kind.units) {
        Unit r = rotatedUnit(u, spanX(kind), spanY(kind), block.rotation);
        cells.push_back({block.x + r.x, block.y + r.y, block.z + r.z});
    }
    return cells;
}

bool Layout::fits(const SampleBlock& block) const {
    if (block.kind < 1 || block.kind > static_cast<int>(kinds_.size()))
        return false;
    for (const Unit& c : blockCells(kind(block.kind), block))
        if (c.x < 0 || c.y < 0 || c.x >= kGridCells || c.y >= kGridCells || c.z < ground_ ||
            c.z >= kGridCells || taken_.count({c.x, c.y, c.z}))
            return false;
    return true;
}

bool Layout::place(const SampleBlock& block) {
    if (!fits(block))
        return false;
    for (const Unit& c : blockCells(kind(block.kind), block))
        taken_.insert({c.x, c.y, c.z});
    blocks_.push_back(block);
    return true;
}

std::optional<std::vector<SampleTrack>> sampleTracks() {
    std::vector<SampleTrack> tracks;
    for (int environment = 0; environment < kEnvironmentTotal; ++environment) {
        std::optional<SampleTrack> track = circuit(environment);
        if (!track)
            return std::nullopt;
        tracks.push_back(std::move(*track));
    }
    tracks.push_back(largeTrack());
    return tracks;
}
