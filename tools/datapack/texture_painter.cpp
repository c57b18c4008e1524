#include "texture_painter.h"

#include <algorithm>
#include <cmath>

namespace {

std::uint32_t hash(std::uint32_t x, std::uint32_t y, std::uint32_t seed) {
    std::uint32_t h = x * 0x8da6b343u ^ y * 0xd8163841u ^ seed * 0xcb1ab31fu;
    h ^= h >> 13;
    h *= 0x5bd1e995u;
    h ^= h >> 15;
    return h;
}

double random01(int x, int y, std::uint32_t seed) {
    return (hash(static_cast<std::uint32_t>(x), static_cast<std::uint32_t>(y), seed) & 0xffffff) /
           double(0x1000000);
}

// Value noise on a lattice of `period` cells across the texture, so that it tiles.
double latticeNoise(double u, double v, int period, std::uint32_t seed) {
    double x = u * period, y = v * period;
    int x0 = static_cast<int>(std::floor(x)), y0 = static_cast<int>(std::floor(y));
    double fx = x - x0, fy = y - y0;
    auto corner = [&](int cx, int cy) {
        return random01(((cx % period) + period) % period, ((cy % period) + period) % period, seed);
    };
    double sx = fx * fx * (3 - 2 * fx), sy = fy * fy * (3 - 2 * fy);
    double top = corner(x0, y0) * (1 - sx) + corner(x0 + 1, y0) * sx;
    double bottom = corner(x0, y0 + 1) * (1 - sx) + corner(x0 + 1, y0 + 1) * sx;
    return top * (1 - sy) + bottom * sy;
}

// Three octaves of tileable noise in 0..1.
double fbm(double u, double v, int period, std::uint32_t seed) {
    return 0.57 * latticeNoise(u, v, period, seed) +
           0.29 * latticeNoise(u, v, period * 2, seed + 1) +
           0.14 * latticeNoise(u, v, period * 4, seed + 2);
}

double fract(double v) {
    return v - std::floor(v);
}

// Distance from u to the nearest multiple of `step`, in texture units.
double lineDistance(double u, double step) {
    double f = fract(u / step);
    return std::min(f, 1 - f) * step;
}

Rgb paintPixel(const TextureSpec& s, double u, double v, int px, int py) {
    const double grain = random01(px, py, s.seed + 7);
    const double n = fbm(u, v, 4, s.seed);
    switch (s.pattern) {
    case Pattern::Asphalt: {
        Rgb c = scale(s.base, 0.8 + 0.3 * n + 0.15 * (grain - 0.5));
        bool dash = std::abs(u - 0.5) < 0.025 && fract(v * 2) < 0.5;
        return dash ? mix(s.accent, c, 0.15) : c;
    }
    case Pattern::Planks: {
        double board = std::floor(v * 4);
        double shade = 0.85 + 0.2 * random01(static_cast<int>(board), 0, s.seed);
        double streak = 0.5 + 0.5 * std::sin((u * 6 + latticeNoise(u, v, 4, s.seed) * 3) * 6.28318);
        Rgb c = mix(s.base, s.accent, 0.3 * streak);
        bool gap = lineDistance(v, 0.25) < 0.012;
        return gap ? scale(s.accent, 0.45) : scale(c, shade + 0.1 * (grain - 0.5));
    }
    case Pattern::Bricks: {
        double row = std::floor(v * 8);
        double shifted = u + (static_cast<int>(row) % 2) * 0.125;
        bool mortar = lineDistance(v, 0.125) < 0.012 || lineDistance(shifted, 0.25) < 0.012;
        double tone = 0.8 + 0.35 * random01(static_cast<int>(std::floor(shifted * 4)) & 3,
                                            static_cast<int>(row), s.seed);
        return mortar ? s.accent : scale(s.base, tone + 0.1 * (n - 0.5));
    }
    case Pattern::Cobbles: {
        double cu = fract(u * 6 + (static_cast<int>(std::floor(v * 6)) % 2) * 0.5),
               cv = fract(v * 6);
        double d = std::hypot(cu - 0.5, cv - 0.5);
        double tone = 0.85 + 0.3 * random01(static_cast<int>(std::floor(u * 6 + 0.5)),
                                            static_cast<int>(std::floor(v * 6)), s.seed);
        return d > 0.45 ? scale(s.accent, 0.8 + 0.2 * n) : scale(s.base, tone * (1.05 - d * 0.4));
    }
    case Pattern::Snow:
        return mix(s.base, s.accent, 0.5 * fbm(u, v, 2, s.seed) + 0.08 * grain);
    case Pattern::Sand: {
        double ripple = 0.5 + 0.5 * std::sin((v * 8 + fbm(u, v, 2, s.seed) * 2) * 6.28318);
        return mix(s.base, s.accent, 0.35 * ripple + 0.15 * grain);
    }
    case Pattern::Grass: {
        double blade = random01(px, py / 3, s.seed + 3);
        return mix(s.base, s.accent, 0.55 * n + 0.35 * blade);
    }
    case Pattern::Dirt: {
        double rut =
            std::exp(-std::pow((u - 0.3) / 0.06, 2)) + std::exp(-std::pow((u - 0.7) / 0.06, 2));
        Rgb c = mix(s.base, s.accent, 0.6 * n + 0.2 * grain);
        return scale(c, 1 - 0.25 * rut);
    }
    case Pattern::Ice: {
        double crack = std::abs(latticeNoise(u, v, 8, s.seed) - 0.5) < 0.02 ? 1 : 0;
        return mix(mix(s.base, s.accent, 0.4 * n), Rgb{255, 255, 255}, 0.5 * crack);
    }
    case Pattern::Concrete: {
        bool joint = lineDistance(u, 0.5) < 0.01 || lineDistance(v, 0.5) < 0.01;
        return joint ? s.accent : scale(s.base, 0.9 + 0.15 * n + 0.1 * (grain - 0.5));
    }
    case Pattern::Finish: {
        bool dark = (static_cast<int>(u * 8) + static_cast<int>(v * 8)) % 2 == 1;
        return dark ? s.accent : s.base;
    }
    case Pattern::StartLine: {
        double arrow = std::abs(u - 0.5) * 2 + fract(v * 2);
        bool mark = arrow > 0.9 && arrow < 1.2 && std::abs(u - 0.5) < 0.35;
        return mark ? s.accent : scale(s.base, 0.9 + 0.2 * n);
    }
    case Pattern::Gate:
        return fract((u + v) * 4) < 0.5 ? s.base : s.accent;
    case Pattern::Facade: {
        double wu = fract(u * 4), wv = fract(v * 4);
        bool window = wu > 0.25 && wu < 0.75 && wv > 0.3 && wv < 0.8;
        return window ? mix(s.accent, Rgb{255, 255, 255}, 0.3 * (1 - wv))
                      : scale(s.base, 0.9 + 0.15 * n);
    }
    case Pattern::Roof: {
        double row = std::floor(v * 8);
        double tu = fract(u * 8 + (static_cast<int>(row) % 2) * 0.5), tv = fract(v * 8);
        double edge = 1 - 0.35 * tv - 0.2 * std::abs(tu - 0.5);
        return scale(mix(s.base, s.accent, 0.3 * n), edge);
    }
    case Pattern::Foliage: {
        double leaves = latticeNoise(u, v, 16, s.seed);
        return mix(s.base, s.accent, 0.7 * leaves + 0.2 * grain);
    }
    case Pattern::Bark: {
        double streak = latticeNoise(u * 8, v * 0.5, 2, s.seed);
        return mix(s.base, s.accent, streak * 0.8);
    }
    case Pattern::Rock: {
        double crack = std::abs(fbm(u, v, 4, s.seed + 9) - 0.5) < 0.03 ? 0.55 : 1.0;
        return scale(mix(s.base, s.accent, n), crack * (0.9 + 0.2 * grain));
    }
    case Pattern::Unknown: {
        bool dark = (static_cast<int>(u * 4) + static_cast<int>(v * 4)) % 2 == 1;
        // A question mark in the middle of every other square.
        double qu = fract(u * 4) - 0.5, qv = fract(v * 4) - 0.5;
        double ring = std::hypot(qu, qv + 0.1);
        bool mark = (ring > 0.16 && ring < 0.26 && (qv < -0.1 || qu > 0)) ||
                    (std::abs(qu) < 0.05 && qv > 0.1 && qv < 0.22) ||
                    (std::abs(qu) < 0.05 && qv > 0.3 && qv < 0.38);
        if (!dark && mark)
            return s.accent;
        return dark ? s.accent : s.base;
    }
    case Pattern::Seats: {
        double row = fract(v * 8);
        double seat = fract(u * 16);
        bool gap = row < 0.2 || seat < 0.12;
        return gap ? scale(s.accent, 0.6) : scale(s.base, 0.85 + 0.3 * row);
    }
    case Pattern::Panels: {
        bool border = lineDistance(u, 0.5) < 0.02 || v < 0.06 || v > 0.94;
        bool stripe = fract(u * 2) > 0.2 && fract(u * 2) < 0.8 && v > 0.35 && v < 0.65;
        return border ? Rgb{30, 30, 30} : (stripe ? s.accent : s.base);
    }
    }
    return s.base;
}

} // namespace

Image paintTexture(const TextureSpec& spec, int size) {
    Image image(size, size);
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x)
            image.at(x, y) = paintPixel(spec, (x + 0.5) / size, (y + 0.5) / size, x, y);
    return image;
}
