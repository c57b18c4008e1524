#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <iterator>

#include <sys/wait.h>

#include "converted_track_builder.h"
#include "file_bytes.h"
#include "temp_folder.h"

namespace {

// Runs the converter in `folder` and gives its exit status.
int gridsmith(const std::filesystem::path& folder, const std::string& arguments) {
    std::string command = "cd '" + folder.string() + "' && '" GRIDSMITH_PATH "' " + arguments +
                          " 2>/dev/null >/dev/null";
    int status = std::system(command.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

std::vector<std::uint8_t> plainTrack() {
    ConvertedTrackBuilder b;
    for (int i = 0; i < 300; ++i)
        b.block(i % 2 ? "Road" : "Grass", 0, static_cast<std::uint8_t>(i), 1, 1);
    return b.build();
}

// The first byte behind the node counts of a version 6 container.
std::size_t bodyStart(const std::vector<std::uint8_t>& bytes) {
    std::size_t userData = bytes[13] | bytes[14] << 8 | bytes[15] << 16 | bytes[16] << 24;
    return 17 + userData + 8;
}

class Gridsmith : public ::testing::Test {
  protected:
    TempFolder folder;
    std::filesystem::path at(const std::string& name) { return folder.path() / name; }

    // Runs a conversion that must fail: status 1, the input as it was, no ".bak".
    void expectRefused(const std::vector<std::uint8_t>& bytes) {
        writeFile(at("bad.Gbx"), bytes);
        EXPECT_EQ(gridsmith(folder.path(), "bad.Gbx"), 1);
        EXPECT_EQ(readFile(at("bad.Gbx")), bytes);
        EXPECT_FALSE(std::filesystem::exists(at("bad.Gbx.bak")));
    }
};

TEST_F(Gridsmith, CompressThenConvertGivesTheOriginalBack) {
    std::vector<std::uint8_t> plain = plainTrack();
    writeFile(at("plain.Gbx"), plain);
    ASSERT_EQ(gridsmith(folder.path(), "--compress plain.Gbx packed.Gbx"), 0);
    std::vector<std::uint8_t> packed = readFile(at("packed.Gbx"));
    ASSERT_GT(packed.size(), 8u);
    EXPECT_LT(packed.size(), plain.size());
    EXPECT_EQ(packed[7], 'C');

    ASSERT_EQ(gridsmith(folder.path(), "packed.Gbx"), 0);
    EXPECT_EQ(readFile(at("packed.Gbx")), plain);
    EXPECT_EQ(readFile(at("packed.Gbx.bak")), packed);
}

TEST_F(Gridsmith, AnUncompressedFileStaysAsItIs) {
    std::vector<std::uint8_t> plain = plainTrack();
    writeFile(at("plain.Gbx"), plain);
    ASSERT_EQ(gridsmith(folder.path(), "plain.Gbx"), 0);
    EXPECT_EQ(readFile(at("plain.Gbx")), plain);
    EXPECT_EQ(readFile(at("plain.Gbx.bak")), plain);
}

TEST_F(Gridsmith, RefusesWhatItCannotConvert) {
    std::vector<std::uint8_t> plain = plainTrack();
    writeFile(at("plain.Gbx"), plain);
    ASSERT_EQ(gridsmith(folder.path(), "--compress plain.Gbx packed.Gbx"), 0);
    std::vector<std::uint8_t> packed = readFile(at("packed.Gbx"));

    std::vector<std::uint8_t> corrupt = packed;
    for (std::size_t i = packed.size() - 40; i < packed.size() - 10; ++i)
        corrupt[i] ^= 0x5A;
    expectRefused(corrupt);

    std::vector<std::uint8_t> cut(packed.begin(), packed.end() - 1);
    expectRefused(cut);

    std::vector<std::uint8_t> header(packed.begin(), packed.begin() + 20);
    expectRefused(header);

    expectRefused({'P', 'K', 3, 4, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0});

    // The uncompressed size, first of the two sizes at the body's start, claims over 256 MiB.
    std::vector<std::uint8_t> huge = packed;
    std::size_t body = bodyStart(packed);
    huge[body + 3] = 0x20;
    expectRefused(huge);

    std::vector<std::uint8_t> mismatch = packed;
    mismatch[body] ^= 1;
    expectRefused(mismatch);

    // A reference table of external nodes is refused, not guessed at.
    std::vector<std::uint8_t> external = plain;
    external[body - 4] = 1;
    expectRefused(external);
}

// The ".bak" cannot be written (a folder holds its name): the original stays, and nothing else
// is left behind.
TEST_F(Gridsmith, FailingBackupLeavesTheOriginal) {
    writeFile(at("plain.Gbx"), plainTrack());
    ASSERT_EQ(gridsmith(folder.path(), "--compress plain.Gbx packed.Gbx"), 0);
    std::filesystem::remove(at("plain.Gbx"));
    std::vector<std::uint8_t> packed = readFile(at("packed.Gbx"));
    std::filesystem::create_directory(at("packed.Gbx.bak"));
    writeFile(at("packed.Gbx.bak") / "inside", {1});

    EXPECT_EQ(gridsmith(folder.path(), "packed.Gbx"), 1);
    EXPECT_EQ(readFile(at("packed.Gbx")), packed);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.path()),
                            std::filesystem::directory_iterator()),
              2);
}

TEST_F(Gridsmith, HelpAndUsage) {
    EXPECT_EQ(gridsmith(folder.path(), "--help"), 0);
    EXPECT_EQ(gridsmith(folder.path(), ""), 1);
    EXPECT_EQ(gridsmith(folder.path(), "--compress only-one"), 1);
    // A name that starts with a dash is still a name.
    writeFile(at("-dash.Gbx"), plainTrack());
    EXPECT_EQ(gridsmith(folder.path(), "-dash.Gbx"), 0);
    EXPECT_TRUE(std::filesystem::exists(at("-dash.Gbx.bak")));
}

} // namespace
