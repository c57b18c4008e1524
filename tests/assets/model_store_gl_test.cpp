#include <set>
#include <string>
#include <vector>

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
    record.variant = variant;
    return record;
}

class ModelStoreGl : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(GlTestContext::makeCurrent());
        beginPixelDrawing();
        ctx.setPrompts(&prompts);
        ctx.folders.base = tmp.path();
        useEnvironment("Coast");
        ASSERT_TRUE(store.reserveLists());
    }

    void useEnvironment(const std::string& name) {
        ctx.folders.models = tmp.path() / "data" / name / "models";
        ctx.folders.textures = tmp.path() / "data" / name / "textures";
    }

    // A model of one full-view square in a solid colour, its texture in textureFolder.
    void writeSquareModel(const std::filesystem::path& path,
                          const std::filesystem::path& textureFolder, const std::string& texture,
                          Bgr colour) {
        ASSERT_TRUE(writeFile(textureFolder / texture, solidBmp(4, 4, colour)));
        ASSERT_TRUE(writeFile(path, makeModel({texture}, quad(0, 0, 0, 584, 571))));
    }

    void writeBlockModel(const std::string& name, Bgr colour = {0, 0, 255}) {
        writeSquareModel(ctx.folders.models / name, ctx.folders.textures, name + ".bmp", colour);
    }

    Rgb3 drawList(std::int32_t offset) {
        beginPixelDrawing();
        glCallList(store.lists().name(offset));
        return pixelAt(292, 285);
    }

    // The lists of the blocks, resolved in list order as the renderer's table asks for them.
    std::vector<std::int32_t> resolveAll(const std::vector<BlockRecord>& blocks) {
        std::vector<std::int32_t> lists;
        for (const BlockRecord& record : blocks)
            lists.push_back(store.resolveBlockModel(record));
        return lists;
    }

    TempFolder tmp;
    RecordingPrompts prompts;
    EditorContext ctx;
    ModelStore store{ctx.folders, [this]() -> Prompts& { return ctx.prompts(); }};
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
    const std::string folder = ctx.folders.models.string();
    EXPECT_EQ(store.blockModelPath(block(12)).string(), folder + sep + "12_0_0_0_0.mdl");
    EXPECT_EQ(store.blockModelPath(block(308, {0, 255, 3, 40})).string(),
              folder + sep + "308_0_255_3_40.mdl");
    ctx.folders.models = folder + sep;
    EXPECT_EQ(store.blockModelPath(block(7)).string(), folder + sep + "7_0_0_0_0.mdl");
}

// For index 196 only, a first variant above 16 names the file of variant 3, and only the name:
// the record keeps its bytes.
TEST_F(ModelStoreGl, Index196AboveSixteenNamesTheModelOfVariantThree) {
    constexpr char sep = std::filesystem::path::preferred_separator;
    const std::string folder = ctx.folders.models.string();
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
    const std::vector<std::int32_t> lists = resolveAll(
        {block(12, {5, 16, 0, 0}), block(12, {3, 16, 0, 0}), block(12), block(13, {5, 16, 0, 0})});
    EXPECT_EQ(lists, (std::vector<std::int32_t>{2, 3, 2, 1}));
    EXPECT_EQ(drawList(2), (Rgb3{255, 0, 0}));
    EXPECT_EQ(drawList(3), (Rgb3{0, 0, 255}));
    EXPECT_TRUE(prompts.shown.empty());
}

TEST_F(ModelStoreGl, NumbersLoadedModelsFromTwoAndSharesThemBetweenBlocks) {
    writeBlockModel("12_0_0_0_0.mdl", {0, 0, 255});
    writeBlockModel("12_0_0_0_1.mdl", {255, 0, 0});
    const std::vector<std::int32_t> lists = resolveAll(
        {block(13), block(12), block(12), block(12, {0, 0, 0, 1}), block(13, {1, 0, 0, 0})});
    EXPECT_EQ(lists, (std::vector<std::int32_t>{1, 2, 2, 3, 1}));
    EXPECT_EQ(store.lastList(), 3);
    EXPECT_TRUE(prompts.shown.empty());
    EXPECT_EQ(drawList(2), (Rgb3{255, 0, 0}));
    EXPECT_EQ(drawList(3), (Rgb3{0, 0, 255}));
}

TEST_F(ModelStoreGl, EachModelPathIsLookedForOncePerRun) {
    EXPECT_EQ(store.resolveBlockModel(block(40)), 1);
    EXPECT_TRUE(prompts.shown.empty());

    // Files that appear or vanish later change nothing: the cache answers.
    writeBlockModel("40_0_0_0_0.mdl");
    writeBlockModel("41_0_0_0_0.mdl");
    EXPECT_EQ(resolveAll({block(40), block(41)}), (std::vector<std::int32_t>{1, 2}));
    std::filesystem::remove_all(ctx.folders.models);
    EXPECT_EQ(resolveAll({block(41), block(40)}), (std::vector<std::int32_t>{2, 1}));
    EXPECT_EQ(store.cache().entryCount(), 2);
    EXPECT_EQ(store.lastList(), 2);
}

TEST_F(ModelStoreGl, ReservesFurtherListsWhenTheFirstBlockIsFull) {
    const std::vector<std::uint8_t> empty = makeModel({}, {});
    for (std::uint32_t i = 1; i <= 600; ++i)
        ASSERT_TRUE(writeFile(ctx.folders.models / (std::to_string(i) + "_0_0_0_0.mdl"), empty));
    writeBlockModel("601_0_0_0_0.mdl", {0, 255, 255});
    std::vector<BlockRecord> blocks;
    for (std::uint32_t i = 1; i <= 601; ++i)
        blocks.push_back(block(i));
    const std::vector<std::int32_t> lists = resolveAll(blocks);
    EXPECT_EQ(lists.back(), 602);
    EXPECT_EQ(store.lastList(), 602);
    std::set<GLuint> names;
    for (std::int32_t list : lists) {
        const GLuint name = store.lists().name(list);
        EXPECT_NE(name, 0u) << list;
        names.insert(name);
    }
    EXPECT_EQ(names.size(), 601u);
    EXPECT_EQ(drawList(602), (Rgb3{255, 255, 0}));
}
