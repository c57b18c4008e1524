#pragma once

#include <filesystem>
#include <optional>
#include <string>

// Makes a folder that no other has asked for, open to the user alone, inside `parent` (made
// first, with the folders above it, when missing). The new folder; none on failure, with the
// system's reason in `error`.
std::optional<std::filesystem::path> makePrivateFolder(const std::filesystem::path& parent,
                                                       std::string& error);
