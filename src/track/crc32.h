#pragma once

#include <cstddef>
#include <cstdint>

// The CRC-32 of zlib and PNG (reflected polynomial 0xEDB88320), over files whose damage the
// program must notice.
std::uint32_t crc32(const std::uint8_t* data, std::size_t size);
