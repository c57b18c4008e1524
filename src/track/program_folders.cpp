#include "track/program_folders.h"

#include <system_error>
#include <vector>

#include "platform/executable_folder.h"
#include "platform/user_folders.h"

namespace {

bool holdsData(const std::filesystem::path& folder) {
    std::error_code ec;
    return !folder.empty() && std::filesystem::is_directory(folder / "data", ec);
}

} // namespace

FoundFolders findProgramFolders(const std::filesystem::path& current,
                                const std::optional<std::filesystem::path>& executableFolder,
                                const std::optional<std::filesystem::path>& cacheFolder) {
    std::vector<std::filesystem::path> looked{current};
    if (holdsData(current))
        return {ProgramFolders{current, converterSiteIn(current)}, {}};
    if (executableFolder) {
        if (holdsData(*executableFolder))
            return {ProgramFolders{*executableFolder, converterSiteIn(*executableFolder)}, {}};
        // The install rules give these paths relative to the programs' folder.
        const std::filesystem::path shared =
            (*executableFolder / BLOCKYARD_DATA_FROM_BIN).lexically_normal();
        if (holdsData(shared)) {
            ConverterSite converter;
            converter.program =
                (*executableFolder / BLOCKYARD_CONVERTER_FROM_BIN / "Gridsmith").lexically_normal();
            if (cacheFolder)
                converter.folder = *cacheFolder / "blockyard";
            converter.folderPerOpen = true;
            return {ProgramFolders{shared, converter}, {}};
        }
        looked.insert(looked.end(), {*executableFolder, shared});
    }
    std::string problem = "no data folder found; looked for data/ in:\n";
    for (const std::filesystem::path& folder : looked)
        problem += "  " + (folder / "data").string() + "\n";
    problem += "Install Blockyard again, or start it in a folder that holds data/ and "
               "GS/Gridsmith.\n";
    return {std::nullopt, problem};
}

FoundFolders findProgramFolders() {
    std::error_code ec;
    const std::filesystem::path current = std::filesystem::current_path(ec);
    return findProgramFolders(ec ? std::filesystem::path() : current, executableFolder(),
                              userCacheFolder());
}
