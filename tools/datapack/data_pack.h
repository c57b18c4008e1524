#pragma once

#include <filesystem>

// Writes the data folder: per environment its names file, block information files, models and
// textures; the fallback model, the Stadium surroundings and the picker pictures. Files whose
// bytes are already there are left untouched. False when a file could not be written.
bool writeDataFolder(const std::filesystem::path& dataFolder);

// Writes every sample track, uncompressed, into `folder`. False when a circuit could not be
// laid out or a file could not be written.
bool writeSampleTracks(const std::filesystem::path& folder);
