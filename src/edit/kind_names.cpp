#include "edit/kind_names.h"

const std::string& kindNameOf(const CatalogState& catalog, const BlockRecord& record) {
    if (const CatalogEntry* entry = catalogEntry(catalog, record.catalogIndex))
        return entry->name;
    return record.keptName;
}

std::unordered_map<std::string, std::uint32_t> kindIndexesByName(const CatalogState& catalog) {
    std::unordered_map<std::string, std::uint32_t> indexes;
    const int environment = catalog.currentEnvironment;
    if (environment < 0 || environment >= kEnvironmentCount)
        return indexes;
    const auto& entries = catalog.catalogs[static_cast<std::size_t>(environment)].entries;
    for (std::size_t i = 0; i < entries.size(); ++i)
        if (!entries[i].name.empty())
            indexes.emplace(entries[i].name, static_cast<std::uint32_t>(i + 1));
    return indexes;
}

std::vector<std::pair<std::uint32_t, std::uint32_t>>
kindPairsNamed(const CatalogState& catalog,
               const std::vector<std::pair<std::string, std::string>>& names,
               std::string& problem) {
    const auto indexes = kindIndexesByName(catalog);
    std::vector<std::pair<std::uint32_t, std::uint32_t>> pairs;
    for (const auto& [from, to] : names) {
        for (const std::string& name : {from, to}) {
            if (!indexes.count(name)) {
                problem = "No kind " + name + " in this environment.";
                return {};
            }
        }
        pairs.emplace_back(indexes.at(from), indexes.at(to));
    }
    return pairs;
}
