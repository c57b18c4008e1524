#include "assets/bitmap.h"

#include <cstring>
#include <fstream>
#include <iterator>

#include "seams/prompts.h"
#include "seams/view_port.h"

namespace {

std::uint32_t readU32(const std::uint8_t* p) {
    return static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8 |
           static_cast<std::uint32_t>(p[2]) << 16 | static_cast<std::uint32_t>(p[3]) << 24;
}

std::uint16_t readU16(const std::uint8_t* p) {
    return static_cast<std::uint16_t>(p[0] | p[1] << 8);
}

// File header (14 bytes) and the smallest header that has 32-bit sizes (40 bytes).
constexpr std::size_t kFileHeaderSize = 14;
constexpr std::uint32_t kMinInfoHeaderSize = 40;

} // namespace

bool parseBitmap(const std::uint8_t* data, std::size_t size, PixelBuffer& buffer) {
    if (size < kFileHeaderSize + kMinInfoHeaderSize || data[0] != 'B' || data[1] != 'M')
        return false;
    const std::uint32_t offset = readU32(data + 10);
    const std::uint32_t infoSize = readU32(data + 14);
    const auto width = static_cast<std::int32_t>(readU32(data + 18));
    const auto height = static_cast<std::int32_t>(readU32(data + 22));
    const std::uint16_t bitsPerPixel = readU16(data + 28);
    const std::uint32_t compression = readU32(data + 30);
    if (infoSize < kMinInfoHeaderSize || bitsPerPixel != 24 || compression != 0)
        return false;
    if (width < 1 || width > kMaxBitmapSide || height == 0 || height > kMaxBitmapSide ||
        height < -kMaxBitmapSide)
        return false;

    const bool topDown = height < 0;
    const std::size_t rows = static_cast<std::size_t>(topDown ? -height : height);
    const std::size_t rowBytes = static_cast<std::size_t>(width) * 3;
    const std::size_t stride = (rowBytes + 3) & ~std::size_t{3};
    // The last row's padding may be missing; its pixels may not.
    if (offset > size || size - offset < stride * (rows - 1) + rowBytes)
        return false;

    std::vector<std::uint8_t> pixels(rowBytes * rows);
    for (std::size_t row = 0; row < rows; ++row) {
        const std::size_t fileRow = topDown ? rows - 1 - row : row;
        std::memcpy(pixels.data() + row * rowBytes, data + offset + fileRow * stride, rowBytes);
    }
    buffer.pixels = std::move(pixels);
    buffer.width = width;
    buffer.height = static_cast<std::int32_t>(rows);
    return true;
}

bool loadBitmap(const std::filesystem::path& path, PixelBuffer& pixelBuffer, Prompts* prompts) {
    std::ifstream in(path, std::ios::binary);
    if (in) {
        const std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(in)),
                                              std::istreambuf_iterator<char>());
        if (parseBitmap(bytes.data(), bytes.size(), pixelBuffer))
            return true;
    }
    if (prompts)
        prompts->message("Error while opening texture file:  " + path.string(), "Message",
                         MessageIcon::None);
    return false;
}

std::optional<Rgb> averageColour(const std::filesystem::path& path) {
    PixelBuffer buffer;
    if (!loadBitmap(path, buffer, nullptr) || buffer.pixels.empty())
        return std::nullopt;
    std::uint64_t sum[3] = {};
    for (std::size_t i = 0; i + 2 < buffer.pixels.size(); i += 3)
        for (int c = 0; c < 3; ++c)
            sum[c] += buffer.pixels[i + static_cast<std::size_t>(c)];
    const std::uint64_t count = buffer.pixels.size() / 3;
    // Pixels are blue, green, red.
    return Rgb{static_cast<std::uint8_t>(sum[2] / count), static_cast<std::uint8_t>(sum[1] / count),
               static_cast<std::uint8_t>(sum[0] / count)};
}
