#include "track_layout.h"

#include <algorithm>
#include <optional>
#include <string>

#include "environment_look.h"

namespace {

constexpr int kLargeMinimum = 10000;

// Headings: 0 +y, 1 -x, 2 -y, 3 +x; a rotation r turns a heading h into (h + r) % 4.
constexpr int kStep[4][2] = {{0, 1}, {-1, 0}, {0, -1}, {1, 0}};

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

int spanX(const BlockKind& kind) {
    int hi = 0;
    for (const Unit& u : kind.units)
        hi = std::max(hi, u.x);
    return hi;
}

int spanY(const BlockKind& kind) {
    int hi = 0;
    for (const Unit& u : kind.units)
        hi = std::max(hi, u.y);
    return hi;
}

int styled(int shapeIndex, int style) {
    return shapeIndex + style * static_cast<int>(kindShapes().size());
}

// Lays road pieces one after another: the turtle stands in the next cell to enter, facing the
// direction of travel, at the level of the road.
class RoadBuilder {
  public:
    RoadBuilder(Layout& layout, int x, int y, int z, int heading)
        : layout_(layout), x_(x), y_(y), z_(z), heading_(heading) {}

    // A piece entered at its unit (ex, ey) facing localIn and left from (qx, qy) facing
    // localOut, standing at level blockZ; the turtle then climbs by `climb`.
    void piece(int kind, Unit entry, int localIn, Unit exit, int localOut, int blockZ, int climb,
               std::uint8_t variant) {
        const BlockKind& k = layout_.kind(kind);
        int rotation = ((heading_ - localIn) % 4 + 4) % 4;
        Unit in = rotatedUnit(entry, spanX(k), spanY(k), rotation);
        Unit out = rotatedUnit(exit, spanX(k), spanY(k), rotation);
        SampleBlock block{kind,      static_cast<std::uint8_t>(rotation),
                          x_ - in.x, y_ - in.y,
                          blockZ,    {variant, 0, 0, 0}};
        ok_ = layout_.place(block) && ok_;
        heading_ = (localOut + rotation) % 4;
        x_ = block.x + out.x + kStep[heading_][0];
        y_ = block.y + out.y + kStep[heading_][1];
        z_ += climb;
        placed_.push_back(block);
    }

    void straight(int length, std::uint8_t variant = 0, int style = 0) {
        while (length > 0) {
            int step = std::min(length, 4);
            piece(styled(kindIndexOf(ShapeType::RoadStraight, 1, step), style), {0, 0, 0}, 0,
                  {0, step - 1, 0}, 0, z_, 0, variant);
            length -= step;
        }
    }
    void single(ShapeType type, int style = 0) {
        piece(styled(kindIndexOf(type), style), {0, 0, 0}, 0, {0, 0, 0}, 0, z_, 0, 0);
    }
    void rightTurn(int radius, int style = 0) {
        piece(styled(kindIndexOf(ShapeType::RoadCurve, radius, radius), style), {0, 0, 0}, 0,
              {radius - 1, radius - 1, 0}, 3, z_, 0, 0);
    }
    void up(int length, int rise, int style = 0) {
        piece(styled(kindIndexOf(ShapeType::RoadSlope, 1, length, rise), style), {0, 0, 0}, 0,
              {0, length - 1, 0}, 0, z_, rise, 0);
    }
    void down(int length, int rise, int style = 0) {
        piece(styled(kindIndexOf(ShapeType::RoadSlope, 1, length, rise), style), {0, length - 1, 0},
              2, {0, 0, 0}, 2, z_ - rise, -rise, 0);
    }

    int x() const { return x_; }
    int y() const { return y_; }
    int z() const { return z_; }
    int heading() const { return heading_; }
    // False once a piece did not fit where the road led.
    bool ok() const { return ok_; }
    const std::vector<SampleBlock>& placed() const { return placed_; }

  private:
    Layout& layout_;
    int x_, y_, z_, heading_;
    bool ok_ = true;
    std::vector<SampleBlock> placed_;
};

// Pillars from the ground up to every road cell that stands above it.
void addPillars(Layout& layout, const std::vector<SampleBlock>& roads, int style) {
    for (const SampleBlock& road : roads) {
        const BlockKind& kind = layout.kind(road.kind);
        for (const Unit& cell : blockCells(kind, road)) {
            int height = cell.z - kGroundLevel;
            if (cell.z != road.z || height < 1 || height > 4)
                continue;
            SampleBlock pillar{styled(kindIndexOf(ShapeType::Pillar, 1, 1, height), style),
                               0,
                               cell.x,
                               cell.y,
                               kGroundLevel,
                               {}};
            layout.place(pillar);
        }
    }
}

void addScenery(Layout& layout, int environment, int count, Rng& rng) {
    static const ShapeType types[] = {ShapeType::Tree,     ShapeType::Pine, ShapeType::Rock,
                                      ShapeType::Building, ShapeType::Wall, ShapeType::Platform};
    const std::vector<Shape>& shapes = kindShapes();
    const int style = 1 + environment; // each environment dresses its scenery in its own style
    int placed = 0;
    for (int attempt = 0; attempt < count * 40 && placed < count; ++attempt) {
        ShapeType type = types[rng.below(6)];
        std::vector<int> candidates;
        for (std::size_t i = 0; i < shapes.size(); ++i)
            if (shapes[i].type == type)
                candidates.push_back(static_cast<int>(i) + 1);
        int shape =
            candidates[static_cast<std::size_t>(rng.below(static_cast<int>(candidates.size())))];
        SampleBlock block{styled(shape, rng.below(2) ? style : 0),
                          static_cast<std::uint8_t>(rng.below(4)),
                          rng.below(kGridCells),
                          rng.below(kGridCells),
                          kGroundLevel,
                          {}};
        if (layout.place(block))
            ++placed;
    }
}

// A closed loop: up a ramp on the first side, higher still on the second, down in two steps on
// the third, flat back to the start on the fourth.
std::optional<SampleTrack> circuit(int environment) {
    const EnvironmentLook& look = environmentLooks()[static_cast<std::size_t>(environment)];
    const std::vector<BlockKind> kinds = environmentKinds(environment);
    Layout layout(kinds);
    const int radius = 1 + environment % 3;
    const int sideA = 17 + environment % 4, sideB = 13 + environment % 3;
    const int startX = 4 + environment % 3, startY = 3;
    RoadBuilder road(layout, startX, startY, kGroundLevel, 0);
    const int roadStyle = environment % 2 ? 0 : 2;

    road.single(ShapeType::Start, roadStyle);
    road.straight(3, 0, roadStyle);
    road.up(2, 1, roadStyle);
    road.straight(sideA - 7, 0, roadStyle);
    road.single(ShapeType::Checkpoint, roadStyle);
    road.rightTurn(radius, roadStyle);
    road.straight(3, 1);
    road.up(3, 2, roadStyle);
    road.straight(sideB - 8, 1);
    road.single(ShapeType::Checkpoint, roadStyle);
    road.straight(1, 2);
    road.rightTurn(radius, roadStyle);
    road.straight(2, 0, roadStyle);
    road.down(2, 2, roadStyle);
    road.straight(sideA - 9, 0, roadStyle);
    road.down(2, 1, roadStyle);
    road.straight(3, 0, roadStyle);
    road.rightTurn(radius, roadStyle);
    road.straight(sideB - 2, 0, roadStyle);
    road.single(ShapeType::Finish, roadStyle);
    road.straight(1, 0, roadStyle);
    road.rightTurn(radius, roadStyle);
    if (!road.ok() || road.x() != startX || road.y() != startY || road.z() != kGroundLevel ||
        road.heading() != 0)
        return std::nullopt;

    addPillars(layout, road.placed(), roadStyle);
    Rng rng{0x5eed0000u + static_cast<std::uint32_t>(environment)};
    // Kind 196 with a first variant byte above 16: the reader reads it as 3.
    for (int attempt = 0; attempt < 200; ++attempt) {
        SampleBlock special{196,
                            static_cast<std::uint8_t>(rng.below(4)),
                            rng.below(kGridCells),
                            rng.below(kGridCells),
                            kGroundLevel,
                            {17, 0, 0, 0}};
        if (layout.place(special))
            break;
    }
    addScenery(layout, environment, 45 + 5 * environment, rng);

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
    Layout layout(kinds);
    Rng rng{0x1a76e};
    for (int z = kGroundLevel;
         z < kGridCells - 4 && static_cast<int>(layout.blocks().size()) < kLargeMinimum; ++z) {
        for (int y = 0; y < kGridCells; ++y) {
            for (int x = 0; x < kGridCells; ++x) {
                SampleBlock block{1 + rng.below(kKindCount),
                                  static_cast<std::uint8_t>(rng.below(4)),
                                  x,
                                  y,
                                  z,
                                  {}};
                if (layout.place(block))
                    continue;
                block.kind = styled(kindIndexOf(ShapeType::Platform), rng.below(kStyleCount - 1));
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
    switch (rotation & 3) {
    case 1:
        return {sy - u.y, u.x, u.z};
    case 2:
        return {sx - u.x, sy - u.y, u.z};
    case 3:
        return {u.y, sx - u.x, u.z};
    default:
        return u;
    }
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
        if (c.x < 0 || c.y < 0 || c.x >= kGridCells || c.y >= kGridCells || c.z < kGroundLevel ||
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
