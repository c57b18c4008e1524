#pragma once

#include <filesystem>
#include <optional>

// The folder of the running program's executable, or none when the system cannot tell.
std::optional<std::filesystem::path> executableFolder();
