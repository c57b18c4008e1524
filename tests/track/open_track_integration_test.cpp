#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>

#include <sys/wait.h>

#include "catalog_fixture.h"
#include "converted_track_builder.h"
#include "file_bytes.h"
#include "readers_agree.h"
#include "real_tracks.h"
#include "recording_prompts.h"
#include "temp_folder.h"
#include "track/converter_launch.h"
#include "track/track_reader.h"
#include "track/track_writer.h"

namespace {

// A base folder as the editor runs in: GS/Gridsmith from the build and a Stadium names file.
TEST(OpenTrackWithGridsmith, OpenSaveAndOpenAgainGiveTheSameRecords) {
    TempFolder base;
    std::filesystem::create_directories(base.path() / "GS");
    std::filesystem::copy_file(GRIDSMITH_PATH, base.path() / "GS" / "Gridsmith");
    std::filesystem::create_directories(base.path() / "data" / "Stadium");
    std::ofstream(base.path() / "data" / "Stadium" / "blocks.dat") << "Grass\nRoad\nLoop\n";

    ConvertedTrackBuilder b;
    b.block("Road", 1, 2, 3, 4);
    b.block("Loop", 2, 5, 6, 7, 0x8000);
    b.skinAuthor("Nadeo");
    b.nodeNew(12);
    b.block("Road", 3, 8, 9, 10, 0x8000);
    b.skinAuthor("Nadeo");
    b.nodeRef(12);
    std::vector<std::uint8_t> plain = b.build();
    std::filesystem::path plainPath = base.path() / "plain.Gbx";
    std::ofstream(plainPath, std::ios::binary)
        .write(reinterpret_cast<const char*>(plain.data()),
               static_cast<std::streamsize>(plain.size()));
    std::filesystem::path source = base.path() / "My track.Challenge.Gbx";
    std::string command =
        "'" GRIDSMITH_PATH "' --compress '" + plainPath.string() + "' '" + source.string() + "'";
    ASSERT_EQ(std::system(command.c_str()), 0);

    CatalogState catalog;
    initEnvironmentNames(catalog.environmentNames);
    RecordingPrompts prompts;
    PosixConverterLauncher launcher;
    Track track;
    TrackEnvelope envelope;
    ASSERT_TRUE(openTrack(base.path(), converterSiteIn(base.path()), source.string(), track,
                          envelope, catalog, prompts, launcher));
    ASSERT_EQ(track.blocks.size(), 3u);
    EXPECT_EQ(track.blocks.front().catalogIndex, 2u);
    EXPECT_EQ(track.environment, 6);

    std::filesystem::path saved = base.path() / "saved.Challenge.Gbx";
    ASSERT_TRUE(saveTrack(saved, track, envelope, catalog));
    std::ifstream savedIn(saved, std::ios::binary);
    std::vector<std::uint8_t> savedBytes{std::istreambuf_iterator<char>(savedIn),
                                         std::istreambuf_iterator<char>()};
    EXPECT_EQ(savedBytes, plain);

    Track again;
    TrackEnvelope againEnvelope;
    ASSERT_TRUE(openTrack(base.path(), converterSiteIn(base.path()), saved.string(), again,
                          againEnvelope, catalog, prompts, launcher));
    ASSERT_EQ(again.blocks.size(), track.blocks.size());
    for (auto a = track.blocks.begin(), c = again.blocks.begin(); a != track.blocks.end();
         ++a, ++c) {
        EXPECT_EQ(a->catalogIndex, c->catalogIndex);
        EXPECT_EQ(a->rotation, c->rotation);
        EXPECT_EQ(a->x, c->x);
        EXPECT_EQ(a->y, c->y);
        EXPECT_EQ(a->z, c->z);
        EXPECT_EQ(a->variant, c->variant);
        EXPECT_EQ(a->skin.skin.number, c->skin.skin.number);
    }
    EXPECT_EQ(againEnvelope.headBytes, envelope.headBytes);
    EXPECT_EQ(againEnvelope.tailBytes, envelope.tailBytes);
    // The converter was reaped: no child is left.
    EXPECT_EQ(::waitpid(-1, nullptr, WNOHANG), -1);
    // Only the user's files remain: the converter folder holds nothing but the program.
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(base.path() / "GS"),
                            std::filesystem::directory_iterator()),
              1);
}

// The game's own tracks, converted by the converter: the walk reads every one, and where the text
// searches read one too, both read the same.
TEST(OpenTrackWithGridsmith, ReadersAgreeOnTheRealTracks) {
    const std::vector<std::filesystem::path> tracks = realTrackFiles();
    if (tracks.empty())
        GTEST_SKIP() << "no real tracks beside the repository";
    EnvironmentNames environmentNames;
    initEnvironmentNames(environmentNames);
    TempFolder folder;
    for (const std::filesystem::path& track : tracks) {
        SCOPED_TRACE(track.filename().string());
        std::filesystem::path copy = folder.path() / "t.Gbx";
        std::filesystem::copy_file(track, copy, std::filesystem::copy_options::overwrite_existing);
        std::string command = "cd '" + folder.path().string() + "' && '" GRIDSMITH_PATH "' t.Gbx";
        ASSERT_EQ(std::system(command.c_str()), 0);
        EXPECT_TRUE(expectReadersAgree(readFile(copy), environmentNames));
    }
}

} // namespace
