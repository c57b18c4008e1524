#pragma once

#include <QString>

// Control ids of the Blocks page (template 104), the Area page (template 105) and the block
// picker (template 108). Each control carries its id as its object name (see controlName).
namespace control_id {

// Blocks page
inline constexpr int kBlockList = 1005;
inline constexpr int kRotationEdit = 1006;
inline constexpr int kRotationSpinner = 1007;
inline constexpr int kXEdit = 1008;
inline constexpr int kXSpinner = 1009;
inline constexpr int kYEdit = 1010;
inline constexpr int kYSpinner = 1011;
inline constexpr int kZEdit = 1012;
inline constexpr int kZSpinner = 1013;
inline constexpr int kVar1Edit = 1014;
inline constexpr int kVar1Spinner = 1015;
inline constexpr int kVar2Edit = 1016;
inline constexpr int kVar2Spinner = 1017;
inline constexpr int kVar3Edit = 1018;
inline constexpr int kVar3Spinner = 1019;
inline constexpr int kVar4Edit = 1020;
inline constexpr int kVar4Spinner = 1021;
inline constexpr int kBlockName = 1022;
inline constexpr int kMoveGizmo = 1045;
inline constexpr int kRotateGizmo = 1046;
inline constexpr int kInvertSelection = 1047;
inline constexpr int kHide = 1060;
inline constexpr int kDelete = 1061;
inline constexpr int kUnhideAll = 1062;
inline constexpr int kAddBlock = 1063;
inline constexpr int kBlockFilter = 1064;

// Area page
inline constexpr int kEditCurrentArea = 1048;
inline constexpr int kAreaCellCount = 1049;
inline constexpr int kSelectBlocksInArea = 1050;
inline constexpr int kDeleteBlocksInArea = 1051;
inline constexpr int kFillArea = 1052;
inline constexpr int kAreaBlockCount = 1053;
inline constexpr int kClearArea = 1054;
inline constexpr int kCursorX = 1055;
inline constexpr int kCursorY = 1056;
inline constexpr int kCursorLevel = 1057;
inline constexpr int kHideBlocksInArea = 1058;

// Block picker
inline constexpr int kPickerList = 1037;
inline constexpr int kPickerBack = 1058;
inline constexpr int kPickerBlockName = 1059;

} // namespace control_id

// The object name that a control with this id carries, for lookups with findChild.
inline QString controlName(int id) {
    return QString::number(id);
}
