#include "gbx_container.h"

#include <cstring>

#include <lzo/lzo1x.h>

namespace {

constexpr std::uint32_t kTrackClass = 0x03043000;
constexpr std::uint32_t kOldTrackClass = 0x24003000;

bool readU32(const std::vector<std::uint8_t>& bytes, std::size_t at, std::uint32_t& value) {
    if (at > bytes.size() || bytes.size() - at < 4)
        return false;
    value = bytes[at] | bytes[at + 1] << 8 | bytes[at + 2] << 16 |
            static_cast<std::uint32_t>(bytes[at + 3]) << 24;
    return true;
}

void putU32(std::vector<std::uint8_t>& out, std::uint32_t value) {
    for (int i = 0; i < 4; ++i)
        out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

bool lzoReady() {
    static const bool ready = lzo_init() == LZO_E_OK;
    return ready;
}

} // namespace

bool readGbxLayout(const std::vector<std::uint8_t>& bytes, GbxLayout& layout, std::string& error) {
    if (bytes.size() < 5 || std::memcmp(bytes.data(), "GBX", 3) != 0) {
        error = "not a GBX file";
        return false;
    }
    unsigned version = bytes[3] | bytes[4] << 8;
    if (version < 3 || version > 6) {
        error = "unsupported GBX version " + std::to_string(version);
        return false;
    }
    std::size_t at = 5;
    if (bytes.size() < at + 3) {
        error = "truncated header";
        return false;
    }
    std::uint8_t format = bytes[at];
    std::uint8_t body = bytes[at + 2];
    if (format != 'B' || (body != 'U' && body != 'C')) {
        error = "unsupported storage format";
        return false;
    }
    at += version >= 4 ? 4 : 3;
    std::uint32_t classId = 0;
    if (!readU32(bytes, at, classId)) {
        error = "truncated header";
        return false;
    }
    if (classId != kTrackClass && classId != kOldTrackClass) {
        error = "not a track (class id is not a track's)";
        return false;
    }
    at += 4;
    if (version >= 6) {
        std::uint32_t userDataSize = 0;
        if (!readU32(bytes, at, userDataSize) || bytes.size() - at - 4 < userDataSize) {
            error = "truncated header";
            return false;
        }
        at += 4 + userDataSize;
    }
    std::uint32_t nodeCount = 0;
    std::uint32_t externalCount = 0;
    if (!readU32(bytes, at, nodeCount) || !readU32(bytes, at + 4, externalCount)) {
        error = "truncated header";
        return false;
    }
    if (externalCount != 0) {
        error = "tracks that refer to external files are not supported";
        return false;
    }
    layout.bodyStart = at + 8;
    layout.bodyCompressed = body == 'C';
    return true;
}

bool decompressBody(const std::vector<std::uint8_t>& bytes, const GbxLayout& layout,
                    std::vector<std::uint8_t>& out, std::string& error) {
    std::uint32_t size = 0;
    std::uint32_t packedSize = 0;
    if (!readU32(bytes, layout.bodyStart, size) ||
        !readU32(bytes, layout.bodyStart + 4, packedSize)) {
        error = "truncated body sizes";
        return false;
    }
    std::size_t packedStart = layout.bodyStart + 8;
    if (size > kMaxBodySize) {
        error = "body size too large";
        return false;
    }
    if (packedSize != bytes.size() - packedStart) {
        error = "compressed size does not match the file";
        return false;
    }
    if (!lzoReady()) {
        error = "LZO initialisation failed";
        return false;
    }
    out.assign(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(layout.bodyStart));
    out[kBodyCompressionOffset] = 'U';
    out.resize(layout.bodyStart + size);
    lzo_uint produced = size;
    int result = lzo1x_decompress_safe(bytes.data() + packedStart, packedSize,
                                       out.data() + layout.bodyStart, &produced, nullptr);
    if (result != LZO_E_OK || produced != size) {
        error = "corrupt compressed body";
        return false;
    }
    return true;
}

bool compressBody(const std::vector<std::uint8_t>& bytes, const GbxLayout& layout,
                  std::vector<std::uint8_t>& out, std::string& error) {
    std::size_t size = bytes.size() - layout.bodyStart;
    if (size > kMaxBodySize) {
        error = "body size too large";
        return false;
    }
    if (!lzoReady()) {
        error = "LZO initialisation failed";
        return false;
    }
    std::vector<std::uint8_t> packed(size + size / 16 + 64 + 3);
    std::vector<std::uint8_t> work(LZO1X_999_MEM_COMPRESS);
    lzo_uint packedSize = packed.size();
    if (lzo1x_999_compress(bytes.data() + layout.bodyStart, size, packed.data(), &packedSize,
                           work.data()) != LZO_E_OK) {
        error = "compression failed";
        return false;
    }
    out.assign(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(layout.bodyStart));
    out[kBodyCompressionOffset] = 'C';
    putU32(out, static_cast<std::uint32_t>(size));
    putU32(out, static_cast<std::uint32_t>(packedSize));
    out.insert(out.end(), packed.begin(), packed.begin() + static_cast<std::ptrdiff_t>(packedSize));
    return true;
}
