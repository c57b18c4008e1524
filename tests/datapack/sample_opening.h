#pragma once

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "catalog/catalog.h"
#include "real_tracks.h"
#include "recording_prompts.h"
#include "runtime_files.h"
#include "temp_folder.h"
#include "track/converter_launch.h"
#include "track/track_reader.h"

// A base folder as the editor runs in: GS/Gridsmith from the build and the build's data folder
// (linked, not copied).
class SampleBase {
  public:
    SampleBase() {
        using runtime_files::kRuntime;
        std::error_code ec;
        std::filesystem::create_directories(folder_.path() / "GS", ec);
        std::filesystem::copy_file(kRuntime / "GS" / "Gridsmith",
                                   folder_.path() / "GS" / "Gridsmith", ec);
        ready_ = !ec;
        std::filesystem::create_directory_symlink(kRuntime / "data", folder_.path() / "data", ec);
        ready_ = ready_ && !ec;
        initEnvironmentNames(catalog.environmentNames);
    }

    bool ready() const { return ready_; }
    const std::filesystem::path& path() const { return folder_.path(); }

    struct Opened {
        bool ok = false;
        Track track;
        TrackEnvelope envelope;
    };

    // Opens a sample with the editor's reader.
    Opened open(const std::string& fileName) {
        return openFile(runtime_files::kSamples / fileName);
    }

    // Opens any track file with the editor's reader.
    Opened openFile(const std::filesystem::path& file) {
        Opened opened;
        PosixConverterLauncher launcher;
        opened.ok = openTrack(folder_.path(), converterSiteIn(folder_.path()), file.string(),
                              opened.track, opened.envelope, catalog, prompts, launcher);
        return opened;
    }

    // The converter's output for a sample, as the reader sees it.
    std::vector<std::uint8_t> convert(const std::string& fileName) {
        return convertFile(runtime_files::kSamples / fileName);
    }

    std::vector<std::uint8_t> convertFile(const std::filesystem::path& file) {
        const std::string fileName = file.filename().string();
        std::filesystem::path copy = folder_.path() / "converted" / fileName;
        std::filesystem::create_directories(copy.parent_path());
        std::filesystem::copy_file(file, copy, std::filesystem::copy_options::overwrite_existing);
        std::string command = "cd '" + copy.parent_path().string() + "' && '" +
                              (folder_.path() / "GS" / "Gridsmith").string() + "' '" + fileName +
                              "'";
        if (std::system(command.c_str()) != 0)
            return {};
        return runtime_files::readBytes(copy);
    }

    CatalogState catalog;
    RecordingPrompts prompts;

  private:
    TempFolder folder_;
    bool ready_ = false;
};

using OpenedSample = SampleBase::Opened;

// The game's real tracks beside the repository, opened through a base folder of the data pack;
// the test is skipped when they are not there.
class RealTrackTest : public ::testing::Test {
  protected:
    void SetUp() override {
        files = realTrackFiles();
        if (files.empty())
            GTEST_SKIP() << "no real tracks in " << realTracksFolder();
        ASSERT_TRUE(base.ready());
    }

    std::vector<std::filesystem::path> files;
    SampleBase base;
};
