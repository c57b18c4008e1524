#include "ui/area_page.h"

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>

#include "edit/area_blocks.h"
#include "seams/prompts.h"
#include "ui/control_ids.h"
#include "ui/dialog_units.h"
#include "ui/page_controls.h"

namespace {

bool askYesNo(EditorContext& ctx, const char* question) {
    return ctx.prompts().askYesNo(question, kProgramCaption);
}

} // namespace

AreaPage::AreaPage(EditorContext& ctx, QWidget* parent) : QWidget(parent), ctx_(ctx) {
    setFont(dialogFont());
    setFixedSize(dialogX(kPageWidth), dialogY(kPageHeight));
    createControls();
    areaListener_ = ctx_.areaEditor.addListener([this](AreaEditor::Change change) {
        if (change == AreaEditor::Change::Cells)
            refreshAreaCounts();
        else
            refreshCursorPosition();
    });
    documentListener_ = ctx_.document.addListener([this](const DocumentChange& change) {
        if (change.trackChanged())
            refreshAreaCounts();
    });
}

AreaPage::~AreaPage() {
    ctx_.areaEditor.removeListener(areaListener_);
    ctx_.document.removeListener(documentListener_);
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
        selectBlocksInArea(ctx_.document, ctx_.catalog, ctx_.areaEditor.area());
        done();
    });
    auto* hide = makeButton(this, "Hide blocks in current area", dialogRect(14, 118, 185, 14),
                            kHideBlocksInArea);
    connect(hide, &QPushButton::clicked, this, [this] {
        hideBlocksInArea(ctx_.document, ctx_.catalog, ctx_.areaEditor.area());
        done();
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
    cursorX_->setText(QString::number(ctx_.areaEditor.cursor().x));
    cursorY_->setText(QString::number(ctx_.areaEditor.cursor().y));
    cursorLevel_->setText(QString::number(ctx_.areaEditor.level()));
}

void AreaPage::refreshAreaCounts() {
    const Area& area = ctx_.areaEditor.area();
    cellCount_->setText(QString::number(area.count()));
    blockCount_->setText(QString::number(countBlocksInArea(ctx_.document, ctx_.catalog, area)));
}

void AreaPage::editAreaClicked(bool checked) {
    ctx_.areaEditor.setEditing(checked);
    done();
}

void AreaPage::clearAreaClicked() {
    if (ctx_.areaEditor.area().count() == 0)
        return;
    if (!askYesNo(ctx_, "Are you sure you want to delete current area?"))
        return;
    ctx_.areaEditor.clear();
    done();
}

void AreaPage::deleteBlocksClicked() {
    if (!askYesNo(ctx_, "Are you sure you want to delete all blocks in current area?"))
        return;
    deleteBlocksInArea(ctx_.document, ctx_.catalog, ctx_.areaEditor.area());
    done();
}

void AreaPage::fillAreaClicked() {
    // The picker is owned by the main window; 0 means it was closed without a choice.
    const int catalogIndex = ctx_.prompts().pickBlock();
    fillArea(ctx_.document, ctx_.catalog, ctx_.areaEditor.area(),
             static_cast<std::uint32_t>(catalogIndex > 0 ? catalogIndex : 0));
    done();
}

void AreaPage::done() {
    if (commandDone_)
        commandDone_(true);
}
