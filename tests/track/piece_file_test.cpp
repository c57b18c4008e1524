#include <gtest/gtest.h>

#include "file_bytes.h"
#include "temp_folder.h"
#include "track/crc32.h"
#include "track/piece_library.h"

namespace {

Piece samplePiece() {
    Piece piece;
    piece.name = "Loop ramp";
    piece.environment = "Stadium";
    piece.kinds = {"StadiumRoadMain", "StadiumCircuitToRoadMain", "StadiumLoopEnd"};
    piece.blocks = {{1, 3, 31, 7, 2, {1, 2, 3, 4}},
                    {0, 0, 0, 0, 0, {0, 0, 0, 0}},
                    {2, 31, 5, 30, 3, {0xFF, 0x80, 0x10, 0x01}}};
    piece.picture = {0x89, 'P', 'N', 'G', 0, 13, 0xFF};
    return piece;
}

// Where the fields that follow the texts start in the sample's file.
struct Offsets {
    std::size_t kindCount, blockCount, firstBlock, pictureLength;
};

Offsets offsetsOf(const Piece& piece) {
    Offsets at{};
    at.kindCount = 8 + 2 + piece.name.size() + 2 + piece.environment.size();
    at.blockCount = at.kindCount + 2;
    for (const std::string& kind : piece.kinds)
        at.blockCount += 1 + kind.size();
    at.firstBlock = at.blockCount + 4;
    at.pictureLength = at.firstBlock + 10 * piece.blocks.size();
    return at;
}

// The bytes with a checksum that fits them again, as a hostile file would carry.
std::vector<std::uint8_t> resealed(std::vector<std::uint8_t> bytes) {
    bytes.resize(bytes.size() - 4);
    const std::uint32_t crc = crc32(bytes.data(), bytes.size());
    for (int i = 0; i < 4; ++i)
        bytes.push_back(static_cast<std::uint8_t>(crc >> (8 * i)));
    return bytes;
}

void putU32(std::vector<std::uint8_t>& bytes, std::size_t at, std::uint32_t value) {
    for (int i = 0; i < 4; ++i)
        bytes[at + i] = static_cast<std::uint8_t>(value >> (8 * i));
}

} // namespace

TEST(PieceFile, EveryFieldSurvivesTheFileAndTheLibrary) {
    const Piece piece = samplePiece();
    std::string problem;
    EXPECT_EQ(decodePiece(encodePiece(piece), problem), piece) << problem;

    TempFolder home;
    const auto folder = piecesFolder(home.path(), "Stadium");
    const auto file = writePieceFile(folder, piece, problem);
    ASSERT_TRUE(file) << problem;
    EXPECT_EQ(*file, folder / "Loop ramp.bypiece");
    EXPECT_EQ(readPieceFile(*file, "Stadium", problem), piece) << problem;
    const std::vector<PieceEntry> listed = listPieces(folder, "Stadium");
    ASSERT_EQ(listed.size(), 1u);
    EXPECT_EQ(listed[0].piece, piece);
}

TEST(PieceFile, DamagedFilesAreRefusedWithAReason) {
    const std::vector<std::uint8_t> good = encodePiece(samplePiece());
    std::string problem;
    for (std::size_t length = 0; length < good.size(); ++length) {
        problem.clear();
        EXPECT_FALSE(decodePiece({good.begin(), good.begin() + length}, problem)) << length;
        EXPECT_FALSE(problem.empty()) << length;
    }
    for (std::size_t at = 0; at < good.size(); ++at) {
        std::vector<std::uint8_t> flipped = good;
        flipped[at] ^= 0x20;
        EXPECT_FALSE(decodePiece(flipped, problem)) << at;
    }
    std::vector<std::uint8_t> longer = good;
    longer.push_back(0);
    EXPECT_FALSE(decodePiece(resealed(longer), problem));
    EXPECT_NE(problem.find("damaged"), std::string::npos) << problem;
}

TEST(PieceFile, HostileCountsAndValuesAreRefusedEvenWithAFittingChecksum) {
    const Piece piece = samplePiece();
    const std::vector<std::uint8_t> good = encodePiece(piece);
    const Offsets at = offsetsOf(piece);
    struct Case {
        const char* what;
        std::size_t offset;
        std::uint32_t value;
        int width;
    };
    const Case cases[] = {
        {"no kinds", at.kindCount, 0, 2},
        {"huge kind count", at.kindCount, 0xFFFF, 2},
        {"no blocks", at.blockCount, 0, 4},
        {"huge block count", at.blockCount, 0xFFFFFFFF, 4},
        {"kind past the list", at.firstBlock, 3, 2},
        {"x past the grid", at.firstBlock + 2, 32, 1},
        {"height past the grid", at.firstBlock + 4, 0xFF, 1},
        {"fifth turn", at.firstBlock + 5, 4, 1},
        {"huge picture", at.pictureLength, 0xFFFFFFF0, 4},
        {"empty name", 8, 0, 2},
        {"name longer than the file", 8, 0xFFFF, 2},
    };
    for (const Case& c : cases) {
        std::vector<std::uint8_t> bytes = good;
        if (c.width == 4)
            putU32(bytes, c.offset, c.value);
        else
            for (int i = 0; i < c.width; ++i)
                bytes[c.offset + i] = static_cast<std::uint8_t>(c.value >> (8 * i));
        std::string problem;
        EXPECT_FALSE(decodePiece(resealed(bytes), problem)) << c.what;
        EXPECT_NE(problem.find("damaged"), std::string::npos) << c.what << ": " << problem;
    }
    std::vector<std::uint8_t> control = good;
    control[10] = '\n';
    std::string problem;
    EXPECT_FALSE(decodePiece(resealed(control), problem)) << "a control character in the name";
}

TEST(PieceFile, TheLibraryRefusesOtherEnvironmentsTooLargeFilesAndTakenNames) {
    TempFolder home;
    const auto folder = piecesFolder(home.path(), "Stadium");
    std::string problem;
    Piece piece = samplePiece();
    const auto file = writePieceFile(folder, piece, problem);
    ASSERT_TRUE(file);
    const std::vector<std::uint8_t> bytes = readFile(*file);

    EXPECT_FALSE(readPieceFile(*file, "Alpine", problem));
    EXPECT_NE(problem.find("Stadium"), std::string::npos) << problem;
    EXPECT_TRUE(listPieces(folder, "Alpine").empty());

    const auto large = folder / "large.bypiece";
    writeFile(large, std::vector<std::uint8_t>(kMaxPieceFileBytes + 1, 0));
    EXPECT_FALSE(readPieceFile(large, "Stadium", problem));
    EXPECT_NE(problem.find("too large"), std::string::npos) << problem;
    writeFile(folder / "junk.bypiece", {'B', 'Y', 'P'});
    EXPECT_EQ(listPieces(folder, "Stadium").size(), 1u);

    piece.name = "Other/one";
    const auto other = writePieceFile(folder, piece, problem);
    ASSERT_TRUE(other);
    EXPECT_EQ(other->filename(), "Other_one.bypiece");
    EXPECT_FALSE(renamePieceFile(*file, "Stadium", "Other/one", problem));
    EXPECT_EQ(readFile(*file), bytes);

    const auto renamed = renamePieceFile(*file, "Stadium", "Chicane", problem);
    ASSERT_TRUE(renamed) << problem;
    EXPECT_FALSE(std::filesystem::exists(*file));
    EXPECT_EQ(readPieceFile(*renamed, "Stadium", problem)->name, "Chicane");
    EXPECT_TRUE(deletePieceFile(*renamed, problem));
    EXPECT_EQ(listPieces(folder, "Stadium").size(), 1u);
}
