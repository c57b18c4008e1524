#pragma once

#include <filesystem>
#include <optional>

// The user's folder for files a program can make again (the XDG cache folder:
// $XDG_CACHE_HOME, else ~/.cache), or none when the system names no home folder.
std::optional<std::filesystem::path> userCacheFolder();

// The user's folder for files a program keeps for the user (the XDG data folder:
// $XDG_DATA_HOME, else ~/.local/share), or none when the system names no home folder.
std::optional<std::filesystem::path> userDataFolder();
