#pragma once

#include <map>
#include <string>
#include <vector>

#include "block_kinds.h"
#include "image.h"

// The catalogue indexes at the leaves of the block picker's fixed tree: group 0 holds three
// blocks, group 5 nine sub-groups of nine blocks, the other groups nothing. 0 is an empty leaf.
struct PickerTree {
    std::vector<std::vector<int>> groupBlocks;                 // per group, its direct blocks
    std::vector<std::vector<std::vector<int>>> groupSubgroups; // per group, its sub-groups
};
PickerTree pickerTree();

// Every picture of the tree by file name ("g.bmp", "g_s.bmp", "g_s_k.bmp"): block leaves show
// the top view of the kind's model in `environment`, empty leaves an empty slot, groups and
// sub-groups their number and a preview of their first block.
std::map<std::string, Image> pickerPictures(int environment);

// A picture of every kind of the environment, by catalogue index: the top view of its model.
std::map<int, Image> kindPictures(int environment);
