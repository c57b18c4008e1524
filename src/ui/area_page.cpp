#include "ui/area_page.h"

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>

#include "edit/area_blocks.h"
#include "edit/area_cells.h"
#include "edit/seam_calls.h"
#include "seams/prompts.h"
#include "ui/control_ids.h"
#include "ui/dialog_units.h"
#include "ui/page_controls.h"

namespace {

bool askYesNo(EditorContext& ctx, const char* question) {
    return ctx.prompts && ctx.prompts->askYesNo(question, kProgramCaption);
}

} // namespace

AreaPage::AreaPage(EditorContext& ctx, QWidget* parent) : QWidget(parent), ctx_(ctx) {
    setFont(dialogFont());
    setFixedSize(dialogX(kPageWidth), dialogY(kPageHeight));
    createControls();
}

void AreaPage::createControls() {
    using namespace control_id;
    auto* editArea =
        makeButton(this, "Edit Current Area", dialogRect(7, 7, 199, 24), kEditCurrentArea);
    editArea->setCheckable(true);
    connect(editArea, &QPushButton::clicked, this, &AreaPage::editAreaClicked);

    makeLabel(this, "Cells in current area:", dialogRect(7, 40, 100, 9));
    cellCount_ = makeLabel(this, "0", dialogRect(110, 40, 60, 9), kAreaCellCount);
    makeLabel(this, "Blocks in current area:", dialogRect(7, 52, 100, 9));
    blockCount_ = makeLabel(this, "0", dialogRect(110, 52, 60, 9), kAreaBlockCount);
    auto* clear = makeButton(this, "Clear Area", dialogRect(7, 66, 97, 14), kClearArea);
    connect(clear, &QPushButton::clicked, this, &AreaPage::clearAreaClicked);

    // The group box is a sibling drawn beneath the buttons it frames.
    auto* group = new QGroupBox(QStringLiteral("Area options"), this);
    group->setGeometry(dialogRect(7, 88, 199, 88));
    auto* select = makeButton(this, "Select blocks in current area", dialogRect(14, 100, 185, 14),
                              kSelectBlocksInArea);
    connect(select, &QPushButton::clicked, this, [this] {
        selectBlocksInArea(ctx_);
        afterCommand();
    });
    auto* hide = makeButton(this, "Hide blocks in current area", dialogRect(14, 118, 185, 14),
                            kHideBlocksInArea);
    connect(hide, &QPushButton::clicked, this, [this] {
        hideBlocksInArea(ctx_);
        afterCommand();
    });
    auto* remove = makeButton(this, "Delete blocks in current area", dialogRect(14, 136, 185, 14),
                              kDeleteBlocksInArea);
    connect(remove, &QPushButton::clicked, this, &AreaPage::deleteBlocksClicked);
    auto* fill = makeButton(this, "Fill current area with block...", dialogRect(14, 154, 185, 14),
                            kFillArea);
    connect(fill, &QPushButton::clicked, this, &AreaPage::fillAreaClicked);

    makeLabel(this, "Cursor position:", dialogRect(7, 186, 100, 9));
    makeLabel(this, "X:", dialogRect(14, 198, 10, 9));
    cursorX_ = makeLabel(this, "...", dialogRect(26, 198, 30, 9), kCursorX);
    makeLabel(this, "Y:", dialogRect(64, 198, 10, 9));
    cursorY_ = makeLabel(this, "...", dialogRect(76, 198, 30, 9), kCursorY);
    makeLabel(this, "Z:", dialogRect(114, 198, 10, 9));
    cursorLevel_ = makeLabel(this, "...", dialogRect(126, 198, 30, 9), kCursorLevel);
}

QWidget* AreaPage::control(int id) const {
    return findChild<QWidget*>(controlName(id), Qt::FindDirectChildrenOnly);
}

void AreaPage::refreshCursorPosition() {
    cursorX_->setText(QString::number(ctx_.areaCursor.x));
    cursorY_->setText(QString::number(ctx_.areaCursor.y));
    cursorLevel_->setText(QString::number(ctx_.cursorLevel));
}

void AreaPage::refreshAreaCounts() {
    cellCount_->setText(QString::number(ctx_.area.count()));
    blockCount_->setText(QString::number(countBlocksInArea(ctx_)));
}

void AreaPage::editAreaClicked(bool checked) {
    ctx_.areaEditState = checked ? 1 : 0;
    afterCommand();
}

void AreaPage::clearAreaClicked() {
    if (ctx_.area.count() == 0)
        return;
    if (!askYesNo(ctx_, "Are you sure you want to delete current area?"))
        return;
    clearArea(ctx_);
    refreshAreaCounts();
    afterCommand();
}

void AreaPage::deleteBlocksClicked() {
    if (!askYesNo(ctx_, "Are you sure you want to delete all blocks in current area?"))
        return;
    deleteBlocksInArea(ctx_);
    afterCommand();
}

void AreaPage::fillAreaClicked() {
    // The picker is owned by the main window; 0 means it was closed without a choice.
    const int catalogIndex = ctx_.prompts ? ctx_.prompts->pickBlock() : 0;
    fillArea(ctx_, static_cast<std::uint32_t>(catalogIndex > 0 ? catalogIndex : 0));
    afterCommand();
}

void AreaPage::afterCommand() {
    displayFrame(ctx_);
    if (focusView_)
        focusView_();
}
