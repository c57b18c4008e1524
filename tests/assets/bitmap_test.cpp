#include <climits>
#include <string>

#include <gtest/gtest.h>

#include "asset_bytes.h"
#include "assets/bitmap.h"
#include "recording_prompts.h"
#include "temp_folder.h"

using namespace asset_bytes;

namespace {

Bgr gradient(int x, int y) {
    return {static_cast<std::uint8_t>(x * 3 + 1), static_cast<std::uint8_t>(y * 5 + 2),
            static_cast<std::uint8_t>(x ^ y)};
}

bool parse(const std::vector<std::uint8_t>& bytes, PixelBuffer& buffer) {
    return parseBitmap(bytes.data(), bytes.size(), buffer);
}

} // namespace

TEST(BitmapParse, ReadsA64By64ImageFromItsPixelOffset) {
    const auto bytes = makeBmp(64, 64, gradient);
    PixelBuffer buffer;
    ASSERT_TRUE(parse(bytes, buffer));
    EXPECT_EQ(buffer.width, 64);
    EXPECT_EQ(buffer.height, 64);
    ASSERT_EQ(buffer.pixels.size(), 12288u);
    EXPECT_EQ(buffer.pixels, std::vector<std::uint8_t>(bytes.begin() + 54, bytes.end()));

    // Extra header fields before the pixels are skipped.
    ASSERT_TRUE(parse(makeBmp(64, 64, gradient, {.pixelOffset = 138}), buffer));
    EXPECT_EQ(buffer.pixels, tightPixels(64, 64, gradient));
}

TEST(BitmapParse, DropsRowPaddingForWidthsThatNeedIt) {
    for (int width : {1, 2, 3, 5, 6, 10}) {
        SCOPED_TRACE(width);
        auto bytes = makeBmp(width, 3, gradient);
        PixelBuffer buffer;
        ASSERT_TRUE(parse(bytes, buffer));
        EXPECT_EQ(buffer.pixels, tightPixels(width, 3, gradient));
        // The last row's padding may be missing.
        bytes.resize(bytes.size() - (4 - width * 3 % 4) % 4);
        PixelBuffer unpadded;
        ASSERT_TRUE(parse(bytes, unpadded));
        EXPECT_EQ(unpadded.pixels, buffer.pixels);
    }
}

TEST(BitmapParse, TurnsTopDownFilesTheRightWayUp) {
    const auto bytes = makeBmp(5, 4, gradient, {.topDown = true});
    PixelBuffer buffer;
    ASSERT_TRUE(parse(bytes, buffer));
    EXPECT_EQ(buffer.height, 4);
    EXPECT_EQ(buffer.pixels, tightPixels(5, 4, gradient));
}

TEST(BitmapParse, RefusesWhatCannotBeUploadedAndKeepsTheBuffer) {
    const auto good = makeBmp(4, 4, gradient);
    auto changed = [&](std::size_t at, std::uint32_t value) {
        auto bytes = good;
        setU32(bytes, at, value);
        return bytes;
    };
    auto bitsPerPixel = [&](std::uint8_t bits) {
        auto bytes = good;
        bytes[28] = bits;
        return bytes;
    };
    const std::vector<std::pair<std::string, std::vector<std::uint8_t>>> cases = {
        {"not BM",
         [&] {
             auto b = good;
             b[1] = 'A';
             return b;
         }()},
        {"32 bits", bitsPerPixel(32)},
        {"8 bits", bitsPerPixel(8)},
        {"compressed", changed(30, 1)},
        {"core header", changed(14, 12)},
        {"zero width", changed(18, 0)},
        {"negative width", changed(18, static_cast<std::uint32_t>(-4))},
        {"wide", changed(18, 4097)},
        {"zero height", changed(22, 0)},
        {"tall", changed(22, 4097)},
        {"tall top-down", changed(22, static_cast<std::uint32_t>(-4097))},
        {"lowest height", changed(22, static_cast<std::uint32_t>(INT_MIN))},
        {"offset past the end", changed(10, static_cast<std::uint32_t>(good.size() + 1))},
        {"huge offset", changed(10, 0xFFFFFFFFu)},
        {"pixels cut short", std::vector<std::uint8_t>(good.begin(), good.end() - 1)},
        {"header cut short", std::vector<std::uint8_t>(good.begin(), good.begin() + 53)},
        {"huge size, little data", changed(22, 4096)},
        {"empty", {}},
    };
    for (const auto& [name, bytes] : cases) {
        SCOPED_TRACE(name);
        PixelBuffer buffer{{9, 9, 9}, 1, 1};
        EXPECT_FALSE(parse(bytes, buffer));
        EXPECT_EQ(buffer.pixels, (std::vector<std::uint8_t>{9, 9, 9}));
        EXPECT_EQ(buffer.width, 1);
        EXPECT_EQ(buffer.height, 1);
    }
}

TEST(BitmapFile, LoadsAFileAndReplacesTheBuffer) {
    TempFolder tmp;
    ASSERT_TRUE(writeFile(tmp.path() / "a.bmp", makeBmp(8, 2, gradient)));
    RecordingPrompts prompts;
    PixelBuffer buffer{std::vector<std::uint8_t>(300, 1), 10, 10};
    ASSERT_TRUE(loadBitmap(tmp.path() / "a.bmp", buffer, &prompts));
    EXPECT_EQ(buffer.width, 8);
    EXPECT_EQ(buffer.height, 2);
    EXPECT_EQ(buffer.pixels, tightPixels(8, 2, gradient));
    EXPECT_TRUE(prompts.shown.empty());
}

TEST(BitmapFile, MissingOrMalformedFilesAreReportedWithTheirPath) {
    TempFolder tmp;
    const auto missing = tmp.path() / "missing.bmp";
    const auto broken = tmp.path() / "broken.bmp";
    ASSERT_TRUE(writeFile(broken, {'B', 'M', 0, 0}));
    RecordingPrompts prompts;
    PixelBuffer buffer{{1, 2, 3}, 1, 1};
    EXPECT_FALSE(loadBitmap(missing, buffer, &prompts));
    EXPECT_FALSE(loadBitmap(broken, buffer, &prompts));
    EXPECT_EQ(buffer.pixels, (std::vector<std::uint8_t>{1, 2, 3}));
    EXPECT_EQ(buffer.width, 1);
    ASSERT_EQ(prompts.shown.size(), 2u);
    EXPECT_EQ(prompts.shown[0].text, "Error while opening texture file:  " + missing.string());
    EXPECT_EQ(prompts.shown[0].caption, "Message");
    EXPECT_EQ(prompts.shown[1].text, "Error while opening texture file:  " + broken.string());
}

TEST(BitmapFile, LongPathsWork) {
    TempFolder tmp;
    std::filesystem::path folder = tmp.path();
    for (int i = 0; i < 6; ++i)
        folder /= std::string(60, static_cast<char>('a' + i));
    const auto path = folder / "texture.bmp";
    ASSERT_GT(path.string().size(), 360u);
    ASSERT_TRUE(writeFile(path, makeBmp(4, 4, gradient)));
    PixelBuffer buffer;
    RecordingPrompts prompts;
    EXPECT_TRUE(loadBitmap(path, buffer, &prompts));
    EXPECT_FALSE(loadBitmap(folder / "other.bmp", buffer, &prompts));
    ASSERT_EQ(prompts.shown.size(), 1u);
    EXPECT_EQ(prompts.shown[0].text,
              "Error while opening texture file:  " + (folder / "other.bmp").string());
}
