#include <QDir>
#include <QTableWidget>
#include <fstream>
#include <iterator>

#include "catalog/catalog.h"
#include "catalog/environment.h"
#include "edit/block_edits.h"
#include "edit/reshape.h"
#include "layout_check.h"
#include "track/track_reader.h"
#include "ui/block_picker.h"
#include "ui/block_picker_dialog.h"
#include "ui/move_dialog.h"
#include "ui/replace_kinds_dialog.h"
#include "ui/stack_dialog.h"
#include "ui_fixture.h"

namespace {

using namespace control_id;

const std::filesystem::path kRuntime = BLOCKYARD_RUNTIME_DIR;
const std::filesystem::path kRawSamples = BLOCKYARD_RAW_SAMPLES_DIR;
const std::filesystem::path kShots = BLOCKYARD_SCREENSHOT_DIR;

void save(QWidget& widget, const char* name) {
    std::filesystem::create_directories(kShots);
    const QPixmap shot = widget.grab();
    ASSERT_FALSE(shot.isNull());
    EXPECT_TRUE(shot.save(QString::fromStdString((kShots / name).string()), "PNG")) << name;
    EXPECT_EQ(layoutFaults(widget), std::vector<std::string>{}) << name;
}

// The pages and the picker over the data pack's Stadium sample, grabbed to PNG files.
class Screenshots : public PagesTest {
  protected:
    void SetUp() override {
        const std::filesystem::path sample = kRawSamples / "StadiumCircuit.Challenge.Gbx";
        if (!std::filesystem::exists(sample) || !std::filesystem::exists(kRuntime / "data"))
            GTEST_SKIP() << "the data pack is not built";
        ctx.catalog = CatalogState{};
        initEnvironmentNames(ctx.catalog.environmentNames);
        ASSERT_TRUE(loadCatalog(ctx.catalog, kStadium, kRuntime, prompts));
        ctx.catalog.currentEnvironment = kStadium;
        std::ifstream in(sample, std::ios::binary);
        const std::vector<std::uint8_t> bytes{std::istreambuf_iterator<char>(in), {}};
        Track track;
        TrackEnvelope envelope;
        ASSERT_TRUE(parseConvertedTrack(bytes, ctx.catalog, track, envelope));
        ASSERT_GE(track.blocks.size(), 4u);
        doc.replaceTrack(std::move(track), std::move(envelope), sample.string());
    }
};

TEST_F(Screenshots, BothPagesWithASampleTrack) {
    doc.select(&block(1), false);
    hideSelection(doc);
    doc.setSelection({&block(3)});
    click(blocks, kMoveGizmo);
    QApplication::processEvents();
    save(*blocks, "blocks_page_one_selected.png");

    doc.select(&block(0), false);
    QApplication::processEvents();
    save(*blocks, "blocks_page_two_selected.png");

    const BlockRecord& b = block(3);
    ctx.areaEditor.setLevel(b.z);
    ctx.areaEditor.setCursor({b.x, b.y});
    ctx.areaEditor.clickAtCursor(false);
    ctx.areaEditor.setCursor({static_cast<std::int8_t>(b.x + 1), b.y});
    ctx.areaEditor.clickAtCursor(false);
    click(area, kEditCurrentArea);
    QApplication::processEvents();
    save(*area, "area_page.png");
}

TEST_F(Screenshots, PickerAtEachLevel) {
    ctx.folders.base = kRuntime;
    PickerState state;
    preparePicker(state, ctx);
    ASSERT_FALSE(state.families.empty());

    BlockPickerDialog dialog(state, ctx.catalog);
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    save(dialog, "picker_families.png");
    dialog.list()->setCurrentRow(0);
    QTest::keyClick(dialog.list(), Qt::Key_Return);
    dialog.list()->setCurrentRow(1);
    QApplication::processEvents();
    save(dialog, "picker_family_1.png");
    QTest::keyClicks(dialog.searchField(), "road");
    QApplication::processEvents();
    save(dialog, "picker_search.png");
}

TEST_F(Screenshots, TheFilteredListAndTheSelectionDialogs) {
    doc.setSelection({&block(14)});
    QTest::keyClicks(qobject_cast<QLineEdit*>(blocks->control(kBlockFilter)), "Check");
    QApplication::processEvents();
    save(*blocks, "blocks_page_filtered.png");

    doc.setSelection({&block(2), &block(3)});

    MoveDialog move(MoveRequest{true, {}, {4, 6, 1}});
    StackDialog stack(selectionExtent(doc, ctx.catalog));
    ReplaceKindsDialog replace(ctx);
    QTableWidget* pairs = replace.table();
    pairs->item(0, 0)->setText(QStringLiteral("StadiumRoadMain"));
    pairs->item(0, 1)->setText(QStringLiteral("StadiumRoadMainTurbo"));
    QTest::mouseClick(replace.addPairButton(), Qt::LeftButton);
    pairs->item(1, 0)->setText(QStringLiteral("StadiumDirt"));
    pairs->item(1, 1)->setText(QStringLiteral("NoSuchKind"));
    replace.accept();
    const std::pair<QDialog*, const char*> dialogs[] = {{&move, "move_dialog.png"},
                                                        {&stack, "stack_dialog.png"},
                                                        {&replace, "replace_kinds_dialog.png"}};
    for (auto [dialog, name] : dialogs) {
        dialog->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(dialog));
        save(*dialog, name);
    }
}

} // namespace
