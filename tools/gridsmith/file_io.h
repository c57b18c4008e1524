#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

bool readWholeFile(const std::filesystem::path& path, std::vector<std::uint8_t>& bytes,
                   std::string& error);

// Writes a synced temporary file beside `path` and renames it over `path`, so that `path` is
// either as it was or complete.
bool replaceFile(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes,
                 std::string& error);
