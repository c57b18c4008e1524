#pragma once

#include <sys/types.h>

#include <cstdint>
#include <filesystem>
#include <optional>
#include <vector>

// File replacement that leaves a file either as it was or complete and on disk. Free of the
// editor's libraries: the converter program builds this file too.

// Writes `bytes` to a new file of a unique name in `target`'s folder (created exclusively, so no
// other file is ever opened) and syncs it. The new file's mode is `mode` under the user's umask.
std::optional<std::filesystem::path> writeTemporaryBeside(const std::filesystem::path& target,
                                                          const std::vector<std::uint8_t>& bytes,
                                                          mode_t mode = 0666);

// Renames `from` over `to` and syncs the folder, so that the rename itself survives a crash.
bool renameSynced(const std::filesystem::path& from, const std::filesystem::path& to);

// Replaces `target` (through a link, the file it points to) with `bytes`. A target that exists
// but cannot be opened for writing is left alone; a replaced file keeps its mode, a new one gets
// `mode` under the user's umask. False, with the target as it was, on any failure.
bool replaceFileAtomically(const std::filesystem::path& target,
                           const std::vector<std::uint8_t>& bytes, mode_t mode = 0666);
