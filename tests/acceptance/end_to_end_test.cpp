#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <tuple>
#include <vector>

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QToolButton>
#include <QWheelEvent>

#include "app/edit_commands.h"
#include "app/main_window_ids.h"
#include "app_fixture.h"
#include "assets/model_store.h"
#include "catalog/catalog.h"
#include "edit/area_blocks.h"
#include "edit/area_cells.h"
#include "real_tracks.h"
#include "ui/area_page.h"
#include "ui/arrow_spinner.h"
#include "ui/block_list.h"
#include "ui/blocks_page.h"
#include "ui/control_ids.h"
#include "view/handle_colours.h"
#include "view_events.h"

namespace fs = std::filesystem;
using namespace control_id;

namespace {

std::vector<char> fileBytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

struct MoveHandle {
    Rgb colour;
    int dx, dy, dz;
};
// The handles a user can click, with the step each one makes; the upward one first.
constexpr MoveHandle kMoveHandles[] = {
    {kMovePlusZ, 0, 0, 1},   {kMovePlusX, 1, 0, 0},   {kMovePlusY, 0, 1, 0},
    {kMoveMinusX, -1, 0, 0}, {kMoveMinusY, 0, -1, 0}, {kMoveMinusZ, 0, 0, -1},
};

std::int8_t wrapped(int value) {
    return static_cast<std::int8_t>(static_cast<std::uint8_t>(value));
}

} // namespace

// One editing session in the whole program window, driven through its widgets with Qt Test
// events; only the file dialogs' answers are scripted.
class EndToEndTest : public ActiveViewFixture {
  protected:
    DrawArea* view() const { return window_->view(); }
    QWidget* blocksControl(int id) const { return window_->blocksPage()->control(id); }
    QWidget* areaControl(int id) const { return window_->areaPage()->control(id); }
    QString text(QWidget* control) const {
        if (auto* edit = qobject_cast<QLineEdit*>(control))
            return edit->text();
        if (auto* label = qobject_cast<QLabel*>(control))
            return label->text();
        return QStringLiteral("<no text>");
    }
    void click(QWidget* control) {
        ASSERT_NE(control, nullptr);
        QTest::mouseClick(control, Qt::LeftButton);
    }
    void clickView(QPoint at) { QTest::mouseClick(view(), Qt::LeftButton, Qt::NoModifier, at); }
    void hover(QPoint at) { hoverOver(view(), at); }
    void wheel(int delta) { wheelOver(view(), delta); }

    // Every colour of a picking render of the view with one pixel where the colour also covers
    // the four neighbours, so that a click there cannot land on an edge. Sampled every `step`
    // pixels.
    std::map<std::array<int, 3>, QPoint> pickColours(int step) {
        std::map<std::array<int, 3>, QPoint> found;
        CurrentContext held(*view());
        if (!held.held())
            return found;
        ViewPort& port = window_->viewPort();
        port.renderFrame(false);
        for (int y = 2; y < DrawArea::kHeight - 2; y += step) {
            for (int x = 2; x < DrawArea::kWidth - 2; x += step) {
                const Rgb c = port.readPickColour(x, y);
                const std::array<int, 3> key{c.r, c.g, c.b};
                if (found.count(key))
                    continue;
                if (port.readPickColour(x - 1, y) == c && port.readPickColour(x + 1, y) == c &&
                    port.readPickColour(x, y - 1) == c && port.readPickColour(x, y + 1) == c)
                    found[key] = QPoint(x, y);
            }
        }
        return found;
    }
    static std::optional<QPoint> pixelOf(const std::map<std::array<int, 3>, QPoint>& colours,
                                         Rgb colour) {
        auto it = colours.find({colour.r, colour.g, colour.b});
        if (it == colours.end())
            return std::nullopt;
        return it->second;
    }
    // The block a picking colour stands for, or none.
    const BlockRecord* blockOf(const std::array<int, 3>& colour) const {
        const Rgb c{static_cast<std::uint8_t>(colour[0]), static_cast<std::uint8_t>(colour[1]),
                    static_cast<std::uint8_t>(colour[2])};
        return window_->renderer().blockOfColour(c);
    }

    // A pixel of the block drawn nearest the middle of the view, other than `other`.
    std::optional<std::pair<QPoint, const BlockRecord*>>
    blockNearTheMiddle(const BlockRecord* other = nullptr) {
        const QPoint middle(DrawArea::kWidth / 2, DrawArea::kHeight / 2);
        std::optional<std::pair<QPoint, const BlockRecord*>> best;
        for (const auto& [colour, at] : pickColours(4)) {
            const BlockRecord* block = blockOf(colour);
            if (!block || block == other || indexOf(block) < 0)
                continue;
            if (!best || (at - middle).manhattanLength() < (best->first - middle).manhattanLength())
                best = std::make_pair(at, block);
        }
        return best;
    }

    int indexOf(const BlockRecord* record) const { return ctx_.document.lineOf(record); }
    ViewState& viewState() { return window_->viewState(); }
    std::int32_t modelOf(const BlockRecord& record) const {
        return window_->renderer().blockTable().modelOf(&record);
    }
    QListWidget* blockList() const { return qobject_cast<QListWidget*>(blocksControl(kBlockList)); }
    std::vector<int> markedLines() const {
        QApplication::processEvents();
        std::vector<int> marked;
        for (int i = 0; i < blockList()->count(); ++i)
            if (blockList()->item(i)->isSelected())
                marked.push_back(i);
        return marked;
    }
    std::vector<int> hiddenLines() const {
        std::vector<int> hidden;
        for (int i = 0; i < blockList()->count(); ++i)
            if (blockList()->item(i)->text().contains(QStringLiteral(" (h)")))
                hidden.push_back(i);
        return hidden;
    }
    // The panel shows the block's name and its eight fields.
    void expectPanelShows(const BlockRecord& r) {
        const CatalogEntry* entry = catalogEntry(ctx_.catalog, r.catalogIndex);
        ASSERT_NE(entry, nullptr);
        EXPECT_EQ(text(blocksControl(kBlockName)).toStdString(), entry->name);
        const std::pair<int, int> fields[] = {{kRotationEdit, r.rotation},
                                              {kXEdit, r.x},
                                              {kYEdit, r.y},
                                              {kZEdit, r.z},
                                              {kVar1Edit, r.variant[0]},
                                              {kVar2Edit, r.variant[1]},
                                              {kVar3Edit, r.variant[2]},
                                              {kVar4Edit, r.variant[3]}};
        for (auto [id, value] : fields)
            EXPECT_EQ(text(blocksControl(id)), QString::number(value)) << "edit " << id;
    }
    // The cell under the pointer as the Area page shows it.
    std::array<int, 3> shownCursor() const {
        return {text(areaControl(kCursorX)).toInt(), text(areaControl(kCursorY)).toInt(),
                text(areaControl(kCursorLevel)).toInt()};
    }

    void saveScreenshot() {
        const QImage image = window_->grab().toImage();
        const QString file = QStringLiteral(BLOCKYARD_SCREENSHOT_FILE);
        QDir().mkpath(QFileInfo(file).absolutePath());
        EXPECT_TRUE(image.save(file)) << file.toStdString();
    }
};

TEST_F(EndToEndTest, AnEditingSessionIsSavedAndOpensAgainAsItWasLeft) {
    // Open a sample through the converter.
    const std::optional<std::string> sample = copySample("Stadium");
    ASSERT_TRUE(sample) << "no Stadium sample in the runtime folder";
    const std::vector<char> sampleBytes = fileBytes(*sample);
    openThroughButton(*sample);
    ASSERT_TRUE(prompts_.shown.empty()) << prompts_.shown.front().text;
    ASSERT_GT(ctx_.document.blocks().size(), 2u);
    EXPECT_EQ(text(window_->control(kEnvironmentLabel)), "Stadium");
    EXPECT_EQ(blockList()->count(), static_cast<int>(ctx_.document.blocks().size()));
    // What the file should hold after the session, edited below as each edit is made.
    std::vector<BlockShape> expected = shapesOf(ctx_.document.track());

    // Fly: W steps the camera forward at each frame while it is held, G shows the grid.
    const Vec3 start = viewState().camera.position;
    const Vec3 direction = viewState().camera.direction;
    QTest::keyPress(view(), Qt::Key_W);
    EXPECT_TRUE(viewState().keys.forward);
    const Vec3 step = viewState().camera.position - start;
    EXPECT_GT(step.length(), 0.0);
    EXPECT_NEAR(step.angleTo(direction), 0.0, 1e-6);
    QTest::keyRelease(view(), Qt::Key_W);
    EXPECT_FALSE(viewState().keys.forward);
    const Vec3 flown = viewState().camera.position;
    hover(QPoint(300, 300));
    EXPECT_TRUE(viewState().camera.position == flown)
        << "the camera kept flying after W was let go";
    QTest::keyClick(view(), Qt::Key_G);
    EXPECT_TRUE(viewState().switches.showGrid);

    // Drag to look: the camera turns, nothing is picked.
    QTest::mousePress(view(), Qt::LeftButton, Qt::NoModifier, QPoint(300, 300));
    QTest::mouseMove(view(), QPoint(310, 296));
    QTest::mouseRelease(view(), Qt::LeftButton, Qt::NoModifier, QPoint(310, 296));
    EXPECT_GT(viewState().camera.direction.angleTo(direction), 0.04);
    EXPECT_TRUE(viewState().camera.position == flown);
    EXPECT_EQ(ctx_.document.selection().count(), 0);
    EXPECT_FALSE(viewState().leftButtonDown);

    // Click a block in the view: it is selected and the Blocks page shows it.
    const auto target = blockNearTheMiddle();
    ASSERT_TRUE(target) << "no block in view";
    const BlockRecord* first = target->second;
    const int firstIndex = indexOf(first);
    ASSERT_GE(firstIndex, 0);
    clickView(target->first);
    ASSERT_EQ(ctx_.document.selection().count(), 1);
    ASSERT_EQ(ctx_.document.selection().first(), first);
    EXPECT_EQ(markedLines(), std::vector<int>{firstIndex});
    expectPanelShows(*first);

    // The X spinner's up arrow moves it one cell.
    auto* xSpinner = qobject_cast<ArrowSpinner*>(blocksControl(kXSpinner));
    ASSERT_NE(xSpinner, nullptr);
    click(xSpinner->upButton());
    expected[firstIndex].x = wrapped(expected[firstIndex].x + 1);
    EXPECT_EQ(first->x, expected[firstIndex].x);
    EXPECT_EQ(text(blocksControl(kXEdit)), QString::number(first->x));

    // "Move" shows the handles; a click on one moves the block a step along its axis.
    auto* moveButton = qobject_cast<QPushButton*>(blocksControl(kMoveGizmo));
    click(moveButton);
    EXPECT_TRUE(moveButton->isChecked());
    EXPECT_TRUE(viewState().switches.showMoveGizmo);
    {
        const auto colours = pickColours(2);
        const MoveHandle* handle = nullptr;
        std::optional<QPoint> at;
        for (const MoveHandle& h : kMoveHandles) {
            at = pixelOf(colours, h.colour);
            if (at) {
                handle = &h;
                break;
            }
        }
        ASSERT_NE(handle, nullptr) << "no move handle in view";
        clickView(*at);
        BlockShape& e = expected[firstIndex];
        e.x = wrapped(e.x + handle->dx);
        e.y = wrapped(e.y + handle->dy);
        e.z = wrapped(e.z + handle->dz);
        EXPECT_EQ(shapesOf(ctx_.document.track())[firstIndex], e);
        EXPECT_EQ(ctx_.document.selection().count(), 1) << "the handle click changed the selection";
        expectPanelShows(*first);
    }
    click(moveButton);
    EXPECT_FALSE(viewState().switches.showMoveGizmo);

    // F and a click add a second block; "Rotate" turns the two as a group.
    const auto other = blockNearTheMiddle(first);
    ASSERT_TRUE(other) << "only one block in view";
    const BlockRecord* second = other->second;
    QTest::keyPress(view(), Qt::Key_F);
    ASSERT_TRUE(viewState().fKeyDown);
    clickView(other->first);
    QTest::keyRelease(view(), Qt::Key_F);
    const int secondIndex = indexOf(second);
    ASSERT_EQ(ctx_.document.selection().count(), 2);
    EXPECT_TRUE(Selection::contains(*second));
    EXPECT_EQ(markedLines(), (std::vector<int>{std::min(firstIndex, secondIndex),
                                               std::max(firstIndex, secondIndex)}));
    EXPECT_EQ(text(blocksControl(kBlockName)), "");

    auto* rotateButton = qobject_cast<QPushButton*>(blocksControl(kRotateGizmo));
    click(rotateButton);
    EXPECT_TRUE(viewState().switches.showRotateGizmo);
    {
        const auto colours = pickColours(2);
        std::optional<QPoint> at = pixelOf(colours, kRotateOtherWay);
        int sense = 1;
        if (!at) {
            at = pixelOf(colours, kRotateOneWay);
            sense = -1;
        }
        ASSERT_TRUE(at) << "no rotate handle in view";
        // The blocks this session's view gives, whose turn is worked out by hand below.
        ASSERT_EQ(firstIndex, 3) << "the view picked other blocks than those worked out";
        ASSERT_EQ(secondIndex, 4) << "the view picked other blocks than those worked out";
        ASSERT_EQ(std::make_tuple(expected[3].x, expected[3].y, expected[3].rotation),
                  std::make_tuple(7, 7, 0));
        ASSERT_EQ(std::make_tuple(expected[4].x, expected[4].y, expected[4].rotation),
                  std::make_tuple(6, 8, 0));
        clickView(*at);
        // About the box's centre (6.5, 7.5): (x, y) -> (cx - s(y - cy), cy + s(x - cx)), truncated.
        const auto turnedTo = [&expected](int line, int x, int y, int rotation) {
            expected[line].x = x;
            expected[line].y = y;
            expected[line].rotation = rotation;
        };
        if (sense == 1) {
            turnedTo(3, 7, 8, 1);
            turnedTo(4, 6, 7, 1);
        } else {
            turnedTo(3, 6, 7, 3);
            turnedTo(4, 7, 8, 3);
        }
        EXPECT_EQ(shapesOf(ctx_.document.track()), expected);
        EXPECT_EQ(ctx_.document.selection().count(), 2);
    }
    saveScreenshot();
    click(rotateButton);
    EXPECT_FALSE(viewState().switches.showRotateGizmo);

    // Hide takes the two out of the view; "Unhide all" brings them back.
    click(blocksControl(kHide));
    EXPECT_EQ(hiddenLines(), (std::vector<int>{std::min(firstIndex, secondIndex),
                                               std::max(firstIndex, secondIndex)}));
    for (const auto& [colour, at] : pickColours(4)) {
        const BlockRecord* shown = blockOf(colour);
        EXPECT_TRUE(shown != first && shown != second) << "a hidden block is drawn";
    }
    click(blocksControl(kUnhideAll));
    EXPECT_TRUE(hiddenLines().empty());
    EXPECT_EQ(shapesOf(ctx_.document.track()), expected);

    // The Area tab; area editing on; the wheel sets the level of the most common block height.
    auto* tabs = qobject_cast<QTabWidget*>(window_->control(kPageTabs));
    ASSERT_NE(tabs, nullptr);
    QTest::mouseClick(tabs->tabBar(), Qt::LeftButton, Qt::NoModifier,
                      tabs->tabBar()->tabRect(1).center());
    EXPECT_TRUE(window_->areaPage()->isVisible());
    EXPECT_FALSE(window_->blocksPage()->isVisible());
    auto* editArea = qobject_cast<QPushButton*>(areaControl(kEditCurrentArea));
    click(editArea);
    EXPECT_TRUE(editArea->isChecked());
    EXPECT_TRUE(ctx_.areaEditor.editing());

    std::map<int, int> heights;
    for (const BlockRecord& r : ctx_.document.blocks())
        ++heights[r.z];
    const int level = std::max_element(heights.begin(), heights.end(), [](auto a, auto b) {
                          return a.second < b.second;
                      })->first;
    ASSERT_GE(level, 0);
    ASSERT_LT(level, kGridSize);
    while (ctx_.areaEditor.level() != level) {
        const int before = ctx_.areaEditor.level();
        wheel(before < level ? 120 : -120);
        ASSERT_NE(ctx_.areaEditor.level(), before) << "the wheel did not change the level";
    }

    // The pointer over the view: the page shows the cell under it, or -1 off the grid.
    std::vector<std::pair<QPoint, GridCell>> cells;
    for (int y = 20; y < DrawArea::kHeight; y += 60) {
        for (int x = 20; x < DrawArea::kWidth; x += 60) {
            hover(QPoint(x, y));
            const std::array<int, 3> shown = shownCursor();
            EXPECT_EQ(shown[0], ctx_.areaEditor.cursor().x);
            EXPECT_EQ(shown[1], ctx_.areaEditor.cursor().y);
            EXPECT_EQ(shown[2], level);
            if (ctx_.areaEditor.cursor().x < 0 || ctx_.areaEditor.cursor().y < 0) {
                EXPECT_EQ(shown[0], -1);
                EXPECT_EQ(shown[1], -1);
                continue;
            }
            const GridCell cell{ctx_.areaEditor.cursor().x, ctx_.areaEditor.cursor().y,
                                static_cast<std::int8_t>(level)};
            if (std::none_of(cells.begin(), cells.end(),
                             [&](const auto& c) { return c.second == cell; }))
                cells.emplace_back(QPoint(x, y), cell);
        }
    }
    ASSERT_GE(cells.size(), 3u) << "too few grid cells in view";

    // Two corners whose box holds the most blocks of that level, and a third cell outside it.
    auto inBox = [](GridCell a, GridCell b, int x, int y) {
        return x >= std::min(a.x, b.x) && x <= std::max(a.x, b.x) && y >= std::min(a.y, b.y) &&
               y <= std::max(a.y, b.y);
    };
    int bestBlocks = -1;
    std::size_t corner1 = 0, corner2 = 0, single = 0;
    for (std::size_t i = 0; i < cells.size(); ++i) {
        for (std::size_t j = 0; j < cells.size(); ++j) {
            const GridCell a = cells[i].second, b = cells[j].second;
            if (i == j || (a.x == b.x && a.y == b.y))
                continue;
            auto outside = std::find_if(cells.begin(), cells.end(), [&](const auto& c) {
                return !inBox(a, b, c.second.x, c.second.y);
            });
            if (outside == cells.end())
                continue;
            int blocks = 0;
            for (const BlockRecord& r : ctx_.document.blocks())
                blocks += r.z == level && inBox(a, b, r.x, r.y) ? 1 : 0;
            if (blocks > bestBlocks) {
                bestBlocks = blocks;
                corner1 = i;
                corner2 = j;
                single = static_cast<std::size_t>(outside - cells.begin());
            }
        }
    }
    ASSERT_GT(bestBlocks, 0) << "no box of the cells in view holds a block";

    // A click adds a cell, a second click takes it away, a third adds it again.
    hover(cells[single].first);
    clickView(cells[single].first);
    EXPECT_EQ(text(areaControl(kAreaCellCount)), "1");
    clickView(cells[single].first);
    EXPECT_EQ(text(areaControl(kAreaCellCount)), "0");
    clickView(cells[single].first);
    hover(cells[corner1].first);
    clickView(cells[corner1].first);
    EXPECT_EQ(text(areaControl(kAreaCellCount)), "2");

    // F and a click: the box from the last cell added to the one under the pointer.
    hover(cells[corner2].first);
    QTest::keyPress(view(), Qt::Key_F);
    ASSERT_TRUE(viewState().fKeyDown);
    clickView(cells[corner2].first);
    QTest::keyRelease(view(), Qt::Key_F);
    const GridCell a = cells[corner1].second, b = cells[corner2].second;
    const int boxCells = (std::abs(a.x - b.x) + 1) * (std::abs(a.y - b.y) + 1);
    EXPECT_EQ(text(areaControl(kAreaCellCount)), QString::number(1 + boxCells));
    EXPECT_EQ(ctx_.areaEditor.area().count(), 1 + boxCells);
    EXPECT_TRUE(areaContains(ctx_.areaEditor.area(), cells[single].second.x, cells[single].second.y,
                             level));
    for (int x = std::min(a.x, b.x); x <= std::max(a.x, b.x); ++x)
        for (int y = std::min(a.y, b.y); y <= std::max(a.y, b.y); ++y)
            EXPECT_TRUE(areaContains(ctx_.areaEditor.area(), x, y, level)) << x << "," << y;

    std::vector<int> inArea;
    for (const BlockRecord& r : ctx_.document.blocks())
        if (blockInArea(ctx_.catalog, ctx_.areaEditor.area(), r))
            inArea.push_back(indexOf(&r));
    ASSERT_GE(static_cast<int>(inArea.size()), bestBlocks);
    EXPECT_EQ(text(areaControl(kAreaBlockCount)), QString::number(inArea.size()));

    // Select and hide the area's blocks.
    click(areaControl(kSelectBlocksInArea));
    EXPECT_EQ(ctx_.document.selection().count(), static_cast<int>(inArea.size()));
    EXPECT_EQ(markedLines(), inArea);
    click(areaControl(kHideBlocksInArea));
    EXPECT_EQ(hiddenLines(), inArea);
    EXPECT_EQ(ctx_.document.selection().count(), static_cast<int>(inArea.size()));
    EXPECT_EQ(shapesOf(ctx_.document.track()), expected);

    // Save as... a new name; the opened file stays as it was.
    const std::vector<BlockShape> saved = shapesOf(ctx_.document.track());
    const std::string chosen = (tracks_ / "Edited").string();
    const std::string written = chosen + ".Challenge.Gbx";
    prompts_.savePaths.push_back(chosen);
    clickControl(kSaveAsButton);
    ASSERT_EQ(prompts_.shown.size(), 1u);
    EXPECT_EQ(prompts_.shown[0].text, written);
    EXPECT_EQ(prompts_.shown[0].caption, "Saved!");
    EXPECT_TRUE(fs::exists(written));
    EXPECT_EQ(fileBytes(*sample), sampleBytes);
    prompts_.shown.clear();

    // Open the new file: the edits were saved elsewhere, so the opened track still has unsaved
    // changes to ask about; every record of the new file is as the session left it.
    prompts_.saveChoices = {SaveChoice::Discard};
    openThroughButton(written);
    ASSERT_EQ(prompts_.shown.size(), 1u);
    EXPECT_EQ(prompts_.shown[0].text,
              "Save changes to " + fs::path(*sample).filename().string() + "?");
    EXPECT_EQ(ctx_.document.path(), written);
    EXPECT_EQ(shapesOf(ctx_.document.track()), saved);
    EXPECT_EQ(shapesOf(ctx_.document.track()), expected);
    EXPECT_EQ(countedBlocks(ctx_.document.track()), expected.size());
    EXPECT_EQ(blockList()->count(), static_cast<int>(expected.size()));
}

namespace {

// The colours of the fallback image, a magenta and black checker, under any light: green near 0,
// red near blue.
bool isFallbackColour(const QColor& c) {
    return c.green() < 24 && std::abs(c.red() - c.blue()) < 24;
}

} // namespace

// Blocks are drawn with their models' images. In a sample, a block with a model of its own shows
// none of the fallback image's colours. In a real track the same holds once the data pack gives
// its kinds models; until then its blocks take the fallback model, which must show its image.
TEST_F(EndToEndTest, BlocksShowTheirModelsImages) {
    const std::optional<std::string> sample = copySample("Stadium");
    ASSERT_TRUE(sample);
    std::vector<std::string> tracks = {*sample};
    const std::vector<fs::path> real = realTrackFiles();
    if (!real.empty())
        tracks.push_back(real.front().string());
    for (const std::string& track : tracks) {
        SCOPED_TRACE(track);
        openThroughButton(track);
        ASSERT_TRUE(prompts_.shown.empty()) << prompts_.shown.front().text;
        const bool ownModels =
            track == *sample ||
            std::any_of(ctx_.document.blocks().begin(), ctx_.document.blocks().end(),
                        [this](const BlockRecord& r) { return modelOf(r) != kFallbackList; });
        const auto block = findBlockPixel([this, ownModels](const BlockRecord& record) {
            return (modelOf(record) != kFallbackList) == ownModels;
        });
        ASSERT_TRUE(block);
        window_->viewPort().renderFrame(true);
        const double ratio = view()->devicePixelRatioF();
        const QColor shown = view()->grabFramebuffer().pixelColor(
            static_cast<int>(block->first.x() * ratio), static_cast<int>(block->first.y() * ratio));
        EXPECT_NE(isFallbackColour(shown), ownModels)
            << shown.red() << "," << shown.green() << "," << shown.blue();
    }
}

TEST_F(EndToEndTest, DeleteUndoPlaceCopyPasteAndFillThroughTheWindow) {
    const std::optional<std::string> sample = copySample("Stadium");
    ASSERT_TRUE(sample) << "no Stadium sample in the runtime folder";
    openThroughButton(*sample);
    ASSERT_TRUE(prompts_.shown.empty()) << prompts_.shown.front().text;
    const std::string name = fs::path(*sample).filename().string();
    const QString title = QStringLiteral("Blockyard 0.1 alpha - ") + QString::fromStdString(name);
    EXPECT_EQ(window_->windowTitle(), title);
    const std::vector<BlockShape> opened = shapesOf(ctx_.document.track());
    const int count = static_cast<int>(opened.size());

    // Delete the block clicked in the view with the Delete key, after the question.
    const auto target = blockNearTheMiddle();
    ASSERT_TRUE(target) << "no block in view";
    const BlockRecord* picked = target->second;
    const int pickedIndex = indexOf(picked);
    clickView(target->first);
    ASSERT_EQ(ctx_.document.selection().first(), picked);
    prompts_.answers = {true};
    QTest::keyClick(view(), Qt::Key_Delete);
    ASSERT_EQ(prompts_.shown.size(), 1u);
    EXPECT_EQ(prompts_.shown[0].text, "Are you sure you want to delete selected blocks?");
    EXPECT_EQ(blockList()->count(), count - 1);
    EXPECT_EQ(window_->windowTitle(), title + "*");

    // Undo: the same record is back at its line, selected, and the title is clean again.
    QTest::keyClick(view(), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(indexOf(picked), pickedIndex);
    EXPECT_EQ(shapesOf(ctx_.document.track()), opened);
    EXPECT_EQ(markedLines(), std::vector<int>{pickedIndex});
    expectPanelShows(*picked);
    EXPECT_EQ(window_->windowTitle(), title);

    // Add block... places the picked kind beside the selection, selected alone.
    prompts_.pickedBlocks = {static_cast<int>(picked->catalogIndex)};
    click(blocksControl(kAddBlock));
    ASSERT_EQ(blockList()->count(), count + 1);
    const BlockRecord& placed = ctx_.document.blocks().back();
    EXPECT_EQ(placed.x, wrapped(picked->x + 1));
    EXPECT_EQ(placed.y, picked->y);
    EXPECT_EQ(markedLines(), std::vector<int>{count});
    EXPECT_GE(modelOf(placed), 1);

    // Copy it and paste it where the pointer takes its ghost, then duplicate the pasted one the
    // same way: each click puts one down, selected alone.
    const auto putDownOnFreeCell = [this] {
        for (int y = 30; y < DrawArea::kHeight; y += 29)
            for (int x = 30; x < DrawArea::kWidth; x += 31) {
                hover(QPoint(x, y));
                const PlacingMode& placing = window_->placing();
                if (placing.target() && placing.cells().shared == 0 &&
                    placing.cells().outside == 0) {
                    clickView(QPoint(x, y));
                    return true;
                }
            }
        return false;
    };
    QTest::keyClick(view(), Qt::Key_C, Qt::ControlModifier);
    QTest::keyClick(view(), Qt::Key_V, Qt::ControlModifier);
    ASSERT_TRUE(putDownOnFreeCell());
    QTest::keyClick(blockList(), Qt::Key_D, Qt::ControlModifier);
    ASSERT_TRUE(putDownOnFreeCell());
    QTest::keyClick(view(), Qt::Key_Escape);
    ASSERT_EQ(blockList()->count(), count + 3);
    EXPECT_EQ(ctx_.document.blocks().back().catalogIndex, picked->catalogIndex);
    EXPECT_EQ(markedLines(), std::vector<int>{count + 2});

    // Fill an area of one cell from the Area page's picker.
    auto* tabs = qobject_cast<QTabWidget*>(window_->control(kPageTabs));
    QTest::mouseClick(tabs->tabBar(), Qt::LeftButton, Qt::NoModifier,
                      tabs->tabBar()->tabRect(1).center());
    click(areaControl(kEditCurrentArea));
    for (int y = 40; y < DrawArea::kHeight && ctx_.areaEditor.area().count() == 0; y += 40)
        for (int x = 40; x < DrawArea::kWidth && ctx_.areaEditor.area().count() == 0; x += 40) {
            hover(QPoint(x, y));
            if (ctx_.areaEditor.cursor().x >= 0)
                clickView(QPoint(x, y));
        }
    ASSERT_EQ(ctx_.areaEditor.area().count(), 1);
    prompts_.pickedBlocks = {static_cast<int>(picked->catalogIndex)};
    click(areaControl(kFillArea));
    ASSERT_EQ(blockList()->count(), count + 4);
    EXPECT_EQ(window_->editCommands()->undoAction()->text(), "Undo Fill area with 1 block");

    // Undo everything through the window's shortcuts: the track is as opened, unmarked.
    view()->setFocus();
    for (int i = 0; i < 4; ++i)
        QTest::keyClick(view(), Qt::Key_Z, Qt::ControlModifier);
    // The undone delete gave way to the place.
    EXPECT_FALSE(window_->editCommands()->undoAction()->isEnabled());
    EXPECT_EQ(window_->editCommands()->redoAction()->text(), "Redo Place 1 block");
    EXPECT_EQ(shapesOf(ctx_.document.track()), opened);
    EXPECT_EQ(blockList()->count(), count);
    EXPECT_EQ(window_->windowTitle(), title);
    prompts_.shown.clear();
    EXPECT_TRUE(window_->close());
    EXPECT_TRUE(prompts_.shown.empty());
}
