#include "recovery/recovery_file.h"

#include <string_view>

#include "track/byte_reading.h"
#include "track/crc32.h"

namespace {

// Magic, time (8 bytes), path length and path, track length and track, CRC-32 of all before it.
constexpr std::string_view kMagic{"BYRECOV1", 8};

void appendBytes(std::vector<std::uint8_t>& out, const std::uint8_t* data, std::size_t size) {
    out.insert(out.end(), data, data + size);
}

} // namespace

std::vector<std::uint8_t> encodeRecoveryCopy(const RecoveryCopy& copy) {
    std::vector<std::uint8_t> out(kMagic.begin(), kMagic.end());
    const auto time = static_cast<std::uint64_t>(copy.writtenAtMs);
    appendU32(out, static_cast<std::uint32_t>(time));
    appendU32(out, static_cast<std::uint32_t>(time >> 32));
    appendU32(out, static_cast<std::uint32_t>(copy.trackPath.size()));
    appendBytes(out, reinterpret_cast<const std::uint8_t*>(copy.trackPath.data()),
                copy.trackPath.size());
    appendU32(out, static_cast<std::uint32_t>(copy.trackBytes.size()));
    appendBytes(out, copy.trackBytes.data(), copy.trackBytes.size());
    appendU32(out, crc32(out.data(), out.size()));
    return out;
}

std::optional<RecoveryCopy> decodeRecoveryCopy(const std::vector<std::uint8_t>& bytes) {
    if (bytes.size() < kMagic.size() + 20 ||
        !std::equal(kMagic.begin(), kMagic.end(), bytes.begin()))
        return std::nullopt;
    const std::size_t body = bytes.size() - 4;
    std::uint32_t stored = 0;
    if (!readU32(bytes, body, stored) || stored != crc32(bytes.data(), body))
        return std::nullopt;

    RecoveryCopy copy;
    std::size_t at = kMagic.size();
    std::uint32_t low = 0, high = 0, pathLength = 0, trackLength = 0;
    readU32(bytes, at, low);
    readU32(bytes, at + 4, high);
    copy.writtenAtMs = static_cast<std::int64_t>(static_cast<std::uint64_t>(high) << 32 | low);
    at += 8;
    if (!readU32(bytes, at, pathLength) || pathLength > kMaxRecoveryPathLength ||
        !hasBytes(bytes, at + 4, pathLength))
        return std::nullopt;
    at += 4;
    copy.trackPath.assign(bytes.begin() + static_cast<std::ptrdiff_t>(at),
                          bytes.begin() + static_cast<std::ptrdiff_t>(at + pathLength));
    at += pathLength;
    // The track fills exactly what lies between its length and the checksum.
    if (!readU32(bytes, at, trackLength) || at + 4 > body || body - (at + 4) != trackLength)
        return std::nullopt;
    at += 4;
    copy.trackBytes.assign(bytes.begin() + static_cast<std::ptrdiff_t>(at),
                           bytes.begin() + static_cast<std::ptrdiff_t>(body));
    return copy;
}
