#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <vector>

class Prompts;
struct Rgb;

// Widths and heights above this are refused before any memory is reserved for them.
inline constexpr std::int32_t kMaxBitmapSide = 4096;

// The last image read: width x height pixels of three bytes in blue, green, red order, rows
// tightly packed from the bottom row up, as an upload with an unpack alignment of 1 expects.
struct PixelBuffer {
    std::vector<std::uint8_t> pixels;
    std::int32_t width = 0;
    std::int32_t height = 0;
};

// Decodes an uncompressed 24-bit BMP ("BM", a header of at least 40 bytes, 1..4096 pixels a
// side, every row inside the data) into buffer, dropping the row padding and turning top-down
// files the right way up. False, with buffer unchanged, for anything else.
bool parseBitmap(const std::uint8_t* data, std::size_t size, PixelBuffer& buffer);

// Reads the file at path into pixelBuffer. A file that cannot be opened or is not such a bitmap
// shows "Error while opening texture file:  <path>" under "Message" (when prompts is given) and
// returns false with pixelBuffer unchanged.
bool loadBitmap(const std::filesystem::path& path, PixelBuffer& pixelBuffer, Prompts* prompts);

// The mean colour of the bitmap at path, none when it cannot be read as one.
std::optional<Rgb> averageColour(const std::filesystem::path& path);
