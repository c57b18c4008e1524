#pragma once

#include <QImage>
#include <QString>
#include <filesystem>
#include <vector>

#include "catalog/block_families.h"

struct EditorContext;
class QWidget;

// What the picker keeps between openings: the open environment's families and pictures, built
// at the first opening for that environment, and the family the user left it at.
struct PickerState {
    int environment = -1;
    std::size_t kindCount = 0;
    std::vector<BlockFamily> families;
    std::vector<QImage> pictures; // by catalogue index - 1, 64 x 64; null where there is none
    int currentFamily = -1;       // -1: the list of families
};

// The folder of an environment's picker pictures, one "<catalogue index>.bmp" per kind.
std::filesystem::path pickerPictureFolder(const std::filesystem::path& baseFolder,
                                          const std::string& environmentName);

// Builds the families and loads the pictures of the catalogue's current environment, unless the
// state already holds them. A missing or unreadable picture leaves its kind without one.
void preparePicker(PickerState& state, const EditorContext& ctx);

// Shows the picker modally over owner and returns the chosen catalogue index, or 0 when it was
// closed without a choice.
int showBlockPicker(QWidget* owner, EditorContext& ctx, PickerState& state);

// The same, with the picker state kept by owner's window, so that the picker reopens where it
// was left for as long as that window lives.
int showBlockPicker(QWidget* owner, EditorContext& ctx);
