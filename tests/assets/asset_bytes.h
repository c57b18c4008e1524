#pragma once

#include <array>
#include <bit>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

// Builders of bitmap and model files for the tests, written byte by byte (little-endian).
namespace asset_bytes {

using Bgr = std::array<std::uint8_t, 3>;
// Pixel colour at column x of row y, rows counted from the bottom of the image.
using PixelFn = std::function<Bgr(int x, int y)>;

inline void putU16(std::vector<std::uint8_t>& out, std::uint16_t v) {
    out.push_back(static_cast<std::uint8_t>(v));
    out.push_back(static_cast<std::uint8_t>(v >> 8));
}

inline void putU32(std::vector<std::uint8_t>& out, std::uint32_t v) {
    for (int i = 0; i < 4; ++i)
        out.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
}

inline void setU32(std::vector<std::uint8_t>& out, std::size_t at, std::uint32_t v) {
    for (int i = 0; i < 4; ++i)
        out[at + i] = static_cast<std::uint8_t>(v >> (8 * i));
}

struct BmpLayout {
    std::uint32_t pixelOffset = 54;
    bool topDown = false;
    std::uint8_t filler = 0xAB; // bytes between the header and the pixels, and row padding
};

// An uncompressed 24-bit BMP with rows padded to four bytes.
inline std::vector<std::uint8_t> makeBmp(int width, int height, const PixelFn& pixel,
                                         BmpLayout layout = {}) {
    std::vector<std::uint8_t> out{'B', 'M'};
    putU32(out, 0); // file size, set below
    putU32(out, 0);
    putU32(out, layout.pixelOffset);
    putU32(out, 40);
    putU32(out, static_cast<std::uint32_t>(width));
    putU32(out, static_cast<std::uint32_t>(layout.topDown ? -height : height));
    putU16(out, 1);
    putU16(out, 24);
    for (int i = 0; i < 6; ++i)
        putU32(out, 0);
    out.resize(layout.pixelOffset, layout.filler);
    const std::size_t rowBytes = static_cast<std::size_t>(width) * 3;
    const std::size_t stride = (rowBytes + 3) / 4 * 4;
    for (int r = 0; r < height; ++r) {
        const int y = layout.topDown ? height - 1 - r : r;
        for (int x = 0; x < width; ++x) {
            const Bgr c = pixel(x, y);
            out.insert(out.end(), c.begin(), c.end());
        }
        out.resize(out.size() + stride - rowBytes, layout.filler);
    }
    setU32(out, 2, static_cast<std::uint32_t>(out.size()));
    return out;
}

inline std::vector<std::uint8_t> solidBmp(int width, int height, Bgr colour) {
    return makeBmp(width, height, [colour](int, int) { return colour; });
}

// The pixels a reader should give for makeBmp's image: tight rows, bottom row first.
inline std::vector<std::uint8_t> tightPixels(int width, int height, const PixelFn& pixel) {
    std::vector<std::uint8_t> out;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const Bgr c = pixel(x, y);
            out.insert(out.end(), c.begin(), c.end());
        }
    return out;
}

struct Triangle {
    std::uint16_t texture = 0;
    std::array<float, 15> values{}; // x, y, z, u, v for each of the three vertices
};

// A model file: counts, zero-terminated names, then the triangle records.
inline std::vector<std::uint8_t> makeModel(const std::vector<std::string>& names,
                                           const std::vector<Triangle>& triangles) {
    std::vector<std::uint8_t> out;
    putU16(out, static_cast<std::uint16_t>(names.size()));
    putU32(out, static_cast<std::uint32_t>(triangles.size()));
    for (const std::string& name : names) {
        out.insert(out.end(), name.begin(), name.end());
        out.push_back(0);
    }
    for (const Triangle& t : triangles) {
        putU16(out, t.texture);
        for (float f : t.values)
            putU32(out, std::bit_cast<std::uint32_t>(f));
    }
    return out;
}

// Two triangles covering the rectangle (x0, y0)-(x1, y1) at height z, texture fully mapped.
inline std::vector<Triangle> quad(std::uint16_t texture, float x0, float y0, float x1, float y1,
                                  float z = 0) {
    return {{texture, {x0, y0, z, 0, 0, x1, y0, z, 1, 0, x1, y1, z, 1, 1}},
            {texture, {x0, y0, z, 0, 0, x1, y1, z, 1, 1, x0, y1, z, 0, 1}}};
}

inline bool writeFile(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes) {
    std::filesystem::create_directories(path.parent_path());
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(out);
}

} // namespace asset_bytes
