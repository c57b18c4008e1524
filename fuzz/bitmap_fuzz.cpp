// The texture reader: any bytes must decode to a well-formed image or be refused.
#include <cstddef>
#include <cstdint>

#include "assets/bitmap.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    PixelBuffer buffer;
    if (parseBitmap(data, size, buffer)) {
        if (buffer.width <= 0 || buffer.height <= 0 ||
            buffer.pixels.size() != static_cast<std::size_t>(buffer.width) * buffer.height * 3)
            __builtin_trap();
    }
    return 0;
}
