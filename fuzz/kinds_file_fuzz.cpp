// Kinds files: any bytes must parse into kinds whose groups the file lists and whose mirror
// images are kinds of the file that name them back with the same turn, or be refused; and filing
// a catalogue by what was parsed must give each of its kinds one of its groups and such images.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "catalog/kinds_file.h"

namespace {

bool listed(const std::vector<std::string>& groups, const std::string& group) {
    return std::find(groups.begin(), groups.end(), group) != groups.end();
}

// Whether the mirror image of kind i (0-based) is unknown with turn 0, or one of the kinds that
// names i back with the same turn.
template <typename Kinds> bool mirrorsBack(const Kinds& kinds, std::size_t i) {
    const std::uint32_t partner = kinds[i].mirrorPartner;
    if (partner == 0)
        return kinds[i].mirrorTurn == 0;
    return kinds[i].mirrorTurn <= 3 && partner <= kinds.size() &&
           kinds[partner - 1].mirrorPartner == i + 1 &&
           kinds[partner - 1].mirrorTurn == kinds[i].mirrorTurn;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::optional<KindsFile> file =
        parseKindsFile(std::string_view(reinterpret_cast<const char*>(data), size));
    BlockCatalog catalog;
    if (file) {
        for (std::size_t i = 0; i < file->kinds.size(); ++i) {
            const KindsFileRow& row = file->kinds[i];
            if (row.name.empty() || !listed(file->groups, row.group) ||
                !mirrorsBack(file->kinds, i))
                __builtin_trap();
            catalog.entries.emplace_back().name = row.name;
        }
        // Sometimes a catalogue with a kind less, which the file does not fit.
        if (!catalog.entries.empty() && size % 2)
            catalog.entries.pop_back();
    }
    applyKindsFile(catalog, file);
    for (std::size_t i = 0; i < catalog.entries.size(); ++i)
        if (!listed(catalog.groups, catalog.entries[i].group) || !mirrorsBack(catalog.entries, i))
            __builtin_trap();
    return 0;
}
