#include "catalog/block_families.h"

#include <algorithm>
#include <cctype>

#include "catalog/kinds_file_format.h"

namespace {

std::string lowered(std::string_view text) {
    std::string out(text);
    std::transform(out.begin(), out.end(), out.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return out;
}

} // namespace

std::vector<BlockFamily> blockFamilies(const BlockCatalog& catalog) {
    std::vector<BlockFamily> families;
    for (const std::string& group : catalog.groups)
        families.push_back({group, {}});
    const auto named = [&families](std::string_view name) {
        return std::find_if(families.begin(), families.end(),
                            [name](const BlockFamily& family) { return family.name == name; });
    };
    if (named(kinds_file::kOtherGroup) == families.end())
        families.push_back({std::string(kinds_file::kOtherGroup), {}});
    for (std::size_t i = 0; i < catalog.entries.size(); ++i) {
        auto family = named(catalog.entries[i].group);
        if (family == families.end())
            family = named(kinds_file::kOtherGroup);
        family->kinds.push_back(static_cast<std::uint32_t>(i + 1));
    }
    std::erase_if(families, [](const BlockFamily& family) { return family.kinds.empty(); });
    return families;
}

std::vector<std::uint32_t> kindsMatching(const BlockCatalog& catalog, std::string_view text) {
    std::vector<std::uint32_t> kinds;
    const std::string wanted = lowered(text);
    for (std::size_t i = 0; i < catalog.entries.size(); ++i)
        if (lowered(catalog.entries[i].name).find(wanted) != std::string::npos)
            kinds.push_back(static_cast<std::uint32_t>(i + 1));
    return kinds;
}
