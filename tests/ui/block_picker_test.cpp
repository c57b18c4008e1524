#include <QDir>
#include <QImage>
#include <QKeyEvent>
#include <QTimer>
#include <filesystem>
#include <fstream>

#include "temp_folder.h"
#include "ui/block_picker.h"
#include "ui/block_picker_dialog.h"
#include "ui_fixture.h"

namespace {

TEST(PickerTree, HasTheFixedShape) {
    PickerGroup root = makePickerRoot();
    ASSERT_EQ(root.count, 8);
    ASSERT_EQ(root.subgroups.size(), 8u);
    EXPECT_TRUE(root.blocks.empty());
    const PickerGroup& first = root.subgroups[0];
    ASSERT_EQ(first.count, 3);
    EXPECT_FALSE(first.hasSubgroups());
    EXPECT_EQ(first.blocks[0].catalogIndex, 98);
    EXPECT_EQ(first.blocks[1].catalogIndex, 80);
    EXPECT_EQ(first.blocks[2].catalogIndex, 307);
    for (int g : {1, 2, 3, 4, 6, 7}) {
        EXPECT_EQ(root.subgroups[g].count, 0) << g;
        EXPECT_FALSE(root.subgroups[g].hasBlocks() || root.subgroups[g].hasSubgroups()) << g;
    }
    const PickerGroup& sixth = root.subgroups[5];
    ASSERT_EQ(sixth.count, 9);
    EXPECT_TRUE(sixth.blocks.empty());
    for (int s = 0; s < 9; ++s) {
        ASSERT_EQ(sixth.subgroups[s].count, 9);
        for (int k = 0; k < 9; ++k)
            EXPECT_EQ(sixth.subgroups[s].blocks[k].catalogIndex, s == 1 && k == 0 ? 9 : 0);
    }
}

void writePicture(const std::filesystem::path& path, QSize size, QColor colour) {
    QImage image(size, QImage::Format_RGB888);
    image.fill(colour);
    ASSERT_TRUE(image.save(QString::fromStdString(path.string()), "BMP"));
}

class PickerPictures : public ::testing::Test {
  protected:
    TempFolder temp;
    std::filesystem::path folder() const { return temp.path() / "data/textures/blocks"; }
    QString folderText() const { return QString::fromStdString(folder().string()); }

    PickerPictures() {
        ensureApplication();
        std::filesystem::create_directories(folder());
    }
    void write(const char* name, QSize size = {64, 64}, QColor colour = Qt::gray) {
        writePicture(folder() / name, size, colour);
    }
};

TEST_F(PickerPictures, LoadInTreeOrderAndMissingOnesLeaveNoPicture) {
    write("0.bmp");
    write("0_1.bmp", {64, 64}, Qt::red);
    write("0_2.bmp", {32, 16}, Qt::blue); // another size is scaled to the list's size
    {
        std::ofstream garbage(folder() / "1.bmp");
        garbage << "not a bitmap";
    }
    write("5.bmp");
    write("5_2.bmp");
    write("5_2_0.bmp", {64, 64}, Qt::green);
    write("5_2_8.bmp");
    write("7.bmp");
    write("0_1_0.bmp"); // group 0 has no sub-groups: never read

    PickerState state;
    buildPickerTree(state, folderText());
    ASSERT_TRUE(state.built);
    const PickerGroup& root = state.root;
    EXPECT_EQ(root.subgroups[0].image, 0);
    EXPECT_EQ(root.subgroups[0].blocks[0].image, -1);
    EXPECT_EQ(root.subgroups[0].blocks[1].image, 1);
    EXPECT_EQ(root.subgroups[0].blocks[2].image, 2);
    EXPECT_EQ(root.subgroups[1].image, -1);
    EXPECT_EQ(root.subgroups[5].image, 3);
    EXPECT_EQ(root.subgroups[5].subgroups[0].image, -1);
    EXPECT_EQ(root.subgroups[5].subgroups[2].image, 4);
    EXPECT_EQ(root.subgroups[5].subgroups[2].blocks[0].image, 5);
    EXPECT_EQ(root.subgroups[5].subgroups[2].blocks[1].image, -1);
    EXPECT_EQ(root.subgroups[5].subgroups[2].blocks[8].image, 6);
    EXPECT_EQ(root.subgroups[7].image, 7);
    ASSERT_EQ(state.images.size(), 8u);
    for (const QImage& image : state.images) {
        EXPECT_EQ(image.size(), QSize(64, 64));
        EXPECT_EQ(image.format(), QImage::Format_RGB888);
    }
    EXPECT_EQ(state.images[1].pixelColor(10, 10), QColor(Qt::red));
    EXPECT_EQ(state.images[2].pixelColor(63, 63), QColor(Qt::blue));
    EXPECT_EQ(state.images[5].pixelColor(0, 0), QColor(Qt::green));
}

TEST_F(PickerPictures, BuiltOnceAndReused) {
    write("0.bmp");
    PickerState state;
    buildPickerTree(state, folderText());
    ASSERT_EQ(state.images.size(), 1u);
    write("3.bmp");
    state.currentGroup = 5;
    buildPickerTree(state, folderText());
    EXPECT_EQ(state.images.size(), 1u);
    EXPECT_EQ(state.root.subgroups[3].image, -1);
    EXPECT_EQ(state.currentGroup, 5);
}

// The dialog over a catalogue of "Kind<n>" names, with no pictures unless a test writes them.
class PickerDialogTest : public PickerPictures {
  protected:
    EditorContext ctx;
    PickerState state;

    PickerDialogTest() {
        ctx.catalog.currentEnvironment = 0;
        auto& entries = ctx.catalog.catalogs[0].entries;
        entries.resize(kFixtureKinds);
        for (std::size_t i = 0; i < entries.size(); ++i)
            entries[i].name = "Kind" + std::to_string(i + 1);
    }

    static QStringList labels(const BlockPickerDialog& dialog) {
        QStringList out;
        for (int i = 0; i < dialog.list()->count(); ++i)
            out << dialog.list()->item(i)->text();
        return out;
    }
    // Enter on the item, as the keyboard activates it.
    static void activate(BlockPickerDialog& dialog, int row) {
        dialog.list()->setCurrentRow(row);
        QTest::keyClick(dialog.list(), Qt::Key_Return);
    }
    // A double click on the item, as the mouse activates it.
    static void doubleClick(BlockPickerDialog& dialog, int row) {
        QListWidget* list = dialog.list();
        const QPoint at = list->visualItemRect(list->item(row)).center();
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
    }
    std::unique_ptr<BlockPickerDialog> open() {
        buildPickerTree(state, folderText());
        auto dialog = std::make_unique<BlockPickerDialog>(state, ctx.catalog);
        dialog->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(dialog.get()));
        return dialog;
    }
};

QStringList numbered(const QString& pattern, int n) {
    QStringList out;
    for (int i = 1; i <= n; ++i)
        out << pattern.arg(i);
    return out;
}

TEST_F(PickerDialogTest, FirstGroupReturnsTheChosenKind) {
    auto dialog = open();
    EXPECT_EQ(dialog->windowTitle(), "Blockyard - Select Block");
    EXPECT_EQ(labels(*dialog), numbered("Group %1", 8));
    EXPECT_EQ(dialog->blockName()->text(), "Block name");

    doubleClick(*dialog, 0);
    EXPECT_EQ(state.currentGroup, 0);
    EXPECT_EQ(labels(*dialog), numbered("Block 1.%1", 3));

    dialog->list()->setCurrentRow(1);
    EXPECT_EQ(dialog->blockName()->text(), "Kind80");
    dialog->list()->setCurrentRow(2);
    EXPECT_EQ(dialog->blockName()->text(), "Kind307");

    doubleClick(*dialog, 1);
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(dialog->result(), 80);
}

TEST_F(PickerDialogTest, SixthGroupHasSubgroupsWithOneKind) {
    auto dialog = open();
    activate(*dialog, 5);
    EXPECT_EQ(labels(*dialog), numbered("Group 6.%1", 9));
    // Groups show no name.
    dialog->list()->setCurrentRow(1);
    EXPECT_EQ(dialog->blockName()->text(), "");
    activate(*dialog, 1);
    EXPECT_EQ(state.currentSubgroup, 1);
    EXPECT_EQ(labels(*dialog), numbered("Block 6.2.%1", 9));
    dialog->list()->setCurrentRow(0);
    EXPECT_EQ(dialog->blockName()->text(), "Kind9");
    dialog->list()->setCurrentRow(4);
    EXPECT_EQ(dialog->blockName()->text(), "");

    activate(*dialog, 0);
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(dialog->result(), 9);

    // The level is kept: a new dialog opens at group 6.2, and its other blocks return 0.
    for (int row = 1; row < 9; ++row) {
        auto again = open();
        ASSERT_EQ(labels(*again), numbered("Block 6.2.%1", 9));
        activate(*again, row);
        EXPECT_FALSE(again->isVisible()) << row;
        EXPECT_EQ(again->result(), 0) << row;
    }
}

TEST_F(PickerDialogTest, EmptyGroupAndBack) {
    auto dialog = open();
    activate(*dialog, 1);
    EXPECT_EQ(state.currentGroup, 1);
    EXPECT_TRUE(labels(*dialog).isEmpty());
    QTest::mouseClick(dialog->backButton(), Qt::LeftButton);
    EXPECT_EQ(state.currentGroup, -1);
    EXPECT_EQ(labels(*dialog), numbered("Group %1", 8));
    // At the top "Back" does nothing.
    QTest::mouseClick(dialog->backButton(), Qt::LeftButton);
    EXPECT_EQ(labels(*dialog), numbered("Group %1", 8));

    activate(*dialog, 5);
    activate(*dialog, 8);
    EXPECT_EQ(labels(*dialog), numbered("Block 6.9.%1", 9));
    QTest::mouseClick(dialog->backButton(), Qt::LeftButton);
    EXPECT_EQ(state.currentSubgroup, -1);
    EXPECT_EQ(labels(*dialog), numbered("Group 6.%1", 9));
    QTest::mouseClick(dialog->backButton(), Qt::LeftButton);
    EXPECT_EQ(labels(*dialog), numbered("Group %1", 8));
    EXPECT_TRUE(dialog->isVisible());
}

TEST_F(PickerDialogTest, OnlyTheCloseBoxEndsWithoutAChoice) {
    auto dialog = open();
    QTest::keyClick(dialog->list(), Qt::Key_Escape);
    QTest::keyClick(dialog.get(), Qt::Key_Escape);
    EXPECT_TRUE(dialog->isVisible());
    // Enter activates the list's item and never presses "Back" as a default button.
    activate(*dialog, 5);
    QTest::keyClick(dialog.get(), Qt::Key_Return);
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_EQ(state.currentGroup, 5);
    EXPECT_EQ(labels(*dialog), numbered("Group 6.%1", 9));

    dialog->close();
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(dialog->result(), 0);
}

TEST_F(PickerDialogTest, ItemsShowTheirPicturesWhenPresent) {
    write("0.bmp", {64, 64}, Qt::yellow);
    write("0_2.bmp");
    auto dialog = open();
    EXPECT_FALSE(dialog->list()->item(0)->icon().isNull());
    for (int i = 1; i < 8; ++i)
        EXPECT_TRUE(dialog->list()->item(i)->icon().isNull()) << i;
    activate(*dialog, 0);
    EXPECT_TRUE(dialog->list()->item(0)->icon().isNull());
    EXPECT_FALSE(dialog->list()->item(2)->icon().isNull());
    EXPECT_EQ(dialog->list()->iconSize(), QSize(64, 64));
}

// Runs the modal picker and, once it shows, hands it to the step.
int runPicker(QWidget* owner, EditorContext& ctx, std::function<void(BlockPickerDialog&)> step) {
    auto* timer = new QTimer;
    timer->setInterval(10);
    QObject::connect(timer, &QTimer::timeout, [timer, step] {
        auto* dialog = qobject_cast<BlockPickerDialog*>(QApplication::activeModalWidget());
        if (!dialog)
            return;
        timer->stop();
        step(*dialog);
    });
    timer->start();
    const int result = showBlockPicker(owner, ctx);
    delete timer;
    return result;
}

TEST_F(PickerDialogTest, ReopensWhereTheOwnersWindowLeftIt) {
    // The modal picker reads its pictures from the working folder.
    const QString oldFolder = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(QString::fromStdString(temp.path().string())));
    write("5_1_0.bmp");

    QWidget owner;
    QStringList shown;
    int result = runPicker(&owner, ctx, [&](BlockPickerDialog& dialog) {
        EXPECT_TRUE(dialog.isModal());
        EXPECT_EQ(dialog.parentWidget(), &owner);
        shown = labels(dialog);
        activate(dialog, 5);
        activate(dialog, 1);
        EXPECT_FALSE(dialog.list()->item(0)->icon().isNull());
        activate(dialog, 0);
    });
    EXPECT_EQ(shown, numbered("Group %1", 8));
    EXPECT_EQ(result, 9);

    result = runPicker(&owner, ctx, [&](BlockPickerDialog& dialog) {
        shown = labels(dialog);
        dialog.close();
    });
    EXPECT_EQ(shown, numbered("Block 6.2.%1", 9));
    EXPECT_EQ(result, 0);

    // Another window has a picker of its own, at the top level.
    QWidget other;
    runPicker(&other, ctx, [&](BlockPickerDialog& dialog) {
        shown = labels(dialog);
        dialog.close();
    });
    EXPECT_EQ(shown, numbered("Group %1", 8));
    QDir::setCurrent(oldFolder);
}

} // namespace
