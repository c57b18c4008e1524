#include <string>

#include <gtest/gtest.h>

#include "asset_bytes.h"
#include "assets/bitmap.h"
#include "assets/folder_path.h"
#include "assets/model.h"
#include "recording_prompts.h"
#include "temp_folder.h"

using namespace asset_bytes;

namespace {

bool parse(const std::vector<std::uint8_t>& bytes, Model& model) {
    return parseModel(bytes.data(), bytes.size(), model);
}

Model marked() {
    Model model;
    model.triangleCount = 77;
    model.textureNames = {"kept.bmp"};
    return model;
}

} // namespace

TEST(ModelParse, AnEmptyModelHasNoTexturesAndNoTriangles) {
    Model model = marked();
    ASSERT_TRUE(parse(makeModel({}, {}), model));
    EXPECT_EQ(model.textureCount, 0);
    EXPECT_EQ(model.triangleCount, 0u);
    EXPECT_TRUE(model.textureNames.empty());
    EXPECT_TRUE(model.triangles.empty());
}

TEST(ModelParse, ReadsNamesAndTrianglesInFileOrder) {
    const std::string longest(63, 'n');
    std::vector<Triangle> triangles = {
        {1, {1.5f, -2.25f, 3, 0.5f, 0.75f, 4, 5, 6, 0, 1, -7, 8e6f, 9, 1, 0}},
        {0, {0, 0, 0, 0, 0, 1, 1, 1, 1, 1, 2, 2, 2, 2, 2}}};
    auto bytes = makeModel({"road.bmp", longest}, triangles);
    bytes.push_back(0x55); // trailing bytes are not part of the model
    Model model;
    ASSERT_TRUE(parse(bytes, model));
    ASSERT_EQ(model.textureCount, 2);
    EXPECT_EQ(model.textureNames, (std::vector<std::string>{"road.bmp", longest}));
    ASSERT_EQ(model.triangleCount, 2u);
    ASSERT_EQ(model.triangles.size(), 2u);
    const ModelTriangle& first = model.triangles[0];
    EXPECT_EQ(first.textureIndex, 1);
    EXPECT_EQ(first.vertices[0].x, 1.5f);
    EXPECT_EQ(first.vertices[0].y, -2.25f);
    EXPECT_EQ(first.vertices[0].v, 0.75f);
    EXPECT_EQ(first.vertices[1].z, 6.0f);
    EXPECT_EQ(first.vertices[2].x, -7.0f);
    EXPECT_EQ(first.vertices[2].y, 8e6f);
    EXPECT_EQ(first.vertices[2].u, 1.0f);
    EXPECT_EQ(model.triangles[1].textureIndex, 0);
    EXPECT_EQ(model.triangles[1].vertices[2].v, 2.0f);
}

TEST(ModelParse, RefusesMalformedFilesAndKeepsTheModel) {
    const auto good = makeModel({"a.bmp", "b.bmp"}, quad(1, 0, 0, 1, 1));
    auto withCounts = [&](std::uint16_t textures, std::uint32_t triangles) {
        auto bytes = good;
        bytes[0] = static_cast<std::uint8_t>(textures);
        bytes[1] = static_cast<std::uint8_t>(textures >> 8);
        setU32(bytes, 2, triangles);
        return bytes;
    };
    const std::vector<std::pair<std::string, std::vector<std::uint8_t>>> cases = {
        {"no counts", {0, 0, 0, 0, 0}},
        {"empty", {}},
        {"huge triangle count", withCounts(2, 0xFFFFFFFFu)},
        {"one triangle too many", withCounts(2, 3)},
        {"huge texture count", withCounts(0xFFFF, 2)},
        {"name of 64 characters", makeModel({std::string(64, 'x')}, {})},
        {"name without its zero byte",
         [] {
             auto b = makeModel({"end.bmp"}, {});
             b.pop_back();
             return b;
         }()},
        {"texture index at the count", makeModel({"a.bmp"}, quad(1, 0, 0, 1, 1))},
        {"triangles without textures", makeModel({}, quad(0, 0, 0, 1, 1))},
        {"last triangle cut short", std::vector<std::uint8_t>(good.begin(), good.end() - 1)},
    };
    for (const auto& [name, bytes] : cases) {
        SCOPED_TRACE(name);
        Model model = marked();
        EXPECT_FALSE(parse(bytes, model));
        EXPECT_EQ(model.triangleCount, 77u);
        EXPECT_EQ(model.textureNames, std::vector<std::string>{"kept.bmp"});
    }
}

TEST(ModelFile, LoadsAnEmptyModelFile) {
    TempFolder tmp;
    ASSERT_TRUE(writeFile(tmp.path() / "empty.mdl", makeModel({}, {})));
    Model model = marked();
    PixelBuffer buffer;
    RecordingPrompts prompts;
    EXPECT_TRUE(loadModel(tmp.path() / "empty.mdl", model, tmp.path(), buffer, &prompts));
    EXPECT_EQ(model.triangleCount, 0u);
    EXPECT_TRUE(model.textures.empty());
    EXPECT_TRUE(prompts.shown.empty());
}

TEST(ModelFile, AMissingOrMalformedFileFailsSilentlyAndKeepsTheModel) {
    TempFolder tmp;
    ASSERT_TRUE(writeFile(tmp.path() / "bad.mdl", {1, 0, 0, 0, 0, 0, 'x'}));
    PixelBuffer buffer;
    RecordingPrompts prompts;
    for (const char* name : {"missing.mdl", "bad.mdl"}) {
        SCOPED_TRACE(name);
        Model model = marked();
        EXPECT_FALSE(loadModel(tmp.path() / name, model, tmp.path(), buffer, &prompts));
        EXPECT_EQ(model.triangleCount, 77u);
    }
    EXPECT_TRUE(prompts.shown.empty());
}

TEST(FolderPath, JoinsTheFolderTextAndTheNameWithOneSeparator) {
    constexpr char sep = std::filesystem::path::preferred_separator;
    EXPECT_EQ(inFolder("data/Coast/textures", "road.bmp").string(),
              std::string("data/Coast/textures") + sep + "road.bmp");
    EXPECT_EQ(inFolder(std::string("data") + sep, "no.mdl").string(),
              std::string("data") + sep + "no.mdl");
    EXPECT_EQ(inFolder("", "road.bmp").string(), "road.bmp");
    // The name is appended as text, even when it looks like a path of its own.
    EXPECT_EQ(inFolder("t", "sub/x.bmp").string(), std::string("t") + sep + "sub/x.bmp");
    const std::string longFolder(400, 'f');
    EXPECT_EQ(inFolder(longFolder, "a.bmp").string().size(), 400u + 1 + 5);
}
