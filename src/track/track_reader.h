#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "catalog/catalog.h"
#include "track/track.h"

class ConverterLauncher;
class Prompts;

// The converter's folder under the base folder, and the converter program in it.
std::filesystem::path converterFolder(const std::filesystem::path& baseFolder);
std::filesystem::path converterProgram(const std::filesystem::path& baseFolder);

// The name under which a source file is copied into the converter folder: its last path
// component (behind "/" or "\") with every space replaced by an underscore.
std::string convertedFileName(const std::string& sourcePath);

// Opens a track through the converter: copies the source into baseFolder/GS, runs the converter
// on the copy, waits up to 1000 ms for its ".bak", and reads the converted file. On success the
// track, the envelope and the catalogue's current environment hold the new track and that
// environment's catalogue is loaded afresh; on failure nothing of them has changed.
bool openTrack(const std::filesystem::path& baseFolder, const std::string& sourcePath, Track& track,
               TrackEnvelope& envelope, CatalogState& catalog, Prompts& prompts,
               ConverterLauncher& launcher);

// Reads converted-file bytes already in memory as openTrack reads the converter's output: on
// success the catalogue's current environment is the track's and its catalogue is loaded afresh.
bool readConvertedTrack(const std::filesystem::path& baseFolder,
                        const std::vector<std::uint8_t>& bytes, Track& track,
                        TrackEnvelope& envelope, CatalogState& catalog, Prompts& prompts);

// Parses converted-file bytes already in memory, resolving block names in the catalogue of the
// file's environment as `catalog` holds it (nothing is loaded). No file access. On failure
// `track` and `envelope` are unchanged.
bool parseConvertedTrack(const std::vector<std::uint8_t>& bytes, const CatalogState& catalog,
                         Track& track, TrackEnvelope& envelope);
