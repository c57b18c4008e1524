#pragma once

#include <filesystem>
#include <string>
#include <vector>

// Writes the data folder: per environment its names file, block information files, models and
// textures; the fallback model, the Stadium surroundings and the picker pictures. Files whose
// bytes are already there are left untouched. False when a file could not be written.
bool writeDataFolder(const std::filesystem::path& dataFolder);

// Writes every sample track, uncompressed, into `folder`; adds each file name to `written`.
bool writeSampleTracks(const std::filesystem::path& folder, std::vector<std::string>& written);
