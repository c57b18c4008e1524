#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

// Bounds-checked little-endian reads and forward searches over a file held in memory.

inline bool readU32(const std::vector<std::uint8_t>& bytes, std::size_t at, std::uint32_t& value) {
    if (at > bytes.size() || bytes.size() - at < 4)
        return false;
    value = bytes[at] | bytes[at + 1] << 8 | bytes[at + 2] << 16 |
            static_cast<std::uint32_t>(bytes[at + 3]) << 24;
    return true;
}

inline bool hasBytes(const std::vector<std::uint8_t>& bytes, std::size_t at, std::size_t count) {
    return at <= bytes.size() && bytes.size() - at >= count;
}

// The first position at or after `start` where all of `text` lies inside the buffer; an empty
// text matches at `start`.
inline std::optional<std::size_t> findText(const std::vector<std::uint8_t>& bytes,
                                           std::size_t start, std::string_view text) {
    if (start > bytes.size())
        return std::nullopt;
    auto it = std::search(bytes.begin() + static_cast<std::ptrdiff_t>(start), bytes.end(),
                          text.begin(), text.end(),
                          [](std::uint8_t a, char b) { return a == static_cast<std::uint8_t>(b); });
    if (it == bytes.end() && !text.empty())
        return std::nullopt;
    return static_cast<std::size_t>(it - bytes.begin());
}

inline void appendU16(std::vector<std::uint8_t>& out, std::uint16_t value) {
    out.push_back(static_cast<std::uint8_t>(value));
    out.push_back(static_cast<std::uint8_t>(value >> 8));
}

inline void appendU32(std::vector<std::uint8_t>& out, std::uint32_t value) {
    for (int i = 0; i < 4; ++i)
        out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

// Closes every node in the body; also the sentinel that the reader skips to.
inline constexpr std::string_view kFacade{"\x01\xDE\xCA\xFA", 4};
inline constexpr std::uint32_t kFacadeValue = 0xFACADE01;
// The first four bytes behind the block list in tracks of the newer generation.
inline constexpr std::string_view kEndMarker{"\x21\x30\x04\x03", 4};

inline constexpr std::uint32_t kTrackClass = 0x03043000;
inline constexpr std::uint32_t kOldTrackClass = 0x24003000;
