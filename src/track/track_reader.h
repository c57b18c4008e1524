#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "catalog/catalog.h"
#include "track/track.h"

class ConverterLauncher;
class Prompts;

// Where tracks are converted: the converter program and its working folder, where the copies of
// the opened tracks go.
struct ConverterSite {
    std::filesystem::path program;
    std::filesystem::path folder;
    // A program whose own folders are read-only converts in a per-user folder: then `folder` is
    // that folder, and each open works in a fresh folder of its own made inside it and removed
    // afterwards, so that two programs at once never meet in one.
    bool folderPerOpen = false;
};

// The converter of a base folder laid out as the build's runtime folder: GS/Gridsmith, working
// in GS/.
ConverterSite converterSiteIn(const std::filesystem::path& baseFolder);

// The name under which a source file is copied into the converter folder: its last path
// component (behind "/" or "\") with every space replaced by an underscore.
std::string convertedFileName(const std::string& sourcePath);

// Opens a track through the converter: copies the source into the converter's working folder,
// runs the converter on the copy, waits up to 1000 ms for its ".bak", and reads the converted
// file with the data of baseFolder/data. On success the track, the envelope and the catalogue's
// current environment hold the new track and that environment's catalogue is loaded afresh; on
// failure nothing of them has changed. A per-open folder that cannot be made is reported through
// the prompts.
bool openTrack(const std::filesystem::path& baseFolder, const ConverterSite& converter,
               const std::string& sourcePath, Track& track, TrackEnvelope& envelope,
               CatalogState& catalog, Prompts& prompts, ConverterLauncher& launcher);

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
