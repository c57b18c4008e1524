#pragma once

#include <array>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

// The runtime folder that the build lays out, and small readers for what it holds.
namespace runtime_files {

inline const std::filesystem::path kRuntime = BLOCKYARD_RUNTIME_DIR;
inline const std::filesystem::path kData = kRuntime / "data";
inline const std::filesystem::path kSamples = kRuntime / "samples";
inline const std::array<std::string, 7> kEnvironments = {"Alpine", "Bay",   "Coast",  "Island",
                                                         "Rally",  "Speed", "Stadium"};

inline std::vector<std::uint8_t> readBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline std::uint32_t u32At(const std::vector<std::uint8_t>& b, std::size_t at) {
    return b[at] | (b[at + 1] << 8) | (b[at + 2] << 16) | (std::uint32_t(b[at + 3]) << 24);
}

inline bool powerOfTwo(std::uint32_t v) {
    return v >= 4 && (v & (v - 1)) == 0;
}

// Empty when the file is an uncompressed 24-bit bottom-up bitmap with power-of-two sides whose
// pixels start at 54 and fill the file exactly; otherwise what is wrong with it.
inline std::string bitmapProblem(const std::vector<std::uint8_t>& b) {
    if (b.size() < 54 || b[0] != 'B' || b[1] != 'M')
        return "not a bitmap";
    std::uint32_t offset = u32At(b, 10), width = u32At(b, 18), height = u32At(b, 22);
    std::uint16_t bits = static_cast<std::uint16_t>(b[28] | (b[29] << 8));
    if (bits != 24 || u32At(b, 30) != 0)
        return "not uncompressed 24-bit";
    if (offset != 54)
        return "pixels not at 54";
    if (!powerOfTwo(width) || !powerOfTwo(height) || height > 4096 || width > 4096)
        return "sides not powers of two (or top-down)";
    if (b.size() != 54 + std::size_t(width) * height * 3)
        return "size does not match";
    return {};
}

} // namespace runtime_files
