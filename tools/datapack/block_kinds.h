#pragma once

#include <cstdint>
#include <string>
#include <vector>

inline constexpr int kKindCount = 308;

enum class ShapeType {
    RoadStraight, // length cells along y
    RoadCurve,    // quarter turn of radius `size` cells, from +y to +x
    RoadSlope,    // rises `rise` levels over `length` cells along y
    RoadCross,
    Start,
    Finish,
    Checkpoint,
    Platform, // width x length slab
    Pillar,   // column of `rise` levels
    Tree,
    Pine,
    Rock,
    Building, // width x length, `rise` levels high
    Wall,     // thin wall of `length` cells along y
};

struct Shape {
    ShapeType type;
    const char* name;
    int width = 1;  // cells along x
    int length = 1; // cells along y
    int rise = 0;   // levels (slopes, pillars, trees, buildings)
};

struct Unit {
    int x = 0;
    int y = 0;
    int z = 0;
};

// A kind of block: index in 1..308, its shape, its style (which surfaces it wears) and its
// grid units at rotation 0, each with x, y and z from 0 up.
struct BlockKind {
    int index = 0;
    std::string name;
    Shape shape;
    int style = 0;
    std::vector<Unit> units;
};

// The shapes that the kinds of every environment cycle through.
const std::vector<Shape>& kindShapes();

// The 308 kinds of an environment (index 1 first), named from its name and style words.
std::vector<BlockKind> environmentKinds(int environment);

// The grid units of a shape at rotation 0.
std::vector<Unit> shapeUnits(const Shape& shape);

// Variant byte 1 values other than 0 that a kind has models for.
std::vector<int> extraVariants(const BlockKind& kind);

// The bytes of a block information file: u16 count, then x, y, z of each unit.
std::vector<std::uint8_t> encodeBlockInfo(const std::vector<Unit>& units);

// The kind whose shape is the first of the given type and size, in style 0.
int kindIndexOf(ShapeType type, int width = 1, int length = 1, int rise = 0);
