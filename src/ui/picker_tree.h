#pragma once

#include <cstdint>
#include <vector>

// A leaf of the picker: a block kind (catalogue index, 0 for an empty leaf) with its picture.
struct PickerBlock {
    std::int16_t catalogIndex = 0;
    std::int32_t image = -1; // index into the picker's images; -1 = no picture
};

// A group of the picker: either sub-groups or blocks, never both; a group with count 0 has
// neither.
struct PickerGroup {
    std::int8_t count = 0;
    std::vector<PickerGroup> subgroups;
    std::vector<PickerBlock> blocks;
    std::int32_t image = -1;

    bool hasSubgroups() const { return !subgroups.empty(); }
    bool hasBlocks() const { return !blocks.empty(); }
};

enum class PickerChildKind { Subgroups, Blocks };

// Gives the group n fresh children of one kind (no picture; empty sub-groups, empty leaves) and
// none of the other kind.
void makeChildren(PickerGroup& group, PickerChildKind kind, int n);

// The fixed tree of the picker: eight groups; the first holds three blocks, the sixth nine
// sub-groups of nine blocks each.
PickerGroup makePickerRoot();
