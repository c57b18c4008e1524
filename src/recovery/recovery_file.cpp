#include "recovery/recovery_file.h"

#include <array>
#include <string_view>

#include "track/byte_reading.h"

namespace {

// Magic, time (8 bytes), path length and path, track length and track, CRC-32 of all before it.
constexpr std::string_view kMagic{"BYRECOV1", 8};

std::uint32_t crc32(const std::uint8_t* data, std::size_t size) {
    static const std::array<std::uint32_t, 256> table = [] {
        std::array<std::uint32_t, 256> t{};
        for (std::uint32_t i = 0; i < 256; ++i) {
            std::uint32_t c = i;
            for (int k = 0; k < 8; ++k)
                c = c & 1 ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            t[i] = c;
        }
        return t;
    }();
    std::uint32_t crc = 0xFFFFFFFFu;
    for (std::size_t i = 0; i < size; ++i)
        crc = table[(crc ^ data[i]) & 0xFF] ^ (crc >> 8);
    return crc ^ 0xFFFFFFFFu;
}

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
