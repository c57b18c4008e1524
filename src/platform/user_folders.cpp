#include "platform/user_folders.h"

#include <cstdlib>

#include <pwd.h>
#include <unistd.h>

namespace {

// An XDG base folder: the variable's value when it is absolute (a relative one is invalid and
// ignored, as the base directory rules say), else the home folder's `fallback`.
std::optional<std::filesystem::path> baseFolder(const char* variable, const char* fallback) {
    const char* value = std::getenv(variable);
    if (value && std::filesystem::path(value).is_absolute())
        return std::filesystem::path(value);
    const char* home = std::getenv("HOME");
    if (home && *home)
        return std::filesystem::path(home) / fallback;
    const passwd* user = getpwuid(getuid());
    if (user && user->pw_dir && *user->pw_dir)
        return std::filesystem::path(user->pw_dir) / fallback;
    return std::nullopt;
}

} // namespace

std::optional<std::filesystem::path> userCacheFolder() {
    return baseFolder("XDG_CACHE_HOME", ".cache");
}

std::optional<std::filesystem::path> userDataFolder() {
    return baseFolder("XDG_DATA_HOME", ".local/share");
}
