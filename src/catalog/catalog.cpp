#include "catalog/catalog.h"

#include <fstream>
#include <iterator>
#include <optional>

#include "catalog/block_info.h"
#include "catalog/kinds_file.h"
#include "seams/prompts.h"

namespace {

constexpr std::size_t kMaxNameLength = 63;

// The whole file, or none when it cannot be opened.
std::optional<std::string> readText(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return std::nullopt;
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

} // namespace

std::vector<std::string> parseBlockNames(const std::string& text) {
    std::vector<std::string> names;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        bool last = end == std::string::npos;
        std::string line = text.substr(start, last ? std::string::npos : end - start);
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (line.size() > kMaxNameLength)
            line.resize(kMaxNameLength);
        names.push_back(std::move(line));
        if (last)
            break;
        start = end + 1;
    }
    return names;
}

bool loadCatalog(CatalogState& state, int environment, const std::filesystem::path& baseFolder,
                 Prompts& prompts) {
    if (environment < 0 || environment >= kEnvironmentCount)
        return false;
    const std::string& envName = state.environmentNames[environment];
    std::filesystem::path namesPath = baseFolder / "data" / envName / "blocks.dat";
    const std::optional<std::string> text = readText(namesPath);
    if (!text) {
        prompts.message("Block names file not found: " + namesPath.string(), kProgramCaption,
                        MessageIcon::None);
        return false;
    }

    BlockCatalog catalog;
    std::vector<std::string> names = parseBlockNames(*text);
    catalog.entries.resize(names.size());
    for (std::size_t i = 0; i < names.size(); ++i) {
        CatalogEntry& entry = catalog.entries[i];
        entry.name = std::move(names[i]);
        std::filesystem::path infoPath =
            baseFolder / "data" / envName / "bzi" / (std::to_string(i + 1) + ".bzi");
        if (!readBlockInfo(infoPath, entry))
            setDefaultBlockInfo(entry);
    }
    const std::optional<std::string> kinds = readText(baseFolder / "data" / envName / "kinds.dat");
    applyKindsFile(catalog, kinds ? parseKindsFile(*kinds) : std::nullopt);
    state.catalogs[environment] = std::move(catalog);
    return true;
}

const CatalogEntry* catalogEntry(const CatalogState& state, std::uint32_t catalogIndex) {
    if (state.currentEnvironment < 0 || state.currentEnvironment >= kEnvironmentCount)
        return nullptr;
    const BlockCatalog& catalog = state.catalogs[state.currentEnvironment];
    if (catalogIndex == 0 || catalogIndex > catalog.entries.size())
        return nullptr;
    return &catalog.entries[catalogIndex - 1];
}
