// Block names files and block information files: any bytes must parse without reading outside
// them.
#include <cstddef>
#include <cstdint>
#include <string>

#include "catalog/block_info.h"
#include "catalog/catalog.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string text(reinterpret_cast<const char*>(data), size);
    for (const std::string& name : parseBlockNames(text))
        if (name.size() > 63)
            __builtin_trap();
    CatalogEntry entry;
    if (parseBlockInfo(data, size, entry) && entry.units.empty())
        __builtin_trap();
    return 0;
}
