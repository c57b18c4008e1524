#include "catalog/block_info.h"

#include <algorithm>
#include <fstream>
#include <iterator>
#include <vector>

bool parseBlockInfo(const std::uint8_t* data, std::size_t size, CatalogEntry& entry) {
    if (size < 2)
        return false;
    std::size_t count = data[0] | (data[1] << 8);
    if (count == 0 || size < 2 + 3 * count)
        return false;
    entry.units.resize(count);
    for (std::size_t i = 0; i < count; ++i) {
        const std::uint8_t* unit = data + 2 + 3 * i;
        entry.units[i] = {static_cast<std::int8_t>(unit[0]), static_cast<std::int8_t>(unit[1]),
                          static_cast<std::int8_t>(unit[2])};
    }
    deriveBlockSizes(entry);
    return true;
}

bool readBlockInfo(const std::filesystem::path& path, CatalogEntry& entry) {
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return false;
    std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(in)),
                                    std::istreambuf_iterator<char>());
    return parseBlockInfo(bytes.data(), bytes.size(), entry);
}

void deriveBlockSizes(CatalogEntry& entry) {
    if (entry.units.empty()) {
        entry.halfSizeX = entry.halfSizeY = entry.maxHeight = 0;
        return;
    }
    int minX = entry.units[0].x, maxX = minX;
    int minY = entry.units[0].y, maxY = minY;
    int height = 0;
    for (const BlockUnit& u : entry.units) {
        minX = std::min<int>(minX, u.x);
        maxX = std::max<int>(maxX, u.x);
        minY = std::min<int>(minY, u.y);
        maxY = std::max<int>(maxY, u.y);
        height = std::max<int>(height, u.z);
    }
    entry.halfSizeX = static_cast<float>(maxX - minX) / 2.0f;
    entry.halfSizeY = static_cast<float>(maxY - minY) / 2.0f;
    entry.maxHeight = static_cast<float>(height);
}

void setDefaultBlockInfo(CatalogEntry& entry) {
    entry.units.assign(1, BlockUnit{});
    entry.halfSizeX = entry.halfSizeY = entry.maxHeight = 0;
}
