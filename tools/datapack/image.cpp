#include "image.h"

#include <algorithm>
#include <cmath>

#include "byte_buffer.h"

std::vector<std::uint8_t> encodeBmp(const Image& image) {
    const std::uint32_t rowBytes = (static_cast<std::uint32_t>(image.width) * 3 + 3) & ~3u;
    const std::uint32_t dataBytes = rowBytes * static_cast<std::uint32_t>(image.height);
    ByteBuffer out;
    out.text("BM");
    out.u32(54 + dataBytes);
    out.u32(0);
    out.u32(54); // pixel data offset
    out.u32(40); // info header size
    out.u32(static_cast<std::uint32_t>(image.width));
    out.u32(static_cast<std::uint32_t>(image.height)); // positive: bottom row first
    out.u16(1);                                        // planes
    out.u16(24);                                       // bits per pixel
    out.u32(0);                                        // no compression
    out.u32(dataBytes);
    out.u32(2835); // 72 dpi
    out.u32(2835);
    out.u32(0);
    out.u32(0);
    for (int y = image.height - 1; y >= 0; --y) {
        for (int x = 0; x < image.width; ++x) {
            const Rgb& p = image.at(x, y);
            out.u8(p.b);
            out.u8(p.g);
            out.u8(p.r);
        }
        for (std::uint32_t pad = static_cast<std::uint32_t>(image.width) * 3; pad < rowBytes; ++pad)
            out.u8(0);
    }
    return out.take();
}

namespace {
std::uint8_t clampByte(double v) {
    return static_cast<std::uint8_t>(std::lround(std::clamp(v, 0.0, 255.0)));
}
} // namespace

Rgb mix(Rgb a, Rgb b, double t) {
    return {clampByte(a.r + (b.r - a.r) * t), clampByte(a.g + (b.g - a.g) * t),
            clampByte(a.b + (b.b - a.b) * t)};
}

Rgb scale(Rgb c, double factor) {
    return {clampByte(c.r * factor), clampByte(c.g * factor), clampByte(c.b * factor)};
}
