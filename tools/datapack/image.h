#pragma once

#include <cstdint>
#include <vector>

struct Rgb {
    std::uint8_t r = 0;
    std::uint8_t g = 0;
    std::uint8_t b = 0;
};

// An RGB picture, top row first.
struct Image {
    int width = 0;
    int height = 0;
    std::vector<Rgb> pixels;

    Image() = default;
    Image(int w, int h, Rgb fill = {}) : width(w), height(h), pixels(std::size_t(w) * h, fill) {}
    Rgb& at(int x, int y) { return pixels[std::size_t(y) * width + x]; }
    const Rgb& at(int x, int y) const { return pixels[std::size_t(y) * width + x]; }
};

// An uncompressed 24-bit bottom-up Windows bitmap: a 54-byte header, blue-green-red pixels,
// rows padded to four bytes.
std::vector<std::uint8_t> encodeBmp(const Image& image);

// Colour arithmetic for painting.
Rgb mix(Rgb a, Rgb b, double t);
Rgb scale(Rgb c, double factor);
