#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "recovery/recovery_file.h"

// The recovery folder: one copy per track, named after the track's path.
std::filesystem::path recoveryFilePath(const std::filesystem::path& folder,
                                       const std::string& trackPath);

// Writes the copy as safely as a track is saved, readable by the user alone; makes the folder.
bool writeRecoveryFile(const std::filesystem::path& file, const RecoveryCopy& copy);

// A recovery file of the folder and what it holds; none when it is damaged.
struct FoundRecovery {
    std::filesystem::path file;
    std::optional<RecoveryCopy> copy;
};

// Every recovery file of the folder, the newest copy first and damaged ones last.
std::vector<FoundRecovery> findRecoveryFiles(const std::filesystem::path& folder);

// Whether the copy holds changes that its track's file does not: written after the file was last
// changed, or the file is gone.
bool isNewerThanItsTrack(const RecoveryCopy& copy);

// "Recover unsaved changes to <name> from <time>?" with the track's file name and the local time
// at which the copy was written.
std::string recoveryQuestion(const RecoveryCopy& copy);
std::string damagedRecoveryMessage(const std::filesystem::path& file);
