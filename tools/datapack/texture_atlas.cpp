#include "texture_atlas.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <functional>

namespace {

// Names longer than a model file allows fall back to a hash of the band list.
constexpr std::size_t kLongestName = 63;

// The part of a convex polygon on one side of the line v = bound, in order.
std::vector<MeshVertex> clipAtV(const std::vector<MeshVertex>& polygon, double bound, bool above) {
    std::vector<MeshVertex> out;
    const auto inside = [&](const MeshVertex& p) { return above ? p.v >= bound : p.v <= bound; };
    for (std::size_t i = 0; i < polygon.size(); ++i) {
        const MeshVertex& a = polygon[i];
        const MeshVertex& b = polygon[(i + 1) % polygon.size()];
        if (inside(a))
            out.push_back(a);
        if (inside(a) != inside(b)) {
            const double t = (bound - a.v) / (static_cast<double>(b.v) - a.v);
            const auto lerp = [t](float p, float q) {
                return static_cast<float>(p + (static_cast<double>(q) - p) * t);
            };
            out.push_back({lerp(a.x, b.x), lerp(a.y, b.y), lerp(a.z, b.z), lerp(a.u, b.u),
                           static_cast<float>(bound)});
        }
    }
    return out;
}

bool hasArea(const MeshVertex& a, const MeshVertex& b, const MeshVertex& c) {
    const double ux = b.x - a.x, uy = b.y - a.y, uz = b.z - a.z;
    const double vx = c.x - a.x, vy = c.y - a.y, vz = c.z - a.z;
    const double nx = uy * vz - uz * vy, ny = uz * vx - ux * vz, nz = ux * vy - uy * vx;
    return nx * nx + ny * ny + nz * nz > 1e-4;
}

int roundedUpBands(int bands) {
    int rounded = 1;
    while (rounded < bands)
        rounded *= 2;
    return rounded;
}

std::string stem(const std::string& fileName) {
    const std::size_t dot = fileName.rfind('.');
    return dot == std::string::npos ? fileName : fileName.substr(0, dot);
}

std::string atlasFileName(const std::vector<std::string>& bands) {
    std::string name = "atlas";
    for (const std::string& band : bands)
        name += "_" + stem(band);
    name += ".bmp";
    if (name.size() <= kLongestName)
        return name;
    std::size_t hash = 0;
    for (const std::string& band : bands)
        hash = hash * 31 + std::hash<std::string>{}(band);
    return "atlas_" + std::to_string(hash % 1000000007u) + ".bmp";
}

} // namespace

AtlasModel atlasModel(const MeshBuilder& mesh) {
    AtlasModel atlas;
    // Bands in the order the builder registered the textures that triangles use.
    std::vector<int> band(mesh.textureNames().size(), -1);
    for (const MeshTriangle& t : mesh.triangles())
        band[t.texture] = 0;
    for (std::size_t i = 0; i < band.size(); ++i)
        if (band[i] == 0) {
            band[i] = static_cast<int>(atlas.bandTextures.size());
            atlas.bandTextures.push_back(mesh.textureNames()[i]);
        }
    if (atlas.bandTextures.empty())
        return atlas;
    atlas.textureName = atlasFileName(atlas.bandTextures);

    // Each band's texel rows are sampled from the centre of the first to the centre of the last,
    // so that filtering never reaches into the next band.
    const double height = roundedUpBands(static_cast<int>(atlas.bandTextures.size())) * kBandSize;
    for (const MeshTriangle& t : mesh.triangles()) {
        const std::vector<MeshVertex> triangle(t.vertices.begin(), t.vertices.end());
        const double low = std::min({t.vertices[0].v, t.vertices[1].v, t.vertices[2].v});
        const double high = std::max({t.vertices[0].v, t.vertices[1].v, t.vertices[2].v});
        const double first = std::floor(low);
        const double last = std::max(first, std::ceil(high) - 1);
        for (double k = first; k <= last; ++k) {
            std::vector<MeshVertex> piece = clipAtV(clipAtV(triangle, k, true), k + 1, false);
            if (piece.size() < 3)
                continue;
            for (MeshVertex& p : piece) {
                const double local = std::clamp(p.v - k, 0.0, 1.0);
                p.v = static_cast<float>(
                    (band[t.texture] * kBandSize + 0.5 + local * (kBandSize - 1)) / height);
            }
            for (std::size_t i = 1; i + 1 < piece.size(); ++i)
                if (hasArea(piece[0], piece[i], piece[i + 1]))
                    atlas.triangles.push_back({0, {piece[0], piece[i], piece[i + 1]}});
        }
    }
    return atlas;
}

Image atlasImage(const EnvironmentLook& look, const std::vector<std::string>& bandTextures) {
    if (bandTextures.empty())
        return {};
    const int bands = roundedUpBands(static_cast<int>(bandTextures.size()));
    Image atlas(kBandSize, bands * kBandSize);
    for (int b = 0; b < bands; ++b) {
        const std::size_t source = std::min<std::size_t>(b, bandTextures.size() - 1);
        const Image texture =
            paintTexture(textureSpecByName(look, bandTextures[source]), kBandSize);
        // Image rows run top down; band 0 is the bottom of the picture, as v = 0 is.
        const int top = atlas.height - (b + 1) * kBandSize;
        for (int y = 0; y < kBandSize; ++y)
            for (int x = 0; x < kBandSize; ++x)
                atlas.at(x, top + y) = texture.at(x, y);
    }
    return atlas;
}
