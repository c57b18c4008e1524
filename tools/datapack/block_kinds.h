#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "block_family.h"
#include "kind_table.h"

// A kind of block of an environment: its catalogue index (from 1), the name track files give it,
// its family and road surface, and its grid units at rotation 0, each with x, y and z from 0 up.
struct BlockKind {
    int environment = 0;
    int index = 0;
    std::string name;
    Family family = Family::Road;
    int surface = 0;
    std::vector<Unit> units;
    bool measured = false; // the units are the kind table's, not the footprint rules' guess
};

// Every kind of an environment in catalogue order: the names of its kind table with the table's
// units where it has them and the footprint rules' elsewhere.
std::vector<BlockKind> environmentKinds(int environment);

// The catalogue index of the named kind, or 0.
int kindIndex(const std::vector<BlockKind>& kinds, const std::string& name);

// The largest x and y of a kind's units.
int spanX(const BlockKind& kind);
int spanY(const BlockKind& kind);

// The bytes of a block information file: u16 count, then x, y, z of each unit.
std::vector<std::uint8_t> encodeBlockInfo(const std::vector<Unit>& units);
