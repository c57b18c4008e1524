#include "assets/model.h"

#include <algorithm>
#include <bit>
#include <cstring>

namespace {

std::uint32_t readU32(const std::uint8_t* p) {
    return static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8 |
           static_cast<std::uint32_t>(p[2]) << 16 | static_cast<std::uint32_t>(p[3]) << 24;
}

std::uint16_t readU16(const std::uint8_t* p) {
    return static_cast<std::uint16_t>(p[0] | p[1] << 8);
}

float readFloat(const std::uint8_t* p) {
    return std::bit_cast<float>(readU32(p));
}

constexpr std::size_t kCountsSize = 6;

} // namespace

bool parseModel(const std::uint8_t* data, std::size_t size, Model& model) {
    if (size < kCountsSize)
        return false;
    const std::uint16_t textureCount = readU16(data);
    const std::uint32_t triangleCount = readU32(data + 2);
    std::size_t pos = kCountsSize;

    // Every name takes at least its zero byte: refuse counts the file cannot hold before
    // reserving anything for them.
    if (textureCount > size - pos)
        return false;
    std::vector<std::string> names;
    names.reserve(textureCount);
    for (std::uint16_t i = 0; i < textureCount; ++i) {
        const std::size_t room = std::min(size - pos, kMaxTextureNameLength + 1);
        const void* end = std::memchr(data + pos, 0, room);
        if (!end)
            return false;
        const auto length =
            static_cast<std::size_t>(static_cast<const std::uint8_t*>(end) - (data + pos));
        names.emplace_back(reinterpret_cast<const char*>(data + pos), length);
        pos += length + 1;
    }

    if (triangleCount > (size - pos) / kTriangleRecordSize)
        return false;
    std::vector<ModelTriangle> triangles(triangleCount);
    for (ModelTriangle& triangle : triangles) {
        triangle.textureIndex = readU16(data + pos);
        if (triangle.textureIndex >= textureCount)
            return false;
        const std::uint8_t* field = data + pos + 2;
        for (ModelVertex& vertex : triangle.vertices) {
            vertex = {readFloat(field), readFloat(field + 4), readFloat(field + 8),
                      readFloat(field + 12), readFloat(field + 16)};
            field += 20;
        }
        pos += kTriangleRecordSize;
    }

    model.textures.clear();
    model.triangleCount = triangleCount;
    model.textureCount = textureCount;
    model.textureNames = std::move(names);
    model.triangles = std::move(triangles);
    return true;
}
