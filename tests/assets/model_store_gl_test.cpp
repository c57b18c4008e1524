#include <set>
#include <string>

#include <gtest/gtest.h>

#include "asset_bytes.h"
#include "assets/model_store.h"
#include "edit/editor_context.h"
#include "gl_helpers.h"
#include "recording_prompts.h"
#include "temp_folder.h"

using namespace asset_bytes;

namespace {

BlockRecord block(std::uint32_t catalogIndex, std::array<std::uint8_t, 4> variant = {}) {
    BlockRecord record;
    record.catalogIndex = catalogIndex;
    record.modelList = 1;
    record.variant = variant;
    return record;
}

class ModelStoreGl : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(GlTestContext::makeCurrent());
        beginPixelDrawing();
        ctx.prompts = &prompts;
        ctx.baseFolder = tmp.path();
        useEnvironment("Coast");
        ASSERT_TRUE(store.reserveLists());
    }

    void useEnvironment(const std::string& name) {
        ctx.modelFolder = tmp.path() / "data" / name / "models";
        ctx.textureFolder = tmp.path() / "data" / name / "textures";
    }

    // A model of one full-view square in a solid colour, its texture in textureFolder.
    void writeSquareModel(const std::filesystem::path& path,
                          const std::filesystem::path& textureFolder, const std::string& texture,
                          Bgr colour) {
        ASSERT_TRUE(writeFile(textureFolder / texture, solidBmp(4, 4, colour)));
        ASSERT_TRUE(writeFile(path, makeModel({texture}, quad(0, 0, 0, 584, 571))));
    }

    void writeBlockModel(const std::string& name, Bgr colour = {0, 0, 255}) {
        writeSquareModel(ctx.modelFolder / name, ctx.textureFolder, name + ".bmp", colour);
    }

    Rgb3 drawList(std::int32_t offset) {
        beginPixelDrawing();
        glCallList(store.lists().name(offset));
        return pixelAt(292, 285);
    }

    TempFolder tmp;
    RecordingPrompts prompts;
    EditorContext ctx;
    ModelStore store{ctx};
};

} // namespace

TEST_F(ModelStoreGl, CompilesTheFallbackAndTheStadiumModels) {
    writeSquareModel(tmp.path() / "data" / "no.mdl", tmp.path() / "data", "no.bmp", {0, 255, 0});
    writeSquareModel(tmp.path() / "data" / "Stadium" / "models" / "stadium_opt.mdl",
                     tmp.path() / "data" / "Stadium" / "textures", "sky.bmp", {255, 0, 0});
    EXPECT_TRUE(store.loadFixedModels());
    EXPECT_TRUE(prompts.shown.empty());
    EXPECT_EQ(drawList(kFallbackList), (Rgb3{0, 255, 0}));
    EXPECT_EQ(drawList(kStadiumList), (Rgb3{0, 0, 255}));
}

TEST_F(ModelStoreGl, AMissingFallbackIsReportedAndTheStadiumIsNotTried) {
    writeSquareModel(tmp.path() / "data" / "Stadium" / "models" / "stadium_opt.mdl",
                     tmp.path() / "data" / "Stadium" / "textures", "sky.bmp", {255, 0, 0});
    EXPECT_FALSE(store.loadFixedModels());
    ASSERT_EQ(prompts.shown.size(), 1u);
    EXPECT_EQ(prompts.shown[0].text, "No file found: " + (tmp.path() / "data" / "no.mdl").string());
    EXPECT_EQ(prompts.shown[0].caption, "Blockyard 0.1 alpha");
    EXPECT_EQ(drawList(kStadiumList), (Rgb3{0, 0, 0}));
}

TEST_F(ModelStoreGl, AMissingStadiumModelIsReportedWithItsPath) {
    writeSquareModel(tmp.path() / "data" / "no.mdl", tmp.path() / "data", "no.bmp", {0, 255, 0});
    EXPECT_FALSE(store.loadFixedModels());
    ASSERT_EQ(prompts.shown.size(), 1u);
    EXPECT_EQ(prompts.shown[0].text,
              "No file found: " +
                  (tmp.path() / "data" / "Stadium" / "models" / "stadium_opt.mdl").string());
    EXPECT_EQ(drawList(kFallbackList), (Rgb3{0, 255, 0}));
}

TEST_F(ModelStoreGl, NamesBlockModelsAfterIndexAndVariants) {
    constexpr char sep = std::filesystem::path::preferred_separator;
    const std::string folder = ctx.modelFolder.string();
    EXPECT_EQ(store.blockModelPath(block(12)).string(), folder + sep + "12_0_0_0_0.mdl");
    EXPECT_EQ(store.blockModelPath(block(308, {0, 255, 3, 40})).string(),
              folder + sep + "308_0_255_3_40.mdl");
    ctx.modelFolder = folder + sep;
    EXPECT_EQ(store.blockModelPath(block(7)).string(), folder + sep + "7_0_0_0_0.mdl");
}

// For index 196 only, a first variant above 16 names the file of variant 3, and only the name:
// the record keeps its bytes.
TEST_F(ModelStoreGl, Index196AboveSixteenNamesTheModelOfVariantThree) {
    constexpr char sep = std::filesystem::path::preferred_separator;
    const std::string folder = ctx.modelFolder.string();
    BlockRecord capped = block(196, {17, 16, 0, 0});
    EXPECT_EQ(store.blockModelPath(capped).string(), folder + sep + "196_3_16_0_0.mdl");
    EXPECT_EQ(capped.variant[0], 17);
    EXPECT_EQ(store.blockModelPath(block(196, {16, 0, 0, 0})).string(),
              folder + sep + "196_16_0_0_0.mdl");
    EXPECT_EQ(store.blockModelPath(block(195, {17, 0, 0, 0})).string(),
              folder + sep + "195_17_0_0_0.mdl");
}

// A variant without a file of its own takes its kind's model; a kind without one the fallback.
TEST_F(ModelStoreGl, AVariantWithoutItsFileTakesItsKindsModel) {
    writeBlockModel("12_0_0_0_0.mdl", {0, 0, 255});
    writeBlockModel("12_3_16_0_0.mdl", {255, 0, 0});
    ctx.currentTrack.blocks = {block(12, {5, 16, 0, 0}), block(12, {3, 16, 0, 0}), block(12),
                               block(13, {5, 16, 0, 0})};
    store.rebuildModelLists();
    std::vector<std::int32_t> lists;
    for (const BlockRecord& record : ctx.currentTrack.blocks)
        lists.push_back(record.modelList);
    EXPECT_EQ(lists, (std::vector<std::int32_t>{2, 3, 2, 1}));
    EXPECT_EQ(drawList(2), (Rgb3{255, 0, 0}));
    EXPECT_EQ(drawList(3), (Rgb3{0, 0, 255}));
    EXPECT_TRUE(prompts.shown.empty());
}

TEST_F(ModelStoreGl, NumbersLoadedModelsFromTwoAndSharesThemBetweenBlocks) {
    writeBlockModel("12_0_0_0_0.mdl", {0, 0, 255});
    writeBlockModel("12_0_0_0_1.mdl", {255, 0, 0});
    ctx.currentTrack.blocks = {block(13), block(12), block(12), block(12, {0, 0, 0, 1}),
                               block(13, {1, 0, 0, 0})};
    store.rebuildModelLists();
    std::vector<std::int32_t> lists;
    for (const BlockRecord& record : ctx.currentTrack.blocks)
        lists.push_back(record.modelList);
    EXPECT_EQ(lists, (std::vector<std::int32_t>{1, 2, 2, 3, 1}));
    EXPECT_EQ(store.lastList(), 3);
    EXPECT_TRUE(prompts.shown.empty());
    EXPECT_EQ(drawList(2), (Rgb3{255, 0, 0}));
    EXPECT_EQ(drawList(3), (Rgb3{0, 0, 255}));
}

TEST_F(ModelStoreGl, EachModelPathIsLookedForOncePerRun) {
    BlockRecord missing = block(40);
    EXPECT_EQ(store.resolveBlockModel(missing), 1);
    EXPECT_EQ(missing.modelList, 1);
    EXPECT_TRUE(prompts.shown.empty());

    // Files that appear or vanish later change nothing: the cache answers.
    writeBlockModel("40_0_0_0_0.mdl");
    writeBlockModel("41_0_0_0_0.mdl");
    ctx.currentTrack.blocks = {block(40), block(41)};
    store.rebuildModelLists();
    std::filesystem::remove_all(ctx.modelFolder);
    ctx.currentTrack.blocks = {block(41), block(40)};
    ctx.currentTrack.blocks.front().modelList = 0; // as an editor-made block starts
    store.rebuildModelLists();
    EXPECT_EQ(ctx.currentTrack.blocks.front().modelList, 2);
    EXPECT_EQ(ctx.currentTrack.blocks.back().modelList, 1);
    EXPECT_EQ(store.cache().entryCount(), 2);
    EXPECT_EQ(store.lastList(), 2);
}

TEST_F(ModelStoreGl, ReservesFurtherListsWhenTheFirstBlockIsFull) {
    const std::vector<std::uint8_t> empty = makeModel({}, {});
    for (std::uint32_t i = 1; i <= 600; ++i)
        ASSERT_TRUE(writeFile(ctx.modelFolder / (std::to_string(i) + "_0_0_0_0.mdl"), empty));
    writeBlockModel("601_0_0_0_0.mdl", {0, 255, 255});
    for (std::uint32_t i = 1; i <= 601; ++i)
        ctx.currentTrack.blocks.push_back(block(i));
    store.rebuildModelLists();
    EXPECT_EQ(ctx.currentTrack.blocks.back().modelList, 602);
    EXPECT_EQ(store.lastList(), 602);
    std::set<GLuint> names;
    for (const BlockRecord& record : ctx.currentTrack.blocks) {
        const GLuint name = store.lists().name(record.modelList);
        EXPECT_NE(name, 0u) << record.modelList;
        names.insert(name);
    }
    EXPECT_EQ(names.size(), 601u);
    EXPECT_EQ(drawList(602), (Rgb3{255, 255, 0}));
}
