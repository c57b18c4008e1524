#pragma once

// What the benchmarks over real data share: a base folder laid out like the program's (data/
// from the build's runtime folder or from BLOCKYARD_BENCH_DATA, GS/ with the converter), the data
// pack's large sample opened through the converter, and a track with a block in every cell of the
// grid.
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "converted_track_builder.h"
#include "edit/editor_context.h"
#include "real_tracks.h"
#include "recording_prompts.h"
#include "temp_folder.h"
#include "track/converter_launch.h"
#include "track/track_reader.h"

inline constexpr const char* kLargeSample = "LargeStadium.Challenge.Gbx";
inline constexpr const char* kFullGridTrack = "FullGrid.Challenge.Gbx";
inline constexpr int kFullGridBlocks = 32 * 32 * 32;
// The largest of the game's real tracks shared beside the repository, when they are there.
inline constexpr const char* kRealTrack = "RealTrack.Challenge.Gbx";

class BenchBase {
  public:
    BenchBase() {
        namespace fs = std::filesystem;
        const fs::path runtime = BLOCKYARD_RUNTIME_DIR;
        // Another data folder can be compared with the build's own.
        const char* other = std::getenv("BLOCKYARD_BENCH_DATA");
        const fs::path data = other && *other ? fs::absolute(other) : runtime / "data";
        std::error_code ec;
        if (folder_.path().empty() || !fs::exists(data / "Stadium" / "blocks.dat"))
            return;
        fs::create_directory_symlink(data, folder_.path() / "data", ec);
        fs::create_directory(folder_.path() / "GS", ec);
        fs::copy_file(runtime / "GS" / "Gridsmith", folder_.path() / "GS" / "Gridsmith", ec);
        fs::create_directory(tracks(), ec);
        // ... and the samples of another data pack (uncompressed ones open too).
        const char* samples = std::getenv("BLOCKYARD_BENCH_SAMPLES");
        const fs::path sampleFolder =
            samples && *samples ? fs::absolute(samples) : runtime / "samples";
        fs::copy_file(sampleFolder / kLargeSample, tracks() / kLargeSample, ec);
        ok_ = !ec && writeFullGrid();
        std::error_code absent;
        fs::copy_file(largestRealTrack(), tracks() / kRealTrack, absent);
    }

    bool ok() const { return ok_; }
    const std::filesystem::path& path() const { return folder_.path(); }
    std::filesystem::path tracks() const { return folder_.path() / "tracks"; }

    // Opens a track of tracks/ through the converter, as the program's Open track does.
    bool open(const std::string& name, Track& track, TrackEnvelope& envelope,
              CatalogState& catalog) {
        if (catalog.environmentNames[0].empty())
            initEnvironmentNames(catalog.environmentNames);
        PosixConverterLauncher launcher;
        return openTrack(path(), converterSiteIn(path()), (tracks() / name).string(), track,
                         envelope, catalog, prompts, launcher);
    }
    bool open(const std::string& name, EditorContext& ctx) {
        Track track;
        TrackEnvelope envelope;
        if (!open(name, track, envelope, ctx.catalog))
            return false;
        ctx.document.replaceTrack(std::move(track), std::move(envelope),
                                  (tracks() / name).string());
        const std::string& environment =
            ctx.catalog.environmentNames[static_cast<std::size_t>(ctx.catalog.currentEnvironment)];
        ctx.folders.base = path();
        ctx.folders.models = path() / "data" / environment / "models" / "";
        ctx.folders.textures = path() / "data" / environment / "textures" / "";
        return true;
    }

    RecordingPrompts prompts;

  private:
    // Every cell of the 32 x 32 x 32 grid holds a Stadium block whose model is in the data pack,
    // the kinds taken in turn, rotations varied. Written uncompressed, which the converter takes.
    bool writeFullGrid() {
        namespace fs = std::filesystem;
        CatalogState catalog;
        initEnvironmentNames(catalog.environmentNames);
        if (!loadCatalog(catalog, kStadium, path(), prompts))
            return false;
        std::vector<std::string> kinds;
        const BlockCatalog& stadium = catalog.catalogs[kStadium];
        for (int i = 1; i <= stadium.count(); ++i)
            if (fs::exists(path() / "data" / "Stadium" / "models" /
                           (std::to_string(i) + "_0_0_0_0.mdl")))
                kinds.push_back(stadium.entries[static_cast<std::size_t>(i - 1)].name);
        if (kinds.empty())
            return false;
        ConvertedTrackBuilder b;
        b.trackName = "Full grid";
        for (int i = 0; i < kFullGridBlocks; ++i)
            b.block(kinds[static_cast<std::size_t>(i) % kinds.size()],
                    static_cast<std::uint8_t>(i % 4), static_cast<std::uint8_t>(i % 32),
                    static_cast<std::uint8_t>(i / 32 % 32), static_cast<std::uint8_t>(i / 1024));
        const std::vector<std::uint8_t> bytes = b.build();
        std::ofstream out(tracks() / kFullGridTrack, std::ios::binary);
        out.write(reinterpret_cast<const char*>(bytes.data()),
                  static_cast<std::streamsize>(bytes.size()));
        return static_cast<bool>(out);
    }

    TempFolder folder_;
    bool ok_ = false;
};
