#pragma once

#include <QImage>
#include <QString>
#include <cstdint>
#include <vector>

#include "ui/picker_tree.h"

struct EditorContext;
class QWidget;

// What the picker keeps between openings: its tree and pictures, built at the first opening and
// reused, and the level the user left it at.
struct PickerState {
    PickerGroup root;
    std::vector<QImage> images; // 64 x 64, 24-bit colour
    bool built = false;
    std::int8_t currentGroup = -1;
    std::int8_t currentSubgroup = -1;
};

// Where the pictures are read from, relative to the working folder.
inline constexpr const char* kPickerPictureFolder = "data/textures/blocks";

// Builds the tree and loads its pictures from the folder, once; later calls keep what is there.
// Pictures load group by group: the group's own, then for each sub-group its picture followed by
// its blocks' pictures, or else the pictures of the group's blocks. A file that is missing or
// unreadable leaves its node without a picture.
void buildPickerTree(PickerState& state, const QString& pictureFolder = kPickerPictureFolder);

// Shows the picker modally over owner and returns the chosen catalogue index, or 0 when it was
// closed without a choice or the choice was an empty leaf.
int showBlockPicker(QWidget* owner, EditorContext& ctx, PickerState& state);

// The same, with the picker state kept by owner's window, so that the picker reopens where it
// was left for as long as that window lives.
int showBlockPicker(QWidget* owner, EditorContext& ctx);
