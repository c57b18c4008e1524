#include <functional>

#include <QAction>
#include <QApplication>
#include <QCompleter>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QTest>

#include "app/main_window_ids.h"
#include "app_fixture.h"
#include "edit/kind_names.h"
#include "edit/reshape.h"
#include "ui/blocks_page.h"
#include "ui/control_ids.h"
#include "ui/move_dialog.h"
#include "ui/replace_kinds_dialog.h"
#include "ui/stack_dialog.h"

namespace {

QAction* editCommand(MainWindow& window, const QString& text) {
    for (QAction* action : window.editMenu()->actions())
        if (action->text() == text)
            return action;
    ADD_FAILURE() << "no Edit > " << text.toStdString();
    return nullptr;
}

void clickButton(QWidget& dialog, const QString& text) {
    for (QPushButton* button : dialog.findChildren<QPushButton*>())
        if (button->text() == text) {
            QTest::mouseClick(button, Qt::LeftButton);
            return;
        }
    ADD_FAILURE() << "no button " << text.toStdString();
}

void typeInto(QSpinBox* field, int value) {
    field->selectAll();
    QTest::keyClicks(field, QString::number(value));
}

// The Stadium's catalogue over a small track: an L of three roads at level 1 and a dirt block
// away from them; the view has the keyboard focus and the history's clock stands still.
class ReshapeCommandsTest : public ActiveViewFixture {
  protected:
    void SetUp() override {
        ActiveViewFixture::SetUp();
        if (HasFatalFailure())
            return;
        const std::optional<std::string> sample = copySample("Stadium");
        ASSERT_TRUE(sample);
        openThroughButton(*sample);
        ASSERT_TRUE(prompts_.shown.empty());
        const auto kinds = kindIndexesByName(ctx_.catalog);
        road_ = kinds.at("StadiumRoadMain");
        dirt_ = kinds.at("StadiumDirt");
        Track track = ctx_.document.track();
        track.blocks.clear();
        for (auto [kind, x, y] :
             {std::tuple{road_, 4, 4}, {road_, 5, 4}, {road_, 4, 5}, {dirt_, 20, 20}}) {
            BlockRecord r;
            r.catalogIndex = kind;
            r.x = static_cast<std::int8_t>(x);
            r.y = static_cast<std::int8_t>(y);
            r.z = 1;
            track.blocks.push_back(r);
        }
        ctx_.document.replaceTrack(std::move(track), ctx_.document.envelope(),
                                   ctx_.document.path());
        ctx_.document.setHistoryClock([] { return EditHistory::Clock::time_point{}; });
        window_->view()->setFocus();
    }

    const BlockRecord& block(int i) const { return *std::next(ctx_.document.blocks().begin(), i); }
    void selectRoads() { ctx_.document.setSelection({&block(0), &block(1), &block(2)}); }
    std::vector<BlockShape> shapes() const { return shapesOf(ctx_.document.track()); }
    std::size_t steps() const { return ctx_.document.history().doneCount(); }
    void press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QTest::keyClick(window_->view(), key, modifiers);
    }
    QString statusLine() const {
        return qobject_cast<QLabel*>(window_->control(kStatusLine))->text();
    }

    // The blocks as the operation leaves a copy of the document with the same selection.
    std::vector<BlockShape> byCore(const std::function<void(TrackDocument&)>& operation) const {
        TrackDocument copy;
        copy.replaceTrack(ctx_.document.track(), {}, {});
        std::vector<const BlockRecord*> selected;
        auto original = ctx_.document.blocks().begin();
        for (const BlockRecord& record : copy.blocks())
            if (Selection::contains(*original++))
                selected.push_back(&record);
        copy.setSelection(selected);
        operation(copy);
        return shapesOf(copy.track());
    }

    template <typename Dialog> Dialog* openDialog(const QString& command) {
        // A dialog closed before is gone first.
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        if (QAction* action = editCommand(*window_, command))
            action->trigger();
        auto* dialog = window_->findChild<Dialog*>();
        EXPECT_NE(dialog, nullptr) << command.toStdString();
        if (dialog) {
            EXPECT_TRUE(QTest::qWaitForWindowExposed(dialog));
        }
        return dialog;
    }

    std::uint32_t road_ = 0;
    std::uint32_t dirt_ = 0;
};

TEST_F(ReshapeCommandsTest, TurnAndMirrorKeysRunTheirOperationAsOneStep) {
    const CatalogState& catalog = ctx_.catalog;
    struct Case {
        const char* command;
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        std::function<void(TrackDocument&)> operation;
    };
    const Case cases[] = {
        {"Turn left", Qt::Key_L, Qt::ControlModifier,
         [&](TrackDocument& d) { turnSelection(d, catalog, 1); }},
        {"Turn right", Qt::Key_R, Qt::ControlModifier,
         [&](TrackDocument& d) { turnSelection(d, catalog, -1); }},
        {"Mirror across x", Qt::Key_X, Qt::ControlModifier | Qt::ShiftModifier,
         [&](TrackDocument& d) { mirrorSelection(d, catalog, MirrorAxis::X); }},
        {"Mirror across y", Qt::Key_Y, Qt::ControlModifier | Qt::ShiftModifier,
         [&](TrackDocument& d) { mirrorSelection(d, catalog, MirrorAxis::Y); }},
    };
    // Greyed out until something is selected.
    for (const Case& c : cases)
        EXPECT_FALSE(editCommand(*window_, c.command)->isEnabled()) << c.command;
    selectRoads();
    const std::vector<BlockShape> start = shapes();
    for (const Case& c : cases) {
        EXPECT_TRUE(editCommand(*window_, c.command)->isEnabled()) << c.command;
        const std::vector<BlockShape> expected = byCore(c.operation);
        ASSERT_NE(expected, start) << c.command;
        press(c.key, c.modifiers);
        EXPECT_EQ(shapes(), expected) << c.command;
        EXPECT_EQ(steps(), 1u) << c.command;
        ASSERT_TRUE(ctx_.document.undo());
        EXPECT_EQ(shapes(), start) << c.command;
    }
    // The view's own X key was not pressed: the surroundings stay as they were.
    EXPECT_FALSE(window_->viewState().switches.showStadium);
}

TEST_F(ReshapeCommandsTest, NudgeKeysMoveACellAndRepeatsOfOneKeyAreOneStep) {
    selectRoads();
    press(Qt::Key_Right);
    press(Qt::Key_Right);
    press(Qt::Key_Right);
    EXPECT_EQ(block(0).x, 7);
    EXPECT_EQ(steps(), 1u);
    press(Qt::Key_Up);
    press(Qt::Key_PageUp);
    press(Qt::Key_Left);
    press(Qt::Key_Down);
    press(Qt::Key_PageDown);
    EXPECT_EQ(steps(), 6u);
    EXPECT_EQ(std::tuple(block(2).x, block(2).y, block(2).z), std::tuple(6, 5, 1));
    ASSERT_TRUE(ctx_.document.undo());
    EXPECT_EQ(block(2).z, 2);

    // Below level 0: refused whole, said on the status line.
    const std::size_t before = steps();
    press(Qt::Key_PageDown);
    press(Qt::Key_PageDown);
    press(Qt::Key_PageDown);
    EXPECT_EQ(block(2).z, 0);
    EXPECT_EQ(steps(), before + 1);
    EXPECT_TRUE(statusLine().contains("would leave the grid")) << statusLine().toStdString();

    // In the block list the arrow keys move the caret, not the blocks.
    QWidget* list = window_->blocksPage()->control(control_id::kBlockList);
    list->setFocus();
    const std::vector<BlockShape> here = shapes();
    QTest::keyClick(list, Qt::Key_Right);
    QTest::keyClick(list, Qt::Key_Down);
    QTest::keyClick(list, Qt::Key_PageUp);
    EXPECT_EQ(shapes(), here);
}

TEST_F(ReshapeCommandsTest, TheMoveDialogMovesByAnOffsetOrToACell) {
    selectRoads();
    const CatalogState& catalog = ctx_.catalog;
    MoveDialog* dialog = openDialog<MoveDialog>("Move selection...");
    ASSERT_NE(dialog, nullptr);
    EXPECT_FALSE(dialog->cellField(0)->isEnabled());
    typeInto(dialog->byField(0), 2);
    typeInto(dialog->byField(1), -1);
    std::vector<BlockShape> expected =
        byCore([&](TrackDocument& d) { shiftSelection(d, catalog, 2, -1, 0); });
    clickButton(*dialog, "OK");
    EXPECT_EQ(shapes(), expected);
    EXPECT_EQ(steps(), 1u);

    // It opens again as it was left; the lowest corner goes to the cell typed.
    dialog = openDialog<MoveDialog>("Move selection...");
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->byField(0)->value(), 2);
    QTest::mouseClick(dialog->toCellChoice(), Qt::LeftButton);
    EXPECT_FALSE(dialog->byField(0)->isEnabled());
    typeInto(dialog->cellField(0), 10);
    typeInto(dialog->cellField(1), 12);
    typeInto(dialog->cellField(2), 3);
    expected = byCore([&](TrackDocument& d) { shiftSelectionTo(d, catalog, {10, 12, 3}); });
    QTest::keyClick(dialog->cellField(2), Qt::Key_Return);
    EXPECT_EQ(shapes(), expected);
    EXPECT_EQ(std::tuple(block(0).x, block(0).y, block(0).z), std::tuple(10, 12, 3));
    EXPECT_EQ(steps(), 2u);

    dialog = openDialog<MoveDialog>("Move selection...");
    ASSERT_NE(dialog, nullptr);
    clickButton(*dialog, "Cancel");
    EXPECT_EQ(steps(), 2u);
}

TEST_F(ReshapeCommandsTest, TheStackDialogProposesTheSelectionsSizeAndAddsTheCopiesInOneStep) {
    ctx_.document.setSelection({&block(0), &block(1)});
    StackDialog* dialog = openDialog<StackDialog>("Stack...");
    ASSERT_NE(dialog, nullptr);
    const auto offset = [dialog] {
        return std::tuple(dialog->offsetField(0)->value(), dialog->offsetField(1)->value(),
                          dialog->offsetField(2)->value());
    };
    EXPECT_EQ(dialog->countField()->value(), 1);
    EXPECT_EQ(offset(), std::tuple(2, 0, 0));
    QTest::mouseClick(dialog->axisChoice(2), Qt::LeftButton);
    EXPECT_EQ(offset(), std::tuple(0, 0, 1));
    QTest::mouseClick(dialog->axisChoice(1), Qt::LeftButton);
    EXPECT_EQ(offset(), std::tuple(0, 1, 0));
    typeInto(dialog->offsetField(1), 2);
    typeInto(dialog->countField(), 3);
    const std::vector<BlockShape> expected =
        byCore([&](TrackDocument& d) { stackSelection(d, ctx_.catalog, 3, 0, 2, 0); });
    clickButton(*dialog, "OK");
    EXPECT_EQ(shapes(), expected);
    EXPECT_EQ(ctx_.document.blocks().size(), 10u);
    EXPECT_EQ(ctx_.document.selection().count(), 6);
    EXPECT_EQ(steps(), 1u);
    ASSERT_TRUE(ctx_.document.undo());
    EXPECT_EQ(ctx_.document.blocks().size(), 4u);
}

TEST_F(ReshapeCommandsTest, TheReplaceDialogTakesPickedAndTypedKindsAndRefusesUnknownNames) {
    const auto kinds = kindIndexesByName(ctx_.catalog);
    const std::uint32_t turbo = kinds.at("StadiumRoadMainTurbo");
    const std::uint32_t water = kinds.at("StadiumWater");
    auto* dialog = openDialog<ReplaceKindsDialog>("Replace kinds...");
    ASSERT_NE(dialog, nullptr);
    // Nothing selected and no area: the whole track.
    EXPECT_FALSE(dialog->scopeChoice(ReplaceScope::Selection)->isEnabled());
    EXPECT_TRUE(dialog->scopeChoice(ReplaceScope::Track)->isChecked());

    // Pair 1: the old kind picked, the new one typed with completion from any part of a name.
    QTableWidget* table = dialog->table();
    prompts_.pickedBlocks.push_back(static_cast<int>(road_));
    QTest::mouseClick(dialog->pickButton(), Qt::LeftButton);
    EXPECT_EQ(table->item(0, 0)->text(), "StadiumRoadMain");
    // The cell's editor is found among the table's children, not as the focus widget: without a
    // window manager the dialog becomes active, and takes the focus, only when the server gets
    // to it.
    table->setCurrentCell(0, 1);
    table->editItem(table->item(0, 1));
    auto* editor = table->viewport()->findChild<QLineEdit*>();
    ASSERT_NE(editor, nullptr);
    QTest::keyClicks(editor, "roadmainturbo");
    ASSERT_NE(editor->completer(), nullptr);
    EXPECT_EQ(editor->completer()->currentCompletion(), "StadiumRoadMainTurbo");
    editor->setText("StadiumRoadMainTurbo");

    // Pair 2 typed, first with a name the catalogue lacks.
    QTest::mouseClick(dialog->addPairButton(), Qt::LeftButton);
    EXPECT_EQ(table->item(0, 1)->text(), "StadiumRoadMainTurbo");
    table->item(1, 0)->setText("StadiumDirt");
    table->item(1, 1)->setText("NoSuchKind");
    const std::vector<BlockShape> start = shapes();
    clickButton(*dialog, "OK");
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_EQ(dialog->problem()->text(), "No kind NoSuchKind in this environment.");
    EXPECT_EQ(shapes(), start);

    table->item(1, 1)->setText("StadiumWater");
    clickButton(*dialog, "OK");
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(block(i).catalogIndex, turbo) << i;
    EXPECT_EQ(block(3).catalogIndex, water);
    EXPECT_EQ(steps(), 1u);
    EXPECT_EQ(statusLine(), "Replaced the kind of 4 blocks.");
}

TEST_F(ReshapeCommandsTest, SelectAllAndAllOfThisKind) {
    EXPECT_FALSE(editCommand(*window_, "Select all of this kind")->isEnabled());
    press(Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(ctx_.document.selection().count(), 4);

    ctx_.document.setSelection({&block(1)});
    press(Qt::Key_A, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(ctx_.document.selection().count(), 3);
    EXPECT_FALSE(Selection::contains(block(3)));

    // From the block list too.
    QWidget* list = window_->blocksPage()->control(control_id::kBlockList);
    list->setFocus();
    QTest::keyClick(list, Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(ctx_.document.selection().count(), 4);

    // In the list's filter field the keys edit its text: no block is selected or deleted.
    ctx_.document.setSelection({&block(3)});
    auto* filter =
        qobject_cast<QLineEdit*>(window_->blocksPage()->control(control_id::kBlockFilter));
    filter->setFocus();
    QTest::keyClicks(filter, "dirt");
    QTest::keyClick(filter, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(filter, Qt::Key_Delete);
    EXPECT_TRUE(filter->text().isEmpty());
    EXPECT_EQ(ctx_.document.selection().count(), 1);
    EXPECT_EQ(ctx_.document.blocks().size(), 4u);
    EXPECT_TRUE(prompts_.shown.empty());
}

} // namespace
