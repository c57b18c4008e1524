// What the document tells its listeners after each change, and which edits become one undo step.
#include <chrono>
#include <stdexcept>
#include <utility>

#include "edit/area_blocks.h"
#include "edit/area_cells.h"
#include "edit/block_edits.h"
#include "edit/block_placing.h"
#include "edit_fixture.h"

namespace {

using Records = std::vector<const BlockRecord*>;
using Properties = std::vector<std::pair<const BlockRecord*, unsigned>>;

Properties propertiesOf(const DocumentChange& change) {
    Properties properties;
    for (const DocumentChange::Changed& changed : change.changed)
        properties.emplace_back(changed.record, changed.properties);
    return properties;
}

class Notifying : public EditTest {
  protected:
    // The one change heard since the last call; fails when there were none or several.
    DocumentChange heardOnce() {
        EXPECT_EQ(list.heardChanges.size(), 1u);
        DocumentChange heard =
            list.heardChanges.empty() ? DocumentChange{} : list.heardChanges.back();
        list.heardChanges.clear();
        return heard;
    }
};

TEST_F(Notifying, AStepReportsTheChangedRecordsWithWhatChanged) {
    const BlockRecord& a = addBlock(1, 1);
    const BlockRecord& b = addBlock(2, 1);
    addBlock(3, 1);
    doc.select(&a, true);
    doc.select(&b, true);
    list.heardChanges.clear();

    moveSelection(doc, 1, 0, 0);
    const DocumentChange moved = heardOnce();
    EXPECT_EQ(moved.cause, DocumentChange::Cause::Edit);
    EXPECT_EQ(propertiesOf(moved), (Properties{{&a, kPlaceChanged}, {&b, kPlaceChanged}}));
    EXPECT_TRUE(moved.added.empty() && moved.removed.empty());
    EXPECT_FALSE(moved.selectionChanged());

    rotateSelection(doc, 1);
    EXPECT_EQ(propertiesOf(heardOnce()), (Properties{{&a, kTurnChanged}, {&b, kTurnChanged}}));
    setVariantByte(doc, b, 1, 3);
    EXPECT_EQ(propertiesOf(heardOnce()), (Properties{{&b, kVariantChanged}}));
    hideSelection(doc);
    EXPECT_EQ(propertiesOf(heardOnce()), (Properties{{&a, kHiddenChanged}, {&b, kHiddenChanged}}));
}

TEST_F(Notifying, SelectingReportsWhoEnteredAndLeftOnce) {
    const BlockRecord& a = addBlock(1, 1);
    const BlockRecord& b = addBlock(2, 1);
    list.heardChanges.clear();

    doc.select(&a, false);
    const DocumentChange selected = heardOnce();
    EXPECT_EQ(selected.cause, DocumentChange::Cause::Selection);
    EXPECT_EQ(selected.entered, Records{&a});
    EXPECT_TRUE(selected.left.empty());
    EXPECT_FALSE(selected.trackChanged());
    doc.select(&a, false); // already in: nothing to tell
    EXPECT_TRUE(list.heardChanges.empty());

    doc.select(&b, true);
    EXPECT_EQ(heardOnce().entered, Records{&b});
    doc.deselect(&a);
    const DocumentChange deselected = heardOnce();
    EXPECT_EQ(deselected.left, Records{&a});
    EXPECT_TRUE(deselected.entered.empty());
    doc.deselect(&a);
    EXPECT_TRUE(list.heardChanges.empty());

    doc.setSelection({&a});
    const DocumentChange set = heardOnce();
    EXPECT_EQ(set.entered, Records{&a});
    EXPECT_EQ(set.left, Records{&b});
    doc.clearSelection();
    EXPECT_EQ(heardOnce().left, Records{&a});
    doc.clearSelection();
    EXPECT_TRUE(list.heardChanges.empty());
}

TEST_F(Notifying, UndoAndRedoReportTheStepsAdditionsAndRemovalsSwapped) {
    addBlock(1, 1);
    const BlockRecord& b = addBlock(2, 1);
    doc.select(&b, false);
    list.heardChanges.clear();

    deleteSelection(doc);
    const DocumentChange deleted = heardOnce();
    EXPECT_EQ(deleted.removed, Records{&b});
    EXPECT_EQ(deleted.left, Records{&b});
    doc.undo();
    const DocumentChange undone = heardOnce();
    EXPECT_EQ(undone.cause, DocumentChange::Cause::Undo);
    EXPECT_EQ(undone.added, Records{&b});
    EXPECT_TRUE(undone.removed.empty());
    EXPECT_EQ(undone.entered, Records{&b});
    doc.redo();
    const DocumentChange redone = heardOnce();
    EXPECT_EQ(redone.cause, DocumentChange::Cause::Redo);
    EXPECT_EQ(redone.removed, Records{&b});
    EXPECT_TRUE(redone.added.empty());
    EXPECT_EQ(redone.left, Records{&b});

    const BlockRecord* appended = appendBlock(doc, BlockRecord{});
    EXPECT_EQ(heardOnce().added, Records{appended});
    doc.undo();
    const DocumentChange unappended = heardOnce();
    EXPECT_EQ(unappended.removed, Records{appended});
    EXPECT_TRUE(unappended.added.empty());
    doc.redo();
    EXPECT_EQ(heardOnce().added, Records{appended});
}

TEST_F(Notifying, AThrowingListenerStopsNeitherTheChangeNorTheOthers) {
    const BlockRecord& a = addBlock(1, 1);
    doc.addListener([](const DocumentChange&) { throw std::runtime_error("listener failed"); });
    std::vector<DocumentChange::Cause> after;
    doc.addListener([&](const DocumentChange& change) { after.push_back(change.cause); });
    list.heardChanges.clear();

    doc.select(&a, false);
    moveSelection(doc, 1, 0, 0);
    EXPECT_EQ(a.x, 2);
    EXPECT_EQ(doc.history().undoName(), "Move 1 block");
    EXPECT_EQ(after, (std::vector{DocumentChange::Cause::Selection, DocumentChange::Cause::Edit}));
    EXPECT_EQ(list.heardChanges.size(), 2u);
    ASSERT_TRUE(doc.undo());
    EXPECT_EQ(a.x, 1);
}

TEST_F(Notifying, ASelectionChangeInsideAStepIsReportedOnceWithIt) {
    const BlockRecord& a = addBlock(1, 1);
    const BlockRecord& b = addBlock(9, 9);
    doc.select(&b, false);
    Area area;
    toggleAreaCell(area, 1, 1, 1);
    list.heardChanges.clear();

    hideBlocksInArea(doc, ctx.catalog, area);
    const DocumentChange hidden = heardOnce();
    EXPECT_EQ(hidden.cause, DocumentChange::Cause::Edit);
    EXPECT_EQ(propertiesOf(hidden), (Properties{{&a, kHiddenChanged}}));
    EXPECT_EQ(hidden.entered, Records{&a});
    EXPECT_EQ(hidden.left, Records{&b});
    EXPECT_EQ(list.markedLines(), std::vector<int>{0});

    const BlockRecord* placed = placeBlock(doc, ctx.catalog, 1, {});
    const DocumentChange place = heardOnce();
    EXPECT_EQ(place.added, Records{placed});
    EXPECT_EQ(place.entered, Records{placed});
    EXPECT_EQ(place.left, Records{&a});
    EXPECT_EQ(list.markedLines(), std::vector<int>{2});
    expectSelectionInStep();
}

class Collating : public EditTest {
  protected:
    using Clock = EditHistory::Clock;
    Clock::time_point now{};

    Collating() {
        doc.setHistoryClock([this] { return now; });
    }

    void moveAfter(std::chrono::milliseconds pause, const std::string& gesture) {
        now += pause;
        moveSelection(doc, 1, 0, 0, gesture);
    }
};

TEST_F(Collating, RepeatsOfAGestureWithoutAPauseAreOneStep) {
    const BlockRecord& a = addBlock(5, 5);
    doc.select(&a, false);
    for (int i = 0; i < 9; ++i)
        moveAfter(std::chrono::milliseconds(100), "handle 255 0 0");
    EXPECT_EQ(a.x, 14);
    EXPECT_EQ(doc.history().stepCount(), 1u);
    EXPECT_EQ(doc.history().undoName(), "Move 1 block");
    ASSERT_TRUE(doc.undo());
    EXPECT_EQ(a.x, 5);
    EXPECT_FALSE(doc.history().canUndo());
}

TEST_F(Collating, AGestureBackToWhereItStartedLeavesNothingToUndo) {
    const BlockRecord& a = addBlock(5, 5);
    doc.select(&a, false);
    moveAfter(std::chrono::milliseconds(100), "spinner 1");
    now += std::chrono::milliseconds(100);
    moveSelection(doc, -1, 0, 0, "spinner 1");
    EXPECT_EQ(a.x, 5);
    EXPECT_FALSE(doc.history().canUndo());
    EXPECT_FALSE(doc.modified());
}

TEST_F(Collating, APauseLongerThanTheWindowStartsANewStep) {
    const BlockRecord& a = addBlock(5, 5);
    doc.select(&a, false);
    for (int i = 0; i < 9; ++i)
        moveAfter(std::chrono::milliseconds(1100), "handle 255 0 0");
    EXPECT_EQ(doc.history().stepCount(), 9u);
    ASSERT_TRUE(doc.undo());
    EXPECT_EQ(a.x, 13);
}

TEST_F(Collating, AnotherGestureASelectionChangeOrASaveStartsANewStep) {
    const BlockRecord& a = addBlock(5, 5);
    const BlockRecord& b = addBlock(9, 9);
    doc.select(&a, false);
    const auto soon = std::chrono::milliseconds(100);
    moveAfter(soon, "g");
    moveAfter(soon, "g");
    EXPECT_EQ(doc.history().stepCount(), 1u);
    moveAfter(soon, "h");
    EXPECT_EQ(doc.history().stepCount(), 2u);
    moveAfter(soon, "g");
    EXPECT_EQ(doc.history().stepCount(), 3u);
    moveAfter(soon, ""); // no gesture: a step of its own
    moveAfter(soon, "");
    EXPECT_EQ(doc.history().stepCount(), 5u);

    moveAfter(soon, "g");
    doc.select(&b, false);
    moveAfter(soon, "g");
    EXPECT_EQ(doc.history().stepCount(), 7u);
    moveAfter(soon, "g");
    EXPECT_EQ(doc.history().stepCount(), 7u);

    doc.noteSaved();
    moveAfter(soon, "g");
    EXPECT_EQ(doc.history().stepCount(), 8u);
    ASSERT_TRUE(doc.undo());
    EXPECT_FALSE(doc.modified()); // back at the saved state
    EXPECT_EQ(b.x, 11);
}

} // namespace
