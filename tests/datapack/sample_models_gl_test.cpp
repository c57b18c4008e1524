#include <gtest/gtest.h>

#include <set>

#include <GL/gl.h>
#include <QImage>

#include "assets/model_store.h"
#include "edit/editor_context.h"
#include "gl_context.h"
#include "sample_opening.h"
#include "track_layout.h"
#include "view/frame_renderer.h"
#include "view_projection.h"

using namespace runtime_files;

namespace {

// The editor's state with a sample open, as the shell leaves it after Open track.
class SampleModelsGl : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(GlTestContext::makeCurrent());
        ASSERT_TRUE(base.ready());
        ctx.setPrompts(&prompts);
        ctx.folders.base = base.path();
        ASSERT_TRUE(store.reserveLists());
        ASSERT_TRUE(store.loadFixedModels());
    }

    bool openSample(const SampleTrack& plan) {
        OpenedSample opened = base.open(plan.fileName);
        if (!opened.ok)
            return false;
        const std::string& environment = kEnvironments[static_cast<std::size_t>(plan.environment)];
        ctx.catalog = base.catalog;
        ctx.folders.models = base.path() / "data" / environment / "models";
        ctx.folders.textures = base.path() / "data" / environment / "textures";
        ctx.document.replaceTrack(std::move(opened.track), std::move(opened.envelope),
                                  (kSamples / plan.fileName).string());
        renderer.resolveModels();
        return true;
    }

    SampleBase base;
    RecordingPrompts prompts;
    EditorContext ctx;
    ModelStore store{ctx.folders, [this]() -> Prompts& { return ctx.prompts(); }};
    ViewState view;
    FrameRenderer renderer{ctx.document, ctx.catalog, ctx.areaEditor, view, store, store.lists()};
};

// A look at the grid from beyond its corner at x 0, y 0, above the ground.
Camera overview() {
    return cameraLookingAt(Vec3(-120, 120, 330), Vec3(-560, 560, 0));
}

} // namespace

TEST_F(SampleModelsGl, EveryBlockOfEverySampleDrawsItsOwnModelWithoutAMessage) {
    EXPECT_TRUE(prompts.shown.empty()) << "the fixed models";
    const std::optional<std::vector<SampleTrack>> plans = sampleTracks();
    ASSERT_TRUE(plans.has_value());
    for (const SampleTrack& plan : *plans) {
        SCOPED_TRACE(plan.fileName);
        ASSERT_TRUE(openSample(plan));
        ASSERT_EQ(ctx.document.blocks().size(), plan.blocks.size());
        const std::vector<BlockTable::Entry>& entries = renderer.blockTable().entries();
        ASSERT_EQ(entries.size(), plan.blocks.size());
        for (const BlockTable::Entry& entry : entries) {
            const BlockRecord& record = *entry.record;
            ASSERT_GE(entry.model, 2) << store.blockModelPath(record) << " falls back";
            EXPECT_TRUE(std::filesystem::exists(store.blockModelPath(record)));
        }
        for (const auto& shown : prompts.shown)
            ADD_FAILURE() << shown.text;
        prompts.shown.clear();
    }
}

// Draws every environment's sample with the editor's renderer and keeps the pictures in the
// build folder (tests/datapack/screenshots) for a look.
TEST_F(SampleModelsGl, TheRendererDrawsEverySampleTextured) {
    const std::filesystem::path folder = DATAPACK_SCREENSHOTS;
    std::filesystem::create_directories(folder);
    renderer.setContextReady(true);
    glEnable(GL_TEXTURE_2D);
    const std::optional<std::vector<SampleTrack>> plans = sampleTracks();
    ASSERT_TRUE(plans.has_value());
    for (const SampleTrack& plan : *plans) {
        SCOPED_TRACE(plan.fileName);
        ASSERT_TRUE(openSample(plan));
        view.camera = overview();
        view.switches.showStadium = plan.environment == 6;
        renderer.renderFrame(true);
        QImage image = GlTestContext::grab();
        std::string name = plan.fileName.substr(0, plan.fileName.find('.'));
        EXPECT_TRUE(image.save(QString::fromStdString((folder / (name + ".png")).string())));

        std::set<QRgb> colours;
        int sky = 0;
        for (int y = 0; y < image.height(); y += 2)
            for (int x = 0; x < image.width(); x += 2) {
                QRgb pixel = image.pixel(x, y);
                colours.insert(pixel);
                sky += qRed(pixel) == 179 && qGreen(pixel) == 179 && qBlue(pixel) == 255;
            }
        // Textured blocks give many shades; the blocks fill a good part of the view.
        EXPECT_GT(colours.size(), 300u);
        EXPECT_LT(sky, image.width() * image.height() / 4 * 3 / 4);
    }
    EXPECT_TRUE(prompts.shown.empty());
}
