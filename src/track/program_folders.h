#pragma once

#include <filesystem>
#include <optional>
#include <string>

#include "track/track_reader.h"

// Where the program finds its data (base/data) and how it runs the converter.
struct ProgramFolders {
    std::filesystem::path base;
    ConverterSite converter;
};

// The folders found, or, when no place held a data folder, the places looked at, for the user.
struct FoundFolders {
    std::optional<ProgramFolders> folders;
    std::string problem;
};

// The first of these that holds data/:
// - the current folder, with its GS/Gridsmith working in GS/ (a folder of the user's own, the
//   build's runtime folder);
// - the executable's folder, laid out the same (the runtime folder started from elsewhere);
// - the installed layout around the executable's folder (bin/): the data of share/blockyard, the
//   converter lib/blockyard/Gridsmith, working in a folder of each open under
//   <cacheFolder>/blockyard, as the installed folders are read-only.
FoundFolders findProgramFolders(const std::filesystem::path& current,
                                const std::optional<std::filesystem::path>& executableFolder,
                                const std::optional<std::filesystem::path>& cacheFolder);

// The same for the running program: its current folder, executable and the user's cache folder.
FoundFolders findProgramFolders();
