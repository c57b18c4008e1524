#pragma once

#include <filesystem>
#include <optional>

// The user's folder for files a program can make again (the XDG cache folder:
// $XDG_CACHE_HOME, else ~/.cache), or none when the system names no home folder.
std::optional<std::filesystem::path> userCacheFolder();
