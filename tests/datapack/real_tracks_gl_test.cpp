#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include <GL/gl.h>
#include <QImage>

#include "assets/model_store.h"
#include "edit/editor_context.h"
#include "gl_context.h"
#include "real_tracks.h"
#include "sample_opening.h"
#include "view/block_placement.h"
#include "view/frame_renderer.h"
#include "view_projection.h"

namespace {

// From above one side of the track, far enough back to see every block's anchor.
Camera wholeTrack(const EditorContext& ctx) {
    Vec3 lo(1e9, 1e9, 1e9), hi(-1e9, -1e9, -1e9);
    for (const BlockRecord& record : ctx.document.blocks()) {
        const Vec3 a = blockAnchor(record, ctx.catalog);
        lo = Vec3(std::min(lo.x, a.x), std::min(lo.y, a.y), std::min(lo.z, a.z));
        hi = Vec3(std::max(hi.x, a.x), std::max(hi.y, a.y), std::max(hi.z, a.z));
    }
    const Vec3 centre((lo.x + hi.x) / 2, (lo.y + hi.y) / 2, lo.z);
    const double extent = std::max({hi.x - lo.x, hi.y - lo.y, 300.0});
    return cameraLookingAt(Vec3(centre.x, centre.y - 0.45 * extent, centre.z + 0.72 * extent),
                           centre);
}

} // namespace

// Each real track opens with a model of its own kind for every block (none falls back to the
// unknown box) and is drawn whole; the pictures stay in the build folder
// (tests/datapack/screenshots/real) for a look.
TEST(RealTracksGl, EveryBlockDrawsItsKindsModelAndEachTrackIsPictured) {
    const std::vector<std::filesystem::path> files = realTrackFiles();
    if (files.empty())
        GTEST_SKIP() << "no real tracks in " << realTracksFolder();
    ASSERT_TRUE(GlTestContext::makeCurrent());
    SampleBase base;
    ASSERT_TRUE(base.ready());
    RecordingPrompts prompts;
    EditorContext ctx;
    ctx.setPrompts(&prompts);
    ctx.folders.base = base.path();
    ModelStore store{ctx.folders, [&ctx]() -> Prompts& { return ctx.prompts(); }};
    ASSERT_TRUE(store.reserveLists());
    ASSERT_TRUE(store.loadFixedModels());
    ViewState view;
    FrameRenderer renderer(ctx.document, ctx.catalog, ctx.areaEditor, view, store, store.lists());
    renderer.setContextReady(true);
    glEnable(GL_TEXTURE_2D);
    const std::filesystem::path folder = std::filesystem::path(DATAPACK_SCREENSHOTS) / "real";
    std::filesystem::create_directories(folder);
    for (const std::filesystem::path& file : files) {
        const std::string name = file.filename().string();
        SCOPED_TRACE(name);
        OpenedSample opened = base.openFile(file);
        ASSERT_TRUE(opened.ok);
        const std::int32_t environment = opened.track.environment;
        const std::string& environmentName =
            runtime_files::kEnvironments[static_cast<std::size_t>(environment)];
        ctx.catalog = base.catalog;
        ctx.catalog.currentEnvironment = environment;
        ctx.folders.models = base.path() / "data" / environmentName / "models";
        ctx.folders.textures = base.path() / "data" / environmentName / "textures";
        ctx.document.replaceTrack(std::move(opened.track), std::move(opened.envelope),
                                  file.string());
        renderer.resolveModels();
        const std::vector<BlockTable::Entry>& entries = renderer.blockTable().entries();
        EXPECT_EQ(entries.size(), ctx.document.blocks().size());
        int fallbacks = 0;
        for (const BlockTable::Entry& entry : entries)
            fallbacks += entry.model == kFallbackList;
        EXPECT_EQ(fallbacks, 0);

        view.camera = wholeTrack(ctx);
        view.switches.showStadium = environment == 6;
        renderer.renderFrame(true);
        QImage image = GlTestContext::grab();
        const std::string stem = name.substr(0, name.find('.'));
        EXPECT_TRUE(image.save(QString::fromStdString((folder / (stem + ".png")).string())));
        std::set<QRgb> colours;
        for (int y = 0; y < image.height(); y += 2)
            for (int x = 0; x < image.width(); x += 2)
                colours.insert(image.pixel(x, y));
        EXPECT_GT(colours.size(), 200u);
    }
    EXPECT_TRUE(prompts.shown.empty());
    EXPECT_TRUE(base.prompts.shown.empty());
}
