#pragma once

#include <cstdint>
#include <filesystem>
#include <string_view>
#include <vector>

// Writes a file only when its bytes differ from what is there, so that regenerating leaves the
// times of unchanged files alone. Creates missing folders; writes through a temporary file that
// is renamed over the target. False on any failure.
bool writeFileIfChanged(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes);
bool writeFileIfChanged(const std::filesystem::path& path, std::string_view text);
