#include <GL/gl.h>

#include "edit/area_blocks.h"
#include "view/cell_picking.h"
#include "view/placing_mode.h"
#include "view/view_projection.h"
#include "view/world_grid.h"
#include "view_scene.h"

// Placing mode on the test's GL context: a one-cell kind ("Box") and a kind two cells long along
// x ("Long"), both drawn as the box model.
class PlacingPicking : public ViewScene {
  protected:
    PlacingMode placing{ctx.document, ctx.catalog, ctx.areaEditor, view, renderer, renderer};

    void SetUp() override {
        ViewScene::SetUp();
        std::vector<CatalogEntry>& entries = ctx.catalog.catalogs[0].entries;
        entries.resize(2);
        entries[0].name = "Box";
        entries[0].units = {{0, 0, 0}};
        entries[1].name = "Long";
        entries[1].units = {{0, 0, 0}, {1, 0, 0}};
        entries[1].halfSizeX = 0.5f;
    }

    bool startWith(const char* kind) {
        BlockClipboard group;
        group.entries.push_back({BlockRecord{}, kind});
        return placing.start(group, kind);
    }

    // The cell under the pixel at the level, as the area cursor's own cell pass finds it.
    AreaCursor cellPassAt(int x, int y, int level) {
        PickTable cells;
        glClearColor(0.7f, 0.7f, 1.0f, 1.0f);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        loadViewMatrices(view);
        drawCellPickPlane(cells, level);
        return pickCell(cells, x, y);
    }

    std::vector<GridCell> cellsOf(const BlockRecord& record) {
        std::vector<GridCell> cells;
        for (int i = 0; i < footprintUnitCount(ctx.catalog, record); ++i)
            cells.push_back(*footprintCell(ctx.catalog, record, i));
        return cells;
    }
};

TEST_F(PlacingPicking, AClickPlacesTheBlockOnTheCellUnderThePixel) {
    const Pixel pixels[] = {
        {kWidth / 5, kHeight * 3 / 5}, {kWidth / 2, kHeight / 2}, {kWidth * 4 / 5, kHeight - 5}};
    const struct {
        const char* kind;
        int level;
        int turns;
        bool top;
    } cases[] = {{"Box", 1, 0, false},
                 {"Box", 6, 0, true},
                 {"Long", 1, 1, false},
                 {"Long", 3, 2, true},
                 {"Long", 2, 3, false}};
    for (const auto& c : cases) {
        view.camera = cameraLookingAt(Vec3(-667, 600, 500), Vec3(-667, 800, 0));
        view.switches.topView = c.top;
        ASSERT_TRUE(startWith(c.kind));
        for (int t = 0; t < c.turns; ++t)
            placing.turn(1);
        ctx.areaEditor.setLevel(c.level);
        for (const Pixel& p : pixels) {
            SCOPED_TRACE(std::string(c.kind) + " level " + std::to_string(c.level) + " turns " +
                         std::to_string(c.turns) + " at " + std::to_string(p.x) + ", " +
                         std::to_string(p.y) + (c.top ? " from above" : ""));
            const AreaCursor under = cellPassAt(p.x, p.y, c.level);
            ASSERT_NE(under.x, -1);
            const std::size_t before = ctx.document.blocks().size();
            ASSERT_TRUE(
                placing.clickAt(static_cast<float>(p.x), static_cast<float>(p.y), kWidth, kHeight));
            ASSERT_EQ(ctx.document.blocks().size(), before + 1);
            const BlockRecord& placed = ctx.document.blocks().back();
            EXPECT_EQ(placed.rotation & 3, c.turns);
            EXPECT_EQ(ctx.document.selection().first(), &placed);
            const std::vector<GridCell> cells = cellsOf(placed);
            EXPECT_NE(
                std::find(cells.begin(), cells.end(), GridCell{under.x, under.y, wrap8(c.level)}),
                cells.end());
            // Undone, so that the next pixel finds no block under it.
            ASSERT_TRUE(ctx.document.undo());
        }
        placing.leave();
    }
}

TEST_F(PlacingPicking, ABlockStandingAboveTheLevelTakesTheGroupOnTop) {
    const BlockRecord& below = addBlock(5, 5, 1);
    const BlockRecord& tall = addBlock(9, 5, 3);
    lookDownAt(anchorOf(below), 300);
    ctx.areaEditor.setLevel(2);
    ASSERT_TRUE(startWith("Box"));
    for (const BlockRecord* under : {&below, &tall}) {
        const Pixel p = pixelOf(topOf(*under));
        placing.pointAt(static_cast<float>(p.x), static_cast<float>(p.y), kWidth, kHeight);
        ASSERT_TRUE(placing.target());
        EXPECT_EQ(placing.target()->x, under->x);
        EXPECT_EQ(placing.target()->y, under->y);
        // The block below the level leaves the group at the level; the one above carries it.
        EXPECT_EQ(placing.target()->z, std::max(2, under->z + 1));
    }
}

TEST_F(PlacingPicking, TheGhostIsDrawnButNeverPicked) {
    lookDownAt(Vec3(-10 * kCellWidth, 10 * kCellWidth, 0), 250);
    ctx.areaEditor.setLevel(1);
    ASSERT_TRUE(startWith("Box"));
    const int x = kWidth / 2, y = kHeight / 2;
    placing.pointAt(x, y, kWidth, kHeight);
    ASSERT_TRUE(placing.target());

    renderer.renderFrame(true);
    EXPECT_NE(renderer.readPickColour(x, y), kPickBackground);
    EXPECT_EQ(renderer.pickColourAt(x, y), kPickBackground);
    renderer.setFastPaths(false);
    renderer.renderFrame(false);
    EXPECT_EQ(renderer.readPickColour(x, y), kPickBackground);

    // Left, the ghost is gone from the display too.
    placing.leave();
    renderer.renderFrame(true);
    EXPECT_EQ(renderer.readPickColour(x, y), kPickBackground);
}
