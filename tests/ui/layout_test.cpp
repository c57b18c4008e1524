#include "layout_check.h"
#include "ui/block_picker.h"
#include "ui/block_picker_dialog.h"
#include "ui/move_dialog.h"
#include "ui/replace_kinds_dialog.h"
#include "ui/stack_dialog.h"
#include "ui_fixture.h"

namespace {

using Faults = std::vector<std::string>;

class PageLayout : public PagesTest {};

TEST_F(PageLayout, PagesHaveTheirSizeAndNoOverlappingOrClippedControls) {
    // 213 x 314 dialog units.
    EXPECT_EQ(blocks->size(), QSize(320, 510));
    EXPECT_EQ(area->size(), QSize(320, 510));
    EXPECT_EQ(layoutFaults(*blocks), Faults{});
    EXPECT_EQ(layoutFaults(*area), Faults{});
}

TEST_F(PageLayout, EveryControlOfThePagesHasItsIdAndCaption) {
    using namespace control_id;
    const std::pair<int, const char*> blockButtons[] = {{kInvertSelection, "Invert selection"},
                                                        {kUnhideAll, "Unhide all"},
                                                        {kMoveGizmo, "Move"},
                                                        {kRotateGizmo, "Rotate"},
                                                        {kHide, "Hide"},
                                                        {kDelete, "Delete"},
                                                        {kAddBlock, "Add block..."}};
    for (auto [id, caption] : blockButtons) {
        ASSERT_NE(button(blocks, id), nullptr) << id;
        EXPECT_EQ(button(blocks, id)->text(), caption);
        EXPECT_EQ(button(blocks, id)->isCheckable(), id == kMoveGizmo || id == kRotateGizmo);
    }
    for (int id = kRotationEdit; id <= kVar4Edit; id += 2) {
        auto* edit = qobject_cast<QLineEdit*>(blocks->control(id));
        ASSERT_NE(edit, nullptr) << id;
        EXPECT_TRUE(edit->isReadOnly());
        ASSERT_NE(spinner(id + 1), nullptr) << id + 1;
    }
    EXPECT_EQ(spinner(kRotationSpinner)->bottom(), 0);
    EXPECT_EQ(spinner(kRotationSpinner)->top(), 3);
    for (int id : {kXSpinner, kYSpinner, kZSpinner}) {
        EXPECT_EQ(spinner(id)->bottom(), -127);
        EXPECT_EQ(spinner(id)->top(), 128);
    }
    for (int id : {kVar1Spinner, kVar2Spinner, kVar3Spinner, kVar4Spinner}) {
        EXPECT_EQ(spinner(id)->bottom(), 0);
        EXPECT_EQ(spinner(id)->top(), 255);
    }
    EXPECT_NE(list(), nullptr);
    EXPECT_EQ(list()->selectionMode(), QAbstractItemView::MultiSelection);

    const std::pair<int, const char*> areaButtons[] = {
        {kEditCurrentArea, "Edit Current Area"},
        {kClearArea, "Clear Area"},
        {kSelectBlocksInArea, "Select blocks in current area"},
        {kHideBlocksInArea, "Hide blocks in current area"},
        {kDeleteBlocksInArea, "Delete blocks in current area"},
        {kFillArea, "Fill current area with block..."}};
    for (auto [id, caption] : areaButtons) {
        ASSERT_NE(button(area, id), nullptr) << id;
        EXPECT_EQ(button(area, id)->text(), caption);
    }
}

TEST(PickerLayout, HasItsSizeAndNoOverlappingOrClippedControls) {
    ensureApplication();
    PickerState state;
    CatalogState catalog;
    BlockPickerDialog dialog(state, catalog);
    // 233 x 225 dialog units.
    EXPECT_EQ(dialog.size(), QSize(350, 366));
    EXPECT_EQ(layoutFaults(dialog), Faults{});
}

TEST(DialogLayout, MoveStackAndReplaceHaveNoOverlappingOrClippedControls) {
    ensureApplication();
    EditorContext ctx;
    MoveDialog move(MoveRequest{});
    StackDialog stack(GridCell{12, 3, 1});
    ReplaceKindsDialog replace(ctx);
    for (QDialog* dialog : std::initializer_list<QDialog*>{&move, &stack, &replace})
        EXPECT_EQ(layoutFaults(*dialog), Faults{}) << dialog->windowTitle().toStdString();
}

} // namespace
