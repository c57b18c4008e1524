#include "platform/executable_folder.h"

#include <system_error>

std::optional<std::filesystem::path> executableFolder() {
    // Linux names the executable of the running process here.
    std::error_code ec;
    const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", ec);
    if (ec || self.empty())
        return std::nullopt;
    return self.parent_path();
}
