#include <QDir>
#include <QImage>
#include <QLineEdit>
#include <QTimer>
#include <filesystem>

#include "temp_folder.h"
#include "ui/block_picker.h"
#include "ui/block_picker_dialog.h"
#include "ui_fixture.h"

namespace {

constexpr int kAlpineIndex = 0; // environments in their table order

// The picker over a Stadium catalogue of its own, with pictures in a fresh base folder.
class PickerDialogTest : public ::testing::Test {
  protected:
    TempFolder temp;
    EditorContext ctx;
    PickerState state;

    PickerDialogTest() {
        ensureApplication();
        initEnvironmentNames(ctx.catalog.environmentNames);
        ctx.folders.base = temp.path();
        ctx.catalog.currentEnvironment = kStadium;
        // More kinds than any fixed table would hold, filed as the kinds file would file them.
        BlockCatalog& catalog = ctx.catalog.catalogs[kStadium];
        catalog.groups = {"Start, finish and checkpoints", "Roads", "Pillars", "Terrain", "Other"};
        catalog.entries.resize(400);
        for (std::size_t i = 0; i < catalog.entries.size(); ++i)
            setKind(catalog, i, "StadiumPillarKind" + std::to_string(i + 1), "Pillars");
        setKind(catalog, 0, "StadiumRoadMain", "Roads");
        setKind(catalog, 1, "StadiumRoadMainCheckpoint", "Start, finish and checkpoints");
        setKind(catalog, 2, "StadiumGrass", "Terrain");
        setKind(catalog, 399, "StadiumRoadMainGTCurve2", "Roads");
        std::filesystem::create_directories(pictures());
    }

    static void setKind(BlockCatalog& catalog, std::size_t i, std::string name, std::string group) {
        catalog.entries[i].name = std::move(name);
        catalog.entries[i].group = std::move(group);
    }
    std::filesystem::path pictures() const { return pickerPictureFolder(temp.path(), "Stadium"); }
    void writePicture(int kind, QSize size = {64, 64}) {
        QImage image(size, QImage::Format_RGB888);
        image.fill(Qt::yellow);
        const std::string path = (pictures() / (std::to_string(kind) + ".bmp")).string();
        ASSERT_TRUE(image.save(QString::fromStdString(path), "BMP"));
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
    std::unique_ptr<BlockPickerDialog> open() {
        preparePicker(state, ctx);
        auto dialog = std::make_unique<BlockPickerDialog>(state, ctx.catalog);
        dialog->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(dialog.get()));
        return dialog;
    }
};

TEST_F(PickerDialogTest, FamiliesThenKindsWithTheirPicturesAndNames) {
    writePicture(1);
    writePicture(400, {32, 16}); // another size is scaled to the list's
    auto dialog = open();
    EXPECT_EQ(dialog->windowTitle(), "Blockyard - Select Block");
    EXPECT_EQ(labels(*dialog),
              (QStringList{"Start, finish and checkpoints", "Roads", "Pillars", "Terrain"}));
    EXPECT_EQ(dialog->list()->iconSize(), QSize(64, 64));
    EXPECT_TRUE(dialog->list()->item(0)->icon().isNull());
    EXPECT_FALSE(dialog->list()->item(1)->icon().isNull()); // the picture of its first kind

    activate(*dialog, 1);
    EXPECT_EQ(labels(*dialog), (QStringList{"RoadMain", "RoadMainGTCurve2"}));
    EXPECT_FALSE(dialog->list()->item(1)->icon().isNull());
    dialog->list()->setCurrentRow(1);
    EXPECT_EQ(dialog->blockName()->text(), "StadiumRoadMainGTCurve2");

    QTest::mouseClick(dialog->backButton(), Qt::LeftButton);
    EXPECT_EQ(labels(*dialog).size(), 4);
    activate(*dialog, 2);
    EXPECT_EQ(dialog->list()->count(), 396);
    activate(*dialog, 395);
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(dialog->result(), 399);
}

TEST_F(PickerDialogTest, TheSearchFiltersAsOneTypesAndBackClearsIt) {
    auto dialog = open();
    activate(*dialog, 1);
    QTest::keyClicks(dialog->searchField(), "mainc");
    EXPECT_EQ(labels(*dialog), QStringList{"RoadMainCheckpoint"});
    QTest::keyClicks(dialog->searchField(), "x");
    EXPECT_TRUE(labels(*dialog).isEmpty());
    QTest::mouseClick(dialog->backButton(), Qt::LeftButton);
    EXPECT_TRUE(dialog->searchField()->text().isEmpty());
    EXPECT_EQ(labels(*dialog), (QStringList{"RoadMain", "RoadMainGTCurve2"})); // the family again
    QTest::keyClicks(dialog->searchField(), "grass");
    activate(*dialog, 0);
    EXPECT_EQ(dialog->result(), 3);
}

TEST_F(PickerDialogTest, OnlyTheCloseBoxEndsWithoutAChoice) {
    auto dialog = open();
    QTest::keyClick(dialog->list(), Qt::Key_Escape);
    QTest::keyClick(dialog.get(), Qt::Key_Escape);
    QTest::keyClick(dialog->searchField(), Qt::Key_Return);
    EXPECT_TRUE(dialog->isVisible());
    dialog->close();
    EXPECT_EQ(dialog->result(), 0);
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

TEST_F(PickerDialogTest, ReopensWhereTheOwnersWindowLeftItUntilTheCatalogueChanges) {
    QWidget owner;
    QStringList shown;
    int result = runPicker(&owner, ctx, [&](BlockPickerDialog& dialog) {
        EXPECT_EQ(dialog.parentWidget(), &owner);
        activate(dialog, 1);
        activate(dialog, 0);
    });
    EXPECT_EQ(result, 1);
    runPicker(&owner, ctx, [&](BlockPickerDialog& dialog) {
        shown = labels(dialog);
        dialog.close();
    });
    EXPECT_EQ(shown, (QStringList{"RoadMain", "RoadMainGTCurve2"}));

    // Another environment: its own families, from the top.
    ctx.catalog.currentEnvironment = kAlpineIndex;
    BlockCatalog& alpine = ctx.catalog.catalogs[kAlpineIndex];
    alpine.groups = {"Roads", "Other"};
    alpine.entries.resize(1);
    setKind(alpine, 0, "AlpineRoadWood", "Roads");
    runPicker(&owner, ctx, [&](BlockPickerDialog& dialog) {
        shown = labels(dialog);
        dialog.close();
    });
    EXPECT_EQ(shown, QStringList{"Roads"});
}

} // namespace
