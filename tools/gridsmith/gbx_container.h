#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// The game's track container: "GBX", version 3..6, format bytes, class id, user data, node
// counts, then the body, which is either raw or a sized LZO1X stream.
struct GbxLayout {
    std::size_t bodyStart = 0; // first byte after the node counts
    bool bodyCompressed = false;
};

inline constexpr std::size_t kBodyCompressionOffset = 7;
inline constexpr std::uint32_t kMaxBodySize = 256u * 1024 * 1024;

// Reads the header up to the body. False, with a one-line reason in `error`, for anything that
// is not a track container this converter understands.
bool readGbxLayout(const std::vector<std::uint8_t>& bytes, GbxLayout& layout, std::string& error);

// The uncompressed form of a container whose body is compressed.
bool decompressBody(const std::vector<std::uint8_t>& bytes, const GbxLayout& layout,
                    std::vector<std::uint8_t>& out, std::string& error);

// The compressed form of a container whose body is raw.
bool compressBody(const std::vector<std::uint8_t>& bytes, const GbxLayout& layout,
                  std::vector<std::uint8_t>& out, std::string& error);
