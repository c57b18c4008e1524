#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <thread>

#include <sys/stat.h>

#include "catalog_fixture.h"
#include "converted_track_builder.h"
#include "file_bytes.h"
#include "recovery/recovery_store.h"
#include "recovery/recovery_writer.h"
#include "temp_folder.h"
#include "track/track_reader.h"
#include "track/track_writer.h"

namespace {

constexpr int kStadiumEnv = 6;

class RecoveryFolder : public ::testing::Test {
  protected:
    TempFolder temp;
    std::filesystem::path folder = temp.path() / "user" / "recovery";
    std::filesystem::path trackFile = temp.path() / "My track.Challenge.Gbx";
    CatalogState catalog = catalogWith(kStadiumEnv, namesWith(10, {{2, "Road"}, {3, "Loop"}}));
    Track track;
    TrackEnvelope envelope;

    void SetUp() override {
        ConvertedTrackBuilder b;
        b.block("Road", 0, 1, 2, 3);
        b.block("Loop", 1, 4, 5, 6);
        const std::vector<std::uint8_t> bytes = b.build();
        writeFile(trackFile, bytes);
        ASSERT_TRUE(parseConvertedTrack(bytes, catalog, track, envelope));
    }
};

TEST_F(RecoveryFolder, TheWriterLeavesACopyThatReadsBackIntoTheEditedTrack) {
    // The track was last saved a while before the edits, not within the clock's last tick.
    std::filesystem::last_write_time(trackFile, std::filesystem::file_time_type::clock::now() -
                                                    std::chrono::seconds(5));
    track.blocks.front().x = 30;
    const std::filesystem::path file = recoveryFilePath(folder, trackFile.string());
    EXPECT_EQ(file, recoveryFilePath(folder, trackFile.string()));
    EXPECT_NE(file, recoveryFilePath(folder, trackFile.string() + "2"));
    {
        RecoveryWriter writer;
        RecoverySnapshot snapshot =
            takeRecoverySnapshot(trackFile.string(), track, envelope, catalog);
        // Editing goes on while the worker writes what the snapshot held.
        track.blocks.front().x = 31;
        writer.write(file, std::move(snapshot));
        writer.flush();
    }
    struct stat made {};
    ASSERT_EQ(stat(file.c_str(), &made), 0);
    EXPECT_EQ(made.st_mode & 0777, 0600u);

    std::vector<FoundRecovery> found = findRecoveryFiles(folder);
    ASSERT_EQ(found.size(), 1u);
    ASSERT_TRUE(found[0].copy);
    EXPECT_EQ(found[0].copy->trackPath, trackFile.string());
    EXPECT_TRUE(isNewerThanItsTrack(*found[0].copy));
    Track recovered;
    TrackEnvelope recoveredEnvelope;
    ASSERT_TRUE(
        parseConvertedTrack(found[0].copy->trackBytes, catalog, recovered, recoveredEnvelope));
    EXPECT_EQ(recovered.blocks.front().x, 30);
    EXPECT_EQ(recovered.blocks.back().catalogIndex, 3u);

    const std::string question = recoveryQuestion(*found[0].copy);
    EXPECT_TRUE(question.starts_with("Recover unsaved changes to My track.Challenge.Gbx from 20"))
        << question;
    EXPECT_TRUE(question.ends_with("?"));

    // Saving the track later makes the copy older than its track.
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    ASSERT_TRUE(saveTrack(trackFile, track, envelope, catalog));
    EXPECT_FALSE(isNewerThanItsTrack(*found[0].copy));

    RecoveryWriter writer;
    writer.remove(file);
    writer.flush();
    EXPECT_FALSE(std::filesystem::exists(file));
}

TEST_F(RecoveryFolder, DamagedCopiesAreFoundAsDamagedAndComeLast) {
    std::filesystem::create_directories(folder);
    const std::filesystem::path good = recoveryFilePath(folder, trackFile.string());
    ASSERT_TRUE(writeRecoveryFile(good, {trackFile.string(), 5, {1, 2}}));
    std::vector<std::uint8_t> bytes = readFile(good);
    bytes[bytes.size() / 2] ^= 1;
    writeFile(folder / "broken.recovery", bytes);
    writeFile(folder / "unrelated.txt", {1});

    std::vector<FoundRecovery> found = findRecoveryFiles(folder);
    ASSERT_EQ(found.size(), 2u);
    EXPECT_EQ(found[0].file, good);
    EXPECT_FALSE(found[1].copy);
    EXPECT_EQ(found[1].file, folder / "broken.recovery");
    EXPECT_TRUE(findRecoveryFiles(temp.path() / "none").empty());
}

} // namespace
