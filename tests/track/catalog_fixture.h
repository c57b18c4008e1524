#pragma once

#include <string>
#include <vector>

#include "catalog/catalog.h"

// A catalogue state whose given environment holds `names` (entry i + 1 is names[i]).
inline CatalogState catalogWith(int environment, const std::vector<std::string>& names) {
    CatalogState state;
    initEnvironmentNames(state.environmentNames);
    state.currentEnvironment = environment;
    for (const std::string& name : names) {
        CatalogEntry entry;
        entry.name = name;
        state.catalogs[environment].entries.push_back(entry);
    }
    return state;
}

// Names "K1", "K2", ... with the given names placed at their 1-based indexes.
inline std::vector<std::string>
namesWith(std::size_t count, const std::vector<std::pair<std::size_t, std::string>>& at) {
    std::vector<std::string> names;
    for (std::size_t i = 1; i <= count; ++i)
        names.push_back("K" + std::to_string(i));
    for (const auto& [index, name] : at)
        names[index - 1] = name;
    return names;
}
