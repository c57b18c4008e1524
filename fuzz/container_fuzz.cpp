// The converter's container parser and decompressor: any bytes must be refused with a reason or
// give a body of bounded size.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "gbx_container.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::vector<std::uint8_t> bytes(data, data + size);
    GbxLayout layout;
    std::string error;
    if (!readGbxLayout(bytes, layout, error)) {
        if (error.empty())
            __builtin_trap();
        return 0;
    }
    if (layout.bodyStart > bytes.size())
        __builtin_trap();
    std::vector<std::uint8_t> out;
    if (layout.bodyCompressed)
        decompressBody(bytes, layout, out, error);
    return 0;
}
