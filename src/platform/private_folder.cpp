#include "platform/private_folder.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <system_error>

std::optional<std::filesystem::path> makePrivateFolder(const std::filesystem::path& parent,
                                                       std::string& error) {
    std::error_code ec;
    std::filesystem::create_directories(parent, ec);
    if (ec) {
        error = ec.message();
        return std::nullopt;
    }
    // mkdtemp picks a name no folder has and makes it with mode 0700 in one step.
    std::string pattern = (parent / "open-XXXXXX").string();
    if (!mkdtemp(pattern.data())) {
        error = std::strerror(errno);
        return std::nullopt;
    }
    return std::filesystem::path(pattern);
}
