#include "ui/blocks_page.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <algorithm>

#include "edit/block_edits.h"
#include "edit/block_placing.h"
#include "seams/prompts.h"
#include "view/view_centre.h"
#include "ui/arrow_spinner.h"
#include "ui/block_list.h"
#include "ui/control_ids.h"
#include "ui/dialog_units.h"
#include "ui/page_controls.h"

BlocksPage::BlocksPage(EditorContext& ctx, ViewState& view, QWidget* parent)
    : QWidget(parent), ctx_(ctx), view_(view) {
    setFont(dialogFont());
    setFixedSize(dialogX(kPageWidth), dialogY(kPageHeight));
    createControls();
    listener_ = ctx_.document.addListener([this](const DocumentChange& change) { heard(change); });
    refill();
}

BlocksPage::~BlocksPage() {
    ctx_.document.removeListener(listener_);
}

void BlocksPage::createControls() {
    using namespace control_id;
    makeLabel(this, "All blocks:", dialogRect(7, 6, 40, 9));
    filter_ = new QLineEdit(this);
    filter_->setObjectName(controlName(kBlockFilter));
    filter_->setGeometry(dialogRect(50, 4, 156, 12));
    filter_->setPlaceholderText(QStringLiteral("Filter by name"));
    filter_->setClearButtonEnabled(true);
    connect(filter_, &QLineEdit::textChanged, this, &BlocksPage::filterAllLines);
    list_ = new BlockListWidget(this);
    list_->setObjectName(controlName(kBlockList));
    list_->setGeometry(dialogRect(7, 19, 199, 113));
    connect(list_->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &BlocksPage::listMarksChanged);

    QPushButton* add = makeButton(this, "Add block...", dialogRect(7, 135, 199, 14), kAddBlock);
    connect(add, &QPushButton::clicked, this, [this] { addBlockCommand(); });

    QPushButton* invert =
        makeButton(this, "Invert selection", dialogRect(7, 152, 97, 14), kInvertSelection);
    connect(invert, &QPushButton::clicked, this, [this] {
        ctx_.document.invertSelection();
        done();
    });
    QPushButton* unhide = makeButton(this, "Unhide all", dialogRect(109, 152, 97, 14), kUnhideAll);
    connect(unhide, &QPushButton::clicked, this, [this] {
        unhideAll(ctx_.document);
        done();
    });

    // The group box is a sibling drawn beneath the controls it frames.
    auto* group = new QGroupBox(QStringLiteral("Current block"), this);
    group->setGeometry(dialogRect(7, 172, 199, 135));
    name_ = makeLabel(this, "", dialogRect(14, 184, 185, 9), kBlockName);

    const char* captions[FieldCount] = {
        "Rotation:", "X:", "Y:", "Z:", "Var 1:", "Var 2:", "Var 3:", "Var 4:"};
    for (int field = 0; field < FieldCount; ++field) {
        const bool left = field < Var1;
        createField(static_cast<Field>(field), captions[field], left ? 14 : 108,
                    198 + 16 * (field % 4));
    }

    auto* move = makeButton(this, "Move", dialogRect(14, 266, 89, 14), kMoveGizmo);
    move->setCheckable(true);
    connect(move, &QPushButton::clicked, this, [this](bool checked) {
        view_.switches.showMoveGizmo = checked;
        done();
    });
    auto* rotate = makeButton(this, "Rotate", dialogRect(110, 266, 89, 14), kRotateGizmo);
    rotate->setCheckable(true);
    connect(rotate, &QPushButton::clicked, this, [this](bool checked) {
        view_.switches.showRotateGizmo = checked;
        done();
    });
    QPushButton* hide = makeButton(this, "Hide", dialogRect(14, 286, 89, 14), kHide);
    connect(hide, &QPushButton::clicked, this, [this] {
        hideSelection(ctx_.document);
        done();
    });
    QPushButton* remove = makeButton(this, "Delete", dialogRect(110, 286, 89, 14), kDelete);
    connect(remove, &QPushButton::clicked, this, &BlocksPage::askDeleteSelection);
}

void BlocksPage::createField(Field field, const char* caption, int x, int y) {
    static constexpr int kEditIds[FieldCount] = {control_id::kRotationEdit, control_id::kXEdit,
                                                 control_id::kYEdit,        control_id::kZEdit,
                                                 control_id::kVar1Edit,     control_id::kVar2Edit,
                                                 control_id::kVar3Edit,     control_id::kVar4Edit};
    const int labelWidth = field < Var1 ? 35 : 31;
    makeLabel(this, caption, dialogRect(x, y + 2, labelWidth, 9));

    FieldControls& controls = fields_[field];
    controls.edit = new QLineEdit(this);
    controls.edit->setObjectName(controlName(kEditIds[field]));
    controls.edit->setGeometry(dialogRect(x + labelWidth, y, 34, 12));
    // The program writes every value; the user reads them and steps them with the arrows.
    controls.edit->setReadOnly(true);
    controls.edit->setFocusPolicy(Qt::NoFocus);

    controls.spinner = new ArrowSpinner(this);
    controls.spinner->setObjectName(controlName(kEditIds[field] + 1));
    controls.spinner->setGeometry(dialogRect(x + labelWidth + 34, y, 10, 12));
    if (field == Rotation)
        controls.spinner->setRange(0, 3);
    else if (field < Var1)
        controls.spinner->setRange(-127, 128);
    else
        controls.spinner->setRange(0, 255);
    connect(
        controls.spinner, &ArrowSpinner::positionChanged, this,
        [this, field](int position, int previous) { spinnerChanged(field, position, previous); });
}

QWidget* BlocksPage::control(int id) const {
    return findChild<QWidget*>(controlName(id), Qt::FindDirectChildrenOnly);
}

void BlocksPage::heard(const DocumentChange& change) {
    if (change.linesMoved()) {
        refill();
    } else {
        std::vector<const BlockRecord*> reworded;
        for (const DocumentChange::Changed& changed : change.changed)
            if (changed.properties & (kHiddenChanged | kKindChanged))
                reworded.push_back(changed.record);
        rewriteLines(reworded);
        markLines(change.left, false);
        markLines(change.entered, true);
    }
    // A panel already blank for several blocks stays as it is.
    const Selection& selection = ctx_.document.selection();
    if (change.selectionChanged() || selection.count() == 1)
        showProperties(selection.count() == 1 ? selection.first() : nullptr);
}

void BlocksPage::refill() {
    markingLines_ = true;
    list_->clear();
    ::fillBlockList(*list_, ctx_.document.track(), ctx_.catalog);
    markingLines_ = false;
    if (!filter_->text().trimmed().isEmpty())
        filterAllLines();
    const auto& members = ctx_.document.selection().members();
    markLines({members.begin(), members.end()}, true);
}

void BlocksPage::rewriteLines(const std::vector<const BlockRecord*>& records) {
    if (records.empty())
        return;
    // The model would announce every line on its own; the view hears once, of the lines between
    // the first and the last one written.
    QAbstractItemModel* model = list_->model();
    int first = list_->count();
    int last = -1;
    {
        const QSignalBlocker quiet(model);
        for (const BlockRecord* record : records) {
            const int line = ctx_.document.lineOf(record);
            if (QListWidgetItem* item = list_->item(line)) {
                item->setText(blockLine(line + 1, *record, ctx_.catalog));
                first = std::min(first, line);
                last = std::max(last, line);
            }
        }
    }
    if (first > last)
        return;
    emit model->dataChanged(model->index(first, 0), model->index(last, 0), {Qt::DisplayRole});
    // A block given another kind may now match the filter, or no longer.
    const QString text = filter_->text().trimmed();
    if (!text.isEmpty())
        for (const BlockRecord* record : records)
            filterLine(ctx_.document.lineOf(record), text);
}

void BlocksPage::filterLine(int line, const QString& text) {
    const BlockRecord* record = blockOfLine(list_->item(line));
    if (!record)
        return;
    const std::string& name = kindNameOf(ctx_.catalog, *record);
    const bool shown = QLatin1StringView(name.data(), static_cast<qsizetype>(name.size()))
                           .contains(text, Qt::CaseInsensitive);
    list_->setRowHidden(line, !shown);
}

void BlocksPage::filterAllLines() {
    const QString text = filter_->text().trimmed();
    for (int line = 0; line < list_->count(); ++line)
        filterLine(line, text);
}

void BlocksPage::markLines(const std::vector<const BlockRecord*>& records, bool marked) {
    if (records.empty())
        return;
    std::vector<int> lines;
    lines.reserve(records.size());
    for (const BlockRecord* record : records)
        if (const int line = ctx_.document.lineOf(record); line >= 0 && line < list_->count())
            lines.push_back(line);
    std::sort(lines.begin(), lines.end());
    // Marking lines one by one costs time in proportion to the lines already marked; runs of
    // lines go to the list's selection in one step each.
    QItemSelection runs;
    QAbstractItemModel* model = list_->model();
    for (std::size_t first = 0; first < lines.size();) {
        std::size_t last = first;
        while (last + 1 < lines.size() && lines[last + 1] <= lines[last] + 1)
            ++last;
        runs.select(model->index(lines[first], 0), model->index(lines[last], 0));
        first = last + 1;
    }
    markingLines_ = true;
    list_->selectionModel()->select(runs, marked ? QItemSelectionModel::Select
                                                 : QItemSelectionModel::Deselect);
    markingLines_ = false;
}

void BlocksPage::showProperties(const BlockRecord* record) {
    // While a spinner steps the block, the spinner and its field show what the step made.
    if (steppingField_)
        return;
    if (!record) {
        name_->clear();
        for (int field = 0; field < FieldCount; ++field) {
            fields_[field].edit->clear();
            fields_[field].spinner->setPosition(field < Var1 ? 1 : 0);
        }
        return;
    }
    name_->setText(QString::fromLatin1(kindNameOf(ctx_.catalog, *record)));
    const int values[FieldCount] = {record->rotation,   record->x,          record->y,
                                    record->z,          record->variant[0], record->variant[1],
                                    record->variant[2], record->variant[3]};
    for (int field = 0; field < FieldCount; ++field) {
        fields_[field].edit->setText(QString::number(values[field]));
        fields_[field].spinner->setPosition(values[field]);
    }
}

void BlocksPage::listMarksChanged(const QItemSelection& selected,
                                  const QItemSelection& deselected) {
    if (markingLines_)
        return;
    // A click toggles the caret line's mark; the selection follows every line whose mark the
    // user changed, and selectBlock sets the mark again to match.
    QModelIndexList changed = selected.indexes() + deselected.indexes();
    const QModelIndex caret = list_->currentIndex();
    if (changed.removeOne(caret))
        changed.prepend(caret);
    bool ran = false;
    for (const QModelIndex& index : changed) {
        QListWidgetItem* line = list_->item(index.row());
        const BlockRecord* record = blockOfLine(line);
        if (!record || line->isSelected() == Selection::contains(*record))
            continue;
        ctx_.document.select(record, true);
        ran = true;
    }
    if (ran)
        done();
}

void BlocksPage::spinnerChanged(Field field, int position, int previous) {
    ArrowSpinner* spinner = fields_[field].spinner;
    const int count = ctx_.document.selection().count();
    // An ignored change leaves the spinner where it was, so that the next step starts from the
    // position the panel set.
    if (count == 0 || (field >= Var1 && count != 1)) {
        spinner->setPosition(previous);
        return;
    }
    const bool single = count == 1;
    const BlockRecord* block = ctx_.document.selection().first();
    // Each spinner is one gesture: its clicks in a row are one step.
    const std::string gesture = "spinner " + std::to_string(field);
    TrackDocument& document = ctx_.document;
    if (field < Var1) {
        // One block: the field follows the spinner. Several: the spinner stands at 1 while
        // they are selected, and one arrow click is one step for all of them.
        const int current[] = {block->rotation, block->x, block->y, block->z};
        const int step = single ? position - current[field] : position - previous;
        steppingField_ = true;
        switch (field) {
        case Rotation:
            rotateSelection(document, step, gesture);
            break;
        case X:
            moveSelection(document, step, 0, 0, gesture);
            break;
        case Y:
            moveSelection(document, 0, step, 0, gesture);
            break;
        default:
            moveSelection(document, 0, 0, step, gesture);
            break;
        }
        steppingField_ = false;
        if (!single)
            showProperties(nullptr);
    } else {
        steppingField_ = true;
        setVariantByte(document, *block, field - Var1, static_cast<std::uint8_t>(position),
                       gesture);
        steppingField_ = false;
    }
    if (single) {
        // The field's new value: the spinner's position, except where a grid coordinate wrapped
        // round from 127 to -128 at the spinner's top end of 128.
        const int shown[FieldCount] = {block->rotation,   block->x,          block->y,
                                       block->z,          block->variant[0], block->variant[1],
                                       block->variant[2], block->variant[3]};
        fields_[field].edit->setText(QString::number(shown[field]));
    }
    if (commandDone_)
        commandDone_(false);
}

void BlocksPage::addBlockCommand() {
    // The picker is owned by the main window; 0 means it was closed without a choice.
    const int catalogIndex = ctx_.prompts().pickBlock();
    if (catalogIndex > 0)
        placeBlock(ctx_.document, ctx_.catalog, static_cast<std::uint32_t>(catalogIndex),
                   viewCentreCell(view_.camera, ctx_.areaEditor.level()));
    done();
}

void BlocksPage::askDeleteSelection() {
    if (!ctx_.prompts().askYesNo("Are you sure you want to delete selected blocks?",
                                 kProgramCaption))
        return;
    deleteSelection(ctx_.document);
    done();
}

void BlocksPage::done() {
    if (commandDone_)
        commandDone_(true);
}
