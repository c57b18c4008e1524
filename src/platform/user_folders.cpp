#include "platform/user_folders.h"

#include <cstdlib>

#include <pwd.h>
#include <unistd.h>

std::optional<std::filesystem::path> userCacheFolder() {
    // A relative XDG_CACHE_HOME is invalid and ignored, as the base directory rules say.
    const char* cache = std::getenv("XDG_CACHE_HOME");
    if (cache && std::filesystem::path(cache).is_absolute())
        return std::filesystem::path(cache);
    const char* home = std::getenv("HOME");
    if (home && *home)
        return std::filesystem::path(home) / ".cache";
    const passwd* user = getpwuid(getuid());
    if (user && user->pw_dir && *user->pw_dir)
        return std::filesystem::path(user->pw_dir) / ".cache";
    return std::nullopt;
}
