// Kinds files: any bytes must parse into kinds whose groups the file lists, or be refused; and
// filing a catalogue by what was parsed must give each of its kinds one of its groups.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "catalog/kinds_file.h"

namespace {

bool listed(const std::vector<std::string>& groups, const std::string& group) {
    return std::find(groups.begin(), groups.end(), group) != groups.end();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::optional<KindsFile> file =
        parseKindsFile(std::string_view(reinterpret_cast<const char*>(data), size));
    BlockCatalog catalog;
    if (file) {
        for (const KindsFileRow& row : file->kinds) {
            if (row.name.empty() || !listed(file->groups, row.group))
                __builtin_trap();
            catalog.entries.emplace_back().name = row.name;
        }
        // Sometimes a catalogue with a kind less, which the file does not fit.
        if (!catalog.entries.empty() && size % 2)
            catalog.entries.pop_back();
    }
    applyKindsFile(catalog, file);
    for (const CatalogEntry& entry : catalog.entries)
        if (!listed(catalog.groups, entry.group))
            __builtin_trap();
    return 0;
}
