#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "track/program_folders.h"

// blockyard-tool's exit statuses.
inline constexpr int kToolDone = 0;
inline constexpr int kToolRefused = 1;     // the operation would break the track; nothing written
inline constexpr int kToolDifferent = 1;   // diff: the tracks differ
inline constexpr int kToolTrackErrors = 1; // check: a track has an error
inline constexpr int kToolFailed = 2; // a usage error, or a file that cannot be read or written

// Runs one command of blockyard-tool: `arguments` are those after the program's name. Tracks
// open through the folders' converter with the data of their base folder, as the editor opens
// them, and are saved as the editor saves them. Listings go to `out`, messages to `err`.
int runTool(const std::vector<std::string>& arguments, const ProgramFolders& folders,
            std::ostream& out, std::ostream& err);
