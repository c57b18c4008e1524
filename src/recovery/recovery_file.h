#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// A recovery copy: the converted file of a track that had unsaved changes, with the track's own
// path and when the copy was written. A checksum over the whole makes damage detectable.
struct RecoveryCopy {
    std::string trackPath;
    std::int64_t writtenAtMs = 0; // milliseconds since the epoch
    std::vector<std::uint8_t> trackBytes;
};

inline constexpr std::size_t kMaxRecoveryPathLength = 4096;

std::vector<std::uint8_t> encodeRecoveryCopy(const RecoveryCopy& copy);

// None when the bytes are not a whole, undamaged recovery copy.
std::optional<RecoveryCopy> decodeRecoveryCopy(const std::vector<std::uint8_t>& bytes);
