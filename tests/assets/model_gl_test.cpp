#include <gtest/gtest.h>

#include "asset_bytes.h"
#include "assets/bitmap.h"
#include "assets/model.h"
#include "gl_helpers.h"
#include "recording_prompts.h"
#include "temp_folder.h"

#ifndef GL_BGR_EXT
#define GL_BGR_EXT 0x80E0
#endif

using namespace asset_bytes;

namespace {

class ModelGl : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(GlTestContext::makeCurrent());
        beginPixelDrawing();
    }

    // Loads the model file written from bytes; its textures come from the temp folder.
    bool load(const std::vector<std::uint8_t>& bytes, Model& model) {
        writeFile(tmp.path() / "m.mdl", bytes);
        return loadModel(tmp.path() / "m.mdl", model, tmp.path(), buffer, &prompts);
    }

    void compileAndCall(const Model& model) {
        const GLuint list = glGenLists(1);
        glNewList(list, GL_COMPILE);
        drawModel(model);
        glEndList();
        glCallList(list);
        glDeleteLists(list, 1);
    }

    // The texture's level-0 image as blue, green, red bytes, tightly packed.
    static std::vector<std::uint8_t> textureImage(GLuint texture, int& width, int& height) {
        glBindTexture(GL_TEXTURE_2D, texture);
        glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &width);
        glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_HEIGHT, &height);
        std::vector<std::uint8_t> image(static_cast<std::size_t>(width * height * 3));
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        glGetTexImage(GL_TEXTURE_2D, 0, GL_BGR_EXT, GL_UNSIGNED_BYTE, image.data());
        glPixelStorei(GL_PACK_ALIGNMENT, 4);
        return image;
    }

    TempFolder tmp;
    PixelBuffer buffer;
    RecordingPrompts prompts;
};

const Bgr kRed = {0, 0, 255};
const Bgr kGreen = {0, 255, 0};
const Bgr kBlue = {255, 0, 0};

} // namespace

TEST_F(ModelGl, DrawsEachTriangleWithItsOwnTexture) {
    ASSERT_TRUE(writeFile(tmp.path() / "red.bmp", solidBmp(4, 4, kRed)));
    ASSERT_TRUE(writeFile(tmp.path() / "green.bmp", solidBmp(8, 2, kGreen)));
    ASSERT_TRUE(writeFile(tmp.path() / "blue.bmp", solidBmp(6, 6, kBlue)));
    // Runs of red, green, red, blue: the third strip must not be drawn with green.
    std::vector<Triangle> triangles;
    for (auto [texture, x] : {std::pair{0, 0}, {1, 100}, {0, 200}, {2, 300}}) {
        auto strip = quad(static_cast<std::uint16_t>(texture), static_cast<float>(x), 0,
                          static_cast<float>(x + 100), 100);
        triangles.insert(triangles.end(), strip.begin(), strip.end());
    }
    Model model;
    ASSERT_TRUE(load(makeModel({"red.bmp", "green.bmp", "blue.bmp"}, triangles), model));
    ASSERT_EQ(model.textures.size(), 3u);
    EXPECT_TRUE(prompts.shown.empty());

    compileAndCall(model);
    EXPECT_EQ(pixelAt(50, 50), (Rgb3{255, 0, 0}));
    EXPECT_EQ(pixelAt(150, 50), (Rgb3{0, 255, 0}));
    EXPECT_EQ(pixelAt(250, 50), (Rgb3{255, 0, 0}));
    EXPECT_EQ(pixelAt(350, 50), (Rgb3{0, 0, 255}));
    EXPECT_EQ(pixelAt(450, 50), (Rgb3{0, 0, 0}));
    EXPECT_EQ(pixelAt(50, 150), (Rgb3{0, 0, 0}));
}

TEST_F(ModelGl, UploadsPaddedRowsUnscrambled) {
    const PixelFn pattern = [](int x, int y) {
        return Bgr{static_cast<std::uint8_t>(10 * x), static_cast<std::uint8_t>(40 * y),
                   static_cast<std::uint8_t>(200 - x)};
    };
    for (int width : {6, 10}) {
        SCOPED_TRACE(width);
        ASSERT_TRUE(writeFile(tmp.path() / "p.bmp", makeBmp(width, 3, pattern)));
        Model model;
        ASSERT_TRUE(load(makeModel({"p.bmp"}, quad(0, 0, 0, 1, 1)), model));
        int w = 0, h = 0;
        EXPECT_EQ(textureImage(model.textures[0], w, h), tightPixels(width, 3, pattern));
        EXPECT_EQ(w, width);
        EXPECT_EQ(h, 3);
    }
    EXPECT_TRUE(prompts.shown.empty());
}

TEST_F(ModelGl, AMissingTextureIsReportedAndDrawsWhite) {
    ASSERT_TRUE(writeFile(tmp.path() / "red.bmp", solidBmp(4, 4, kRed)));
    std::vector<Triangle> triangles = quad(0, 0, 0, 100, 100);
    auto right = quad(1, 100, 0, 200, 100);
    triangles.insert(triangles.end(), right.begin(), right.end());
    Model model;
    // The red image is still in the pixel buffer when the missing one is looked for.
    ASSERT_TRUE(load(makeModel({"red.bmp", "gone.bmp"}, triangles), model));
    ASSERT_EQ(prompts.shown.size(), 1u);
    EXPECT_EQ(prompts.shown[0].text,
              "Error while opening texture file:  " + (tmp.path() / "gone.bmp").string());
    EXPECT_EQ(prompts.shown[0].caption, "Message");

    int w = 0, h = 0;
    EXPECT_EQ(textureImage(model.textures[1], w, h), (std::vector<std::uint8_t>{255, 255, 255}));
    EXPECT_EQ(w, 1);
    EXPECT_EQ(h, 1);

    glColor3ub(200, 100, 50); // the colour multiplies the texture
    compileAndCall(model);
    EXPECT_EQ(pixelAt(50, 50), (Rgb3{200, 0, 0}));
    EXPECT_EQ(pixelAt(150, 50), (Rgb3{200, 100, 50}));
}

// The message about a missing image comes before any texture object of the model is made.
TEST_F(ModelGl, MissingImagesAreReportedBeforeAnyTextureIsMade) {
    ASSERT_TRUE(writeFile(tmp.path() / "red.bmp", solidBmp(4, 4, kRed)));
    class BindingPrompts : public RecordingPrompts {
      public:
        GLint bound = -1;
        void message(const std::string& text, const std::string& caption,
                     MessageIcon icon) override {
            glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
            RecordingPrompts::message(text, caption, icon);
        }
    } watching;
    glBindTexture(GL_TEXTURE_2D, 0);
    writeFile(tmp.path() / "m.mdl", makeModel({"red.bmp", "gone.bmp"}, quad(0, 0, 0, 100, 100)));
    Model model;
    ASSERT_TRUE(loadModel(tmp.path() / "m.mdl", model, tmp.path(), buffer, &watching));
    ASSERT_EQ(watching.shown.size(), 1u);
    EXPECT_EQ(watching.bound, 0);
    EXPECT_EQ(model.textures.size(), 2u);
}

TEST_F(ModelGl, AnEmptyModelsListDrawsNothing) {
    Model model;
    ASSERT_TRUE(load(makeModel({}, {}), model));
    compileAndCall(model);
    const QImage frame = GlTestContext::grab();
    ASSERT_FALSE(frame.isNull());
    int lit = 0;
    for (int y = 0; y < frame.height(); ++y)
        for (int x = 0; x < frame.width(); ++x)
            lit += (frame.pixel(x, y) & 0xFFFFFF) != 0;
    EXPECT_EQ(lit, 0);
}
