#include "block_kinds.h"

#include <algorithm>
#include <cmath>

#include "byte_buffer.h"
#include "environment_look.h"
#include "road_curve.h"

namespace {

std::vector<Shape> makeShapes() {
    using T = ShapeType;
    return {
        {T::RoadStraight, "RoadStraight1", 1, 1},
        {T::RoadStraight, "RoadStraight2", 1, 2},
        {T::RoadStraight, "RoadStraight3", 1, 3},
        {T::RoadStraight, "RoadStraight4", 1, 4},
        {T::RoadCurve, "RoadCurve1", 1, 1},
        {T::RoadCurve, "RoadCurve2", 2, 2},
        {T::RoadCurve, "RoadCurve3", 3, 3},
        {T::RoadSlope, "RoadSlope1x1", 1, 1, 1},
        {T::RoadSlope, "RoadRamp2x1", 1, 2, 1},
        {T::RoadSlope, "RoadSlope2x2", 1, 2, 2},
        {T::RoadSlope, "RoadRamp3x2", 1, 3, 2},
        {T::RoadCross, "RoadCross", 1, 1},
        {T::Start, "Start", 1, 1, 2},
        {T::Finish, "Finish", 1, 1, 2},
        {T::Checkpoint, "Checkpoint", 1, 1, 2},
        {T::Platform, "Platform1x1", 1, 1},
        {T::Platform, "Platform2x1", 2, 1},
        {T::Platform, "Platform1x2", 1, 2},
        {T::Platform, "Platform2x2", 2, 2},
        {T::Platform, "Platform3x1", 3, 1},
        {T::Platform, "Platform1x3", 1, 3},
        {T::Platform, "Platform3x3", 3, 3},
        {T::Pillar, "Pillar1", 1, 1, 1},
        {T::Pillar, "Pillar2", 1, 1, 2},
        {T::Pillar, "Pillar3", 1, 1, 3},
        {T::Pillar, "Pillar4", 1, 1, 4},
        {T::Tree, "TreeSmall", 1, 1, 2},
        {T::Tree, "TreeTall", 1, 1, 3},
        {T::Pine, "PineSmall", 1, 1, 2},
        {T::Pine, "PineTall", 1, 1, 3},
        {T::Rock, "Rock1x1", 1, 1, 1},
        {T::Rock, "Rock2x1", 2, 1, 1},
        {T::Rock, "Rock2x2", 2, 2, 1},
        {T::Building, "House1x1", 1, 1, 2},
        {T::Building, "House2x1", 2, 1, 2},
        {T::Building, "Hall2x2", 2, 2, 3},
        {T::Building, "Shed3x1", 3, 1, 2},
        {T::Building, "Tower2x2", 2, 2, 4},
        {T::Building, "Tower1x1", 1, 1, 4},
        {T::Wall, "Wall1", 1, 1},
        {T::Wall, "Wall3", 1, 3},
    };
}

} // namespace

const std::vector<Shape>& kindShapes() {
    static const std::vector<Shape> shapes = makeShapes();
    return shapes;
}

// Road surfaces stand a little above the bottom of their level; a slope's top end meets the
// surface of a road one or two levels up, so it reaches into those levels.
std::vector<Unit> shapeUnits(const Shape& shape) {
    std::vector<Unit> units;
    switch (shape.type) {
    case ShapeType::RoadCurve:
        for (const CurveCell& cell : curveCells(shape.width))
            units.push_back({cell.x, cell.y, 0});
        break;
    case ShapeType::RoadSlope:
        for (int y = 0; y < shape.length; ++y) {
            double top = kSlabThickness + double(shape.rise) * (y + 1) / shape.length;
            int topLevel = static_cast<int>(std::ceil(top - 1e-9)) - 1;
            for (int z = 0; z <= topLevel; ++z)
                units.push_back({0, y, z});
        }
        break;
    case ShapeType::Start:
    case ShapeType::Finish:
    case ShapeType::Checkpoint:
    case ShapeType::Pillar:
    case ShapeType::Tree:
    case ShapeType::Pine:
    case ShapeType::Building:
        for (int z = 0; z < std::max(shape.rise, 1); ++z)
            for (int y = 0; y < shape.length; ++y)
                for (int x = 0; x < shape.width; ++x)
                    units.push_back({x, y, z});
        break;
    default:
        for (int y = 0; y < shape.length; ++y)
            for (int x = 0; x < shape.width; ++x)
                units.push_back({x, y, 0});
        break;
    }
    return units;
}

std::vector<BlockKind> environmentKinds(int environment) {
    const EnvironmentLook& look = environmentLooks()[environment];
    const std::vector<Shape>& shapes = kindShapes();
    std::vector<BlockKind> kinds;
    for (int i = 0; i < kKindCount; ++i) {
        BlockKind kind;
        kind.index = i + 1;
        kind.shape = shapes[i % shapes.size()];
        kind.style = static_cast<int>(i / shapes.size());
        kind.name = look.name + kind.shape.name + look.styles[kind.style];
        kind.units = shapeUnits(kind.shape);
        kinds.push_back(std::move(kind));
    }
    return kinds;
}

std::vector<int> extraVariants(const BlockKind& kind) {
    // The reader turns a first variant byte above 16 of kind 196 into 3.
    if (kind.index == 196)
        return {1, 2, 3};
    bool road = kind.shape.type == ShapeType::RoadStraight ||
                kind.shape.type == ShapeType::RoadCurve || kind.shape.type == ShapeType::RoadSlope;
    if (road && kind.style == 0)
        return {1, 2};
    return {};
}

std::vector<std::uint8_t> encodeBlockInfo(const std::vector<Unit>& units) {
    ByteBuffer out;
    out.u16(static_cast<std::uint16_t>(units.size()));
    for (const Unit& u : units) {
        out.u8(static_cast<std::uint8_t>(u.x));
        out.u8(static_cast<std::uint8_t>(u.y));
        out.u8(static_cast<std::uint8_t>(u.z));
    }
    return out.take();
}

int kindIndexOf(ShapeType type, int width, int length, int rise) {
    const std::vector<Shape>& shapes = kindShapes();
    for (std::size_t i = 0; i < shapes.size(); ++i) {
        const Shape& s = shapes[i];
        if (s.type == type && s.width == width && s.length == length &&
            (rise == 0 || s.rise == rise))
            return static_cast<int>(i) + 1;
    }
    return 0;
}
