#include "catalog/kinds_file.h"

#include <algorithm>
#include <charconv>

#include "catalog/kinds_file_format.h"

using namespace kinds_file;

namespace {

std::vector<std::string_view> splitFields(std::string_view line) {
    std::vector<std::string_view> fields;
    for (std::size_t start = 0;;) {
        const std::size_t tab = line.find('\t', start);
        fields.push_back(line.substr(start, tab - start));
        if (tab == std::string_view::npos)
            return fields;
        start = tab + 1;
    }
}

bool distinctAndNotEmpty(std::vector<std::string_view> words) {
    std::sort(words.begin(), words.end());
    return std::adjacent_find(words.begin(), words.end()) == words.end() &&
           (words.empty() || !words.front().empty());
}

std::size_t columnOf(const std::vector<std::string_view>& columns, std::string_view name) {
    return static_cast<std::size_t>(std::find(columns.begin(), columns.end(), name) -
                                    columns.begin());
}

} // namespace

std::optional<KindsFile> parseKindsFile(std::string_view text) {
    std::vector<std::string_view> lines;
    for (std::size_t start = 0; start < text.size();) {
        const std::size_t end = std::min(text.find('\n', start), text.size());
        std::string_view line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        lines.push_back(line);
        start = end + 1;
    }
    if (lines.size() < 3 || lines[0] != kFirstLine)
        return std::nullopt;

    std::vector<std::string_view> groups = splitFields(lines[1]);
    if (groups.front() != kGroups)
        return std::nullopt;
    groups.erase(groups.begin());
    const std::vector<std::string_view> columns = splitFields(lines[2]);
    const std::size_t index = columnOf(columns, kIndexColumn);
    const std::size_t name = columnOf(columns, kNameColumn);
    const std::size_t group = columnOf(columns, kGroupColumn);
    if (!distinctAndNotEmpty(groups) || !distinctAndNotEmpty(columns) ||
        std::max({index, name, group}) >= columns.size())
        return std::nullopt;

    KindsFile file;
    file.groups.assign(groups.begin(), groups.end());
    for (std::size_t i = 3; i < lines.size(); ++i) {
        const std::vector<std::string_view> fields = splitFields(lines[i]);
        if (fields.size() != columns.size())
            return std::nullopt;
        std::size_t number = 0;
        const std::string_view digits = fields[index];
        const auto [end, error] =
            std::from_chars(digits.data(), digits.data() + digits.size(), number);
        if (error != std::errc() || end != digits.data() + digits.size() || number != i - 2 ||
            fields[name].empty() ||
            std::find(groups.begin(), groups.end(), fields[group]) == groups.end())
            return std::nullopt;
        file.kinds.push_back({std::string(fields[name]), std::string(fields[group])});
    }
    return file;
}

void applyKindsFile(BlockCatalog& catalog, const std::optional<KindsFile>& file) {
    const bool fits = file && std::equal(catalog.entries.begin(), catalog.entries.end(),
                                         file->kinds.begin(), file->kinds.end(),
                                         [](const CatalogEntry& entry, const KindsFileRow& row) {
                                             return entry.name == row.name;
                                         });
    if (!fits) {
        catalog.groups.assign(1, std::string(kOtherGroup));
        for (CatalogEntry& entry : catalog.entries)
            entry.group = kOtherGroup;
        return;
    }
    catalog.groups = file->groups;
    for (std::size_t i = 0; i < catalog.entries.size(); ++i)
        catalog.entries[i].group = file->kinds[i].group;
}
