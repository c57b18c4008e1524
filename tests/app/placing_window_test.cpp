#include <filesystem>

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QImage>
#include <QLabel>
#include <QListWidget>
#include <QMouseEvent>
#include <QTabWidget>
#include <QTest>
#include <QWheelEvent>

#include "app/edit_commands.h"
#include "app/main_window_ids.h"
#include "app/piece_commands.h"
#include "app_fixture.h"
#include "real_tracks.h"
#include "ui/pieces_page.h"
#include "view/block_placement.h"
#include "view_events.h"

namespace fs = std::filesystem;

namespace {

// Placing by pointing through the real window, with the view's own events.
class PlacingWindowTest : public ActiveViewFixture {
  protected:
    QWidget* view() { return window_->view(); }
    PlacingMode& placing() { return window_->placing(); }

    void hover(QPoint at) { hoverOver(view(), at); }
    void wheel(int delta) { wheelOver(view(), delta); }

    // A view pixel, after `after`, where the ghost stands on the grid sharing no cell, its
    // blocks as they would be put down there.
    std::optional<std::pair<QPoint, std::vector<BlockRecord>>> freeSpot(QPoint after) {
        for (int y = after.y(); y < view()->height(); y += 23)
            for (int x = after.x(); x < view()->width(); x += 37) {
                hover(QPoint(x, y));
                if (placing().target() && placing().cells().outside == 0 &&
                    placing().cells().shared == 0)
                    return std::make_pair(QPoint(x, y), placing().ghost());
            }
        return std::nullopt;
    }

    QString statusText() { return qobject_cast<QLabel*>(window_->control(kStatusLine))->text(); }

    void saveShot(const char* name) {
        window_->viewPort().renderFrame(true);
        const QString folder = QStringLiteral(BLOCKYARD_SCREENSHOT_DIR);
        QDir().mkpath(folder);
        EXPECT_TRUE(window_->grab().toImage().save(folder + "/" + name));
    }
};

// A camera at eye looking at target, its up vector in the vertical plane of its direction.
Camera lookingAt(const Vec3& eye, const Vec3& target) {
    const Vec3 d = (target - eye).normalized();
    return Camera(eye, d, Vec3(-d.x * d.z, -d.y * d.z, 1 - d.z * d.z).normalized());
}

BlockShape shapeOf(const BlockRecord& r) {
    return {r.catalogIndex, r.x, r.y, r.z, r.rotation, r.variant};
}

TEST_F(PlacingWindowTest, BlocksPlacedByPointingAreSavedExactly) {
    const std::optional<std::string> sample = copySample("Stadium");
    ASSERT_TRUE(sample);
    openThroughButton(*sample);
    std::vector<BlockShape> expected = shapesOf(ctx_.document.track());
    const std::uint32_t kind = ctx_.document.blocks().front().catalogIndex;

    // Insert: the picker's kind follows the pointer.
    prompts_.pickedBlocks = {static_cast<int>(kind)};
    QTest::keyClick(view(), Qt::Key_Insert);
    ASSERT_TRUE(placing().active());
    std::optional<std::pair<QPoint, std::vector<BlockRecord>>> spot = freeSpot(QPoint(20, 20));
    ASSERT_TRUE(spot);
    EXPECT_TRUE(statusText().startsWith(QStringLiteral("Placing ")));
    QTest::mouseClick(view(), Qt::LeftButton, Qt::NoModifier, spot->first);
    for (const BlockRecord& r : spot->second)
        expected.push_back(shapeOf(r));
    EXPECT_EQ(shapesOf(ctx_.document.track()), expected);
    EXPECT_TRUE(placing().active());

    // Turned with R, one level up with the wheel: each click one more block.
    QTest::keyClick(view(), Qt::Key_R);
    wheel(120);
    EXPECT_EQ(ctx_.areaEditor.level(), 2);
    spot = freeSpot(spot->first + QPoint(41, 0));
    ASSERT_TRUE(spot);
    ASSERT_EQ(spot->second.size(), 1u);
    EXPECT_EQ(spot->second[0].rotation & 3, 1);
    EXPECT_EQ(spot->second[0].z, 2);
    QTest::mouseClick(view(), Qt::LeftButton, Qt::NoModifier, spot->first);
    expected.push_back(shapeOf(spot->second[0]));
    EXPECT_EQ(shapesOf(ctx_.document.track()), expected);
    EXPECT_EQ(window_->editCommands()->undoAction()->text(), "Undo Place 1 block");
    // Near the block just placed: the ghost over it shares its cell.
    const Vec3 placed = blockAnchor(ctx_.document.blocks().back(), ctx_.catalog);
    window_->viewState().camera = lookingAt(placed + Vec3(120, -160, 170), placed);
    hover(QPoint(view()->width() / 2, view()->height() / 2));
    saveShot("placing-ghost.png");

    // Escape leaves; a click then picks as before.
    QTest::keyClick(view(), Qt::Key_Escape);
    EXPECT_FALSE(placing().active());
    const std::optional<std::pair<QPoint, const BlockRecord*>> block = findBlockPixel();
    ASSERT_TRUE(block);
    QTest::mouseClick(view(), Qt::LeftButton, Qt::NoModifier, block->first);
    EXPECT_EQ(ctx_.document.selection().first(), block->second);
    EXPECT_EQ(shapesOf(ctx_.document.track()), expected);

    // The copied block comes back as a ghost with Ctrl+V; a right click leaves.
    QTest::keyClick(view(), Qt::Key_C, Qt::ControlModifier);
    QTest::keyClick(view(), Qt::Key_V, Qt::ControlModifier);
    ASSERT_TRUE(placing().active());
    spot = freeSpot(QPoint(30, 60));
    ASSERT_TRUE(spot);
    QTest::mouseClick(view(), Qt::LeftButton, Qt::NoModifier, spot->first);
    expected.push_back(shapeOf(spot->second[0]));
    QTest::mouseClick(view(), Qt::RightButton, Qt::NoModifier, spot->first);
    EXPECT_FALSE(placing().active());
    EXPECT_EQ(shapesOf(ctx_.document.track()), expected);

    // The levels up to the cursor level, and the top view.
    QTest::keyClick(view(), Qt::Key_L);
    EXPECT_EQ(window_->viewState().levelLimit, 2);
    QTest::keyClick(view(), Qt::Key_J);
    EXPECT_EQ(window_->viewState().levelLimit, 1);
    saveShot("levels.png");
    QTest::keyClick(view(), Qt::Key_L);
    QTest::keyClick(view(), Qt::Key_V);
    window_->viewState().camera.position = Vec3(-667, 667, 900);
    saveShot("top-view.png");

    // Saved and read again: the opened blocks and exactly the placed ones.
    const std::string chosen = (tracks_ / "Placed").string();
    prompts_.savePaths.push_back(chosen);
    clickControl(kSaveAsButton);
    openThroughButton(chosen + ".Challenge.Gbx");
    EXPECT_EQ(shapesOf(ctx_.document.track()), expected);
}

// A piece kept from one sample, chosen with a click on the Pieces tab and put down twice by
// pointing in a sample of its environment, is saved exactly.
TEST_F(PlacingWindowTest, APieceChosenOnThePiecesTabIsPlacedAndSavedExactly) {
    const std::optional<std::string> first = copySample("Stadium");
    ASSERT_TRUE(first);
    openThroughButton(*first);
    std::vector<const BlockRecord*> blocks;
    for (auto record = ctx_.document.blocks().begin(); blocks.size() < 5; ++record)
        blocks.push_back(&*record);
    ctx_.document.setSelection(blocks);
    prompts_.texts.push_back("Five of the sample");
    window_->pieceCommands()->saveAction()->trigger();

    const std::string second = (tracks_ / "Second.Challenge.Gbx").string();
    fs::copy_file(*first, second);
    openThroughButton(second);
    std::vector<BlockShape> expected = shapesOf(ctx_.document.track());
    qobject_cast<QTabWidget*>(window_->control(kPageTabs))->setCurrentWidget(window_->piecesPage());
    QListWidget* list = window_->piecesPage()->list();
    const QList<QListWidgetItem*> found = list->findItems("Five of the sample", Qt::MatchExactly);
    ASSERT_EQ(found.size(), 1);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier,
                      list->visualItemRect(found[0]).center());
    ASSERT_TRUE(placing().active());
    EXPECT_EQ(placing().what(), "Five of the sample");

    std::optional<std::pair<QPoint, std::vector<BlockRecord>>> spot = freeSpot(QPoint(20, 20));
    for (int placed = 0; placed < 2; ++placed) {
        ASSERT_TRUE(spot);
        ASSERT_EQ(spot->second.size(), 5u);
        QTest::mouseClick(view(), Qt::LeftButton, Qt::NoModifier, spot->first);
        for (const BlockRecord& r : spot->second)
            expected.push_back(shapeOf(r));
        EXPECT_EQ(shapesOf(ctx_.document.track()), expected);
        spot = freeSpot(spot->first + QPoint(0, 60));
    }
    if (spot)
        saveShot("piece-ghost.png");

    prompts_.savePaths.push_back((tracks_ / "WithPieces").string());
    clickControl(kSaveAsButton);
    openThroughButton((tracks_ / "WithPieces.Challenge.Gbx").string());
    EXPECT_EQ(shapesOf(ctx_.document.track()), expected);
}

// A real track of each environment, with the ground and without: the ground covers the land
// between the track's terrain blocks.
class GroundShotTest : public AppFixture, public ::testing::WithParamInterface<const char*> {};

TEST_P(GroundShotTest, TheGroundFillsTheLandOfARealTrack) {
    const fs::path track = realTracksFolder() / (std::string(GetParam()) + ".Challenge.Gbx");
    if (!fs::exists(track))
        GTEST_SKIP() << "no real tracks beside the repository";
    const fs::path copy = tracks_ / track.filename();
    fs::copy_file(track, copy, fs::copy_options::overwrite_existing);
    openThroughButton(copy.string());
    ASSERT_TRUE(prompts_.shown.empty());
    window_->viewState().camera = lookingAt(Vec3(-150, 150, 330), Vec3(-600, 600, 0));

    window_->viewState().switches.showGround = false;
    window_->viewPort().renderFrame(true);
    const QImage bare = window_->view()->grabFramebuffer();
    window_->viewState().switches.showGround = true;
    window_->viewPort().renderFrame(true);
    const QImage window = window_->grab().toImage();
    EXPECT_NE(window_->view()->grabFramebuffer(), bare);

    const QString folder = QStringLiteral(BLOCKYARD_SCREENSHOT_DIR);
    QDir().mkpath(folder);
    const QString environment = qobject_cast<QLabel*>(window_->control(kEnvironmentLabel))->text();
    EXPECT_TRUE(window.save(folder + "/ground-" + environment + ".png"));
}

INSTANTIATE_TEST_SUITE_P(EachEnvironment, GroundShotTest,
                         ::testing::Values("A01-Race", "SnowD2", "BayC2", "CoastD3", "IslandD5",
                                           "RallyD3", "DesertC3"),
                         [](const auto& info) {
                             std::string name = info.param;
                             std::erase(name, '-');
                             return name;
                         });

} // namespace
