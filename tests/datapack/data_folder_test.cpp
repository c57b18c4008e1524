#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <map>
#include <regex>
#include <set>

#include "assets/bitmap.h"
#include "assets/model.h"
#include "catalog/block_info.h"
#include "catalog/catalog.h"
#include "data_pack.h"
#include "file_output.h"
#include "runtime_files.h"
#include "temp_folder.h"

using namespace runtime_files;

namespace {

std::vector<std::string> namesOf(const std::string& environment) {
    std::vector<std::uint8_t> bytes = readBytes(kData / environment / "blocks.dat");
    return parseBlockNames(std::string(bytes.begin(), bytes.end()));
}

std::size_t modelFileSize(const Model& model) {
    std::size_t size = 6 + model.triangleCount * kTriangleRecordSize;
    for (const std::string& name : model.textureNames)
        size += name.size() + 1;
    return size;
}

// Checks that a model file parses, has triangles, ends after its last triangle and names only
// well-formed textures of textureFolder.
void expectModelWithTextures(const std::filesystem::path& path,
                             const std::filesystem::path& textureFolder) {
    SCOPED_TRACE(path.string());
    std::vector<std::uint8_t> bytes = readBytes(path);
    Model model;
    ASSERT_TRUE(parseModel(bytes.data(), bytes.size(), model));
    EXPECT_GT(model.triangleCount, 0u);
    EXPECT_EQ(bytes.size(), modelFileSize(model));
    std::vector<bool> used(model.textureCount, false);
    int flat = 0;
    for (const ModelTriangle& t : model.triangles) {
        used[t.textureIndex] = true;
        const ModelVertex &a = t.vertices[0], &b = t.vertices[1], &c = t.vertices[2];
        float ux = b.x - a.x, uy = b.y - a.y, uz = b.z - a.z;
        float vx = c.x - a.x, vy = c.y - a.y, vz = c.z - a.z;
        float nx = uy * vz - uz * vy, ny = uz * vx - ux * vz, nz = ux * vy - uy * vx;
        flat += nx * nx + ny * ny + nz * nz < 1e-6f;
    }
    EXPECT_EQ(flat, 0) << "triangles without area";
    EXPECT_TRUE(std::all_of(used.begin(), used.end(), [](bool u) { return u; }))
        << "a texture that no triangle uses";
    for (const std::string& name : model.textureNames)
        EXPECT_EQ(bitmapProblem(readBytes(textureFolder / name)), "") << name;
}

} // namespace

// Each names file holds the game's kinds of its environment, as the shared lists beside the
// repository give them, in their order and nothing else.
TEST(DataFolder, EveryEnvironmentNamesTheGamesKindsInTheirOrder) {
    const std::filesystem::path shared =
        std::filesystem::path(BLOCKYARD_SHARED_DIR) / "game-blocks";
    const std::array<std::size_t, 7> counts = {143, 170, 158, 176, 139, 128, 363};
    for (std::size_t e = 0; e < kEnvironments.size(); ++e) {
        const std::string& environment = kEnvironments[e];
        SCOPED_TRACE(environment);
        std::vector<std::uint8_t> bytes = readBytes(kData / environment / "blocks.dat");
        ASSERT_FALSE(bytes.empty());
        EXPECT_EQ(bytes.back(), '\n');
        EXPECT_EQ(std::count(bytes.begin(), bytes.end(), '\r'), 0);
        std::vector<std::string> names = namesOf(environment);
        ASSERT_EQ(names.size(), counts[e]);
        EXPECT_EQ(std::set<std::string>(names.begin(), names.end()).size(), counts[e]);
        std::vector<std::uint8_t> list = readBytes(shared / (environment + ".tsv"));
        if (list.empty())
            continue;
        std::vector<std::string> expected;
        for (const std::string& line : parseBlockNames(std::string(list.begin(), list.end()))) {
            std::size_t tab = line.find('\t');
            if (!line.empty() && line[0] != '#' && tab != std::string::npos)
                expected.push_back(line.substr(tab + 1, line.find('\t', tab + 1) - tab - 1));
        }
        EXPECT_EQ(names, expected);
    }
}

TEST(DataFolder, BlockInformationStartsAtTheOriginAndHoldsVariedFootprints) {
    int multiUnit = 0, multiLevel = 0;
    std::set<std::pair<int, int>> extents;
    for (const std::string& environment : kEnvironments) {
        const int count = static_cast<int>(namesOf(environment).size());
        for (int index = 1; index <= count; ++index) {
            std::filesystem::path path =
                kData / environment / "bzi" / (std::to_string(index) + ".bzi");
            std::vector<std::uint8_t> bytes = readBytes(path);
            CatalogEntry entry;
            ASSERT_TRUE(parseBlockInfo(bytes.data(), bytes.size(), entry)) << path;
            EXPECT_EQ(bytes.size(), 2 + 3 * entry.units.size()) << path;
            int minX = 99, minY = 99, minZ = 99;
            std::set<std::tuple<int, int, int>> distinct;
            for (const BlockUnit& u : entry.units) {
                minX = std::min<int>(minX, u.x);
                minY = std::min<int>(minY, u.y);
                minZ = std::min<int>(minZ, u.z);
                distinct.insert({u.x, u.y, u.z});
            }
            // The cells that the area logic turns assume units from 0 along x and y.
            EXPECT_EQ(minX, 0) << path;
            EXPECT_EQ(minY, 0) << path;
            EXPECT_EQ(minZ, 0) << path;
            EXPECT_EQ(distinct.size(), entry.units.size()) << path << ": repeated unit";
            multiUnit += entry.units.size() > 1;
            multiLevel += entry.maxHeight >= 1;
            extents.insert({static_cast<int>(2 * entry.halfSizeX) + 1,
                            static_cast<int>(2 * entry.halfSizeY) + 1});
        }
    }
    EXPECT_GT(multiUnit, 600);
    EXPECT_GT(multiLevel, 500);
    for (std::pair<int, int> size : {std::pair{1, 2}, {2, 2}, {2, 3}, {3, 3}, {4, 4}, {5, 5}})
        EXPECT_TRUE(extents.count(size)) << size.first << " x " << size.second;
}

TEST(DataFolder, EveryKindHasAModelAndEveryModelIsWellFormed) {
    const std::regex modelName(R"(([0-9]+)_([0-9]+)_([0-9]+)_([0-9]+)_([0-9]+)\.mdl)");
    for (const std::string& environment : kEnvironments) {
        SCOPED_TRACE(environment);
        const std::filesystem::path models = kData / environment / "models";
        const int count = static_cast<int>(namesOf(environment).size());
        for (int index = 1; index <= count; ++index)
            EXPECT_TRUE(std::filesystem::exists(models / (std::to_string(index) + "_0_0_0_0.mdl")))
                << index;
        for (const auto& file : std::filesystem::directory_iterator(models)) {
            const std::string name = file.path().filename().string();
            if (name == "stadium_opt.mdl")
                continue;
            std::smatch match;
            ASSERT_TRUE(std::regex_match(name, match, modelName)) << name;
            int index = std::stoi(match[1]);
            EXPECT_GE(index, 1);
            EXPECT_LE(index, count);
            expectModelWithTextures(file.path(), kData / environment / "textures");
        }
    }
}

TEST(DataFolder, TexturesAreUncompressedBottomUpPowerOfTwoBitmaps) {
    std::vector<std::filesystem::path> folders = {kData, kData / "textures" / "blocks"};
    for (const std::string& environment : kEnvironments) {
        folders.push_back(kData / environment / "textures");
        folders.push_back(kData / "textures" / "blocks" / environment);
    }
    int count = 0;
    for (const std::filesystem::path& folder : folders) {
        for (const auto& file : std::filesystem::directory_iterator(folder)) {
            if (file.path().extension() != ".bmp")
                continue;
            std::vector<std::uint8_t> bytes = readBytes(file.path());
            EXPECT_EQ(bitmapProblem(bytes), "") << file.path();
            PixelBuffer buffer;
            EXPECT_TRUE(parseBitmap(bytes.data(), bytes.size(), buffer)) << file.path();
            ++count;
        }
    }
    EXPECT_GT(count, 7 * 18 + 1277);
}

// The picker can show every kind: one 64 x 64 picture per catalogue index and environment, in
// many looks (kinds of one family and footprint look alike).
TEST(DataFolder, EveryKindHasAPictureNamedByItsIndex) {
    for (const std::string& environment : kEnvironments) {
        SCOPED_TRACE(environment);
        const int count = static_cast<int>(namesOf(environment).size());
        std::set<std::vector<std::uint8_t>> distinct;
        for (int index = 1; index <= count; ++index) {
            std::vector<std::uint8_t> bytes = readBytes(
                kData / "textures" / "blocks" / environment / (std::to_string(index) + ".bmp"));
            ASSERT_EQ(bitmapProblem(bytes), "") << index;
            EXPECT_EQ(u32At(bytes, 18), 64u);
            EXPECT_EQ(u32At(bytes, 22), 64u);
            distinct.insert(bytes);
        }
        EXPECT_GT(distinct.size(), 15u);
        EXPECT_FALSE(std::filesystem::exists(kData / "textures" / "blocks" / environment /
                                             (std::to_string(count + 1) + ".bmp")));
    }
}

TEST(DataFolder, EachEnvironmentHasItsOwnLook) {
    for (const char* texture : {"road0.bmp", "ground0.bmp", "wall.bmp", "facade.bmp"}) {
        std::set<std::vector<std::uint8_t>> distinct;
        for (const std::string& environment : kEnvironments)
            distinct.insert(readBytes(kData / environment / "textures" / texture));
        EXPECT_EQ(distinct.size(), kEnvironments.size()) << texture;
    }
}

TEST(DataFolder, FallbackModelAndStadiumSurroundings) {
    expectModelWithTextures(kData / "no.mdl", kData);
    const std::filesystem::path stadium = kData / "Stadium" / "models" / "stadium_opt.mdl";
    expectModelWithTextures(stadium, kData / "Stadium" / "textures");

    std::vector<std::uint8_t> bytes = readBytes(stadium);
    Model model;
    ASSERT_TRUE(parseModel(bytes.data(), bytes.size(), model));
    // The grid spans X from -32 cells to 0 and Y from 0 to 32 cells; its ground is at Z -1.257.
    const double edge = 32 * 41.7, ground = -1.257;
    float minX = 0, maxX = -1e9f, minY = 1e9f, maxY = 0, maxZ = -1e9f;
    for (const ModelTriangle& t : model.triangles) {
        for (const ModelVertex& v : t.vertices) {
            minX = std::min(minX, v.x);
            maxX = std::max(maxX, v.x);
            minY = std::min(minY, v.y);
            maxY = std::max(maxY, v.y);
            maxZ = std::max(maxZ, v.z);
            bool overGrid = v.x < -1 && v.x > -edge + 1 && v.y > 1 && v.y < edge - 1;
            EXPECT_FALSE(overGrid && v.z > ground) << "stands reach into the grid";
        }
    }
    EXPECT_LT(minX, -edge);
    EXPECT_GT(maxX, 0);
    EXPECT_LT(minY, 0);
    EXPECT_GT(maxY, edge);
    EXPECT_GT(maxZ, ground + 5 * 10.1);
}

TEST(DataFolder, PickerHasAPictureForEveryNodeOfItsTree) {
    const std::filesystem::path folder = kData / "textures" / "blocks";
    std::vector<std::string> files;
    for (int g = 0; g < 8; ++g)
        files.push_back(std::to_string(g) + ".bmp");
    for (int k = 0; k < 3; ++k)
        files.push_back("0_" + std::to_string(k) + ".bmp");
    for (int s = 0; s < 9; ++s) {
        files.push_back("5_" + std::to_string(s) + ".bmp");
        for (int k = 0; k < 9; ++k)
            files.push_back("5_" + std::to_string(s) + "_" + std::to_string(k) + ".bmp");
    }
    std::map<std::string, std::vector<std::uint8_t>> pictures;
    for (const std::string& file : files) {
        std::vector<std::uint8_t> bytes = readBytes(folder / file);
        ASSERT_EQ(bitmapProblem(bytes), "") << file;
        EXPECT_EQ(u32At(bytes, 18), 64u) << file;
        EXPECT_EQ(u32At(bytes, 22), 64u) << file;
        pictures[file] = bytes;
    }
    // Leaves with a block show it; the empty leaves all show the same empty slot.
    EXPECT_NE(pictures["5_1_0.bmp"], pictures["5_1_1.bmp"]);
    EXPECT_EQ(pictures["5_1_1.bmp"], pictures["5_8_8.bmp"]);
    std::set<std::vector<std::uint8_t>> blocks = {pictures["0_0.bmp"], pictures["0_1.bmp"],
                                                  pictures["0_2.bmp"], pictures["5_1_0.bmp"]};
    EXPECT_EQ(blocks.size(), 4u);
    std::set<std::vector<std::uint8_t>> groups;
    for (int g = 0; g < 8; ++g)
        groups.insert(pictures[std::to_string(g) + ".bmp"]);
    EXPECT_EQ(groups.size(), 8u);
}

TEST(DataFolder, GeneratingAgainGivesTheSameFiles) {
    TempFolder again;
    ASSERT_TRUE(writeDataFolder(again.path()));
    int compared = 0;
    for (const auto& file : std::filesystem::recursive_directory_iterator(again.path())) {
        if (!file.is_regular_file())
            continue;
        std::filesystem::path relative = std::filesystem::relative(file.path(), again.path());
        ASSERT_EQ(readBytes(file.path()), readBytes(kData / relative)) << relative;
        ++compared;
    }
    EXPECT_GT(compared, 1277 * 3 + 7 * 18);
}

// Regenerating leaves files whose bytes are already there alone, so that their times stay.
TEST(FileOutput, WritesOnlyWhatChanged) {
    TempFolder folder;
    const std::filesystem::path path = folder.path() / "deep" / "file.bin";
    ASSERT_TRUE(writeFileIfChanged(path, std::string_view("one")));
    const auto past = std::filesystem::file_time_type::clock::now() - std::chrono::hours(1);
    std::filesystem::last_write_time(path, past);
    ASSERT_TRUE(writeFileIfChanged(path, std::string_view("one")));
    EXPECT_EQ(std::filesystem::last_write_time(path), past);
    ASSERT_TRUE(writeFileIfChanged(path, std::string_view("two")));
    EXPECT_NE(std::filesystem::last_write_time(path), past);
    std::vector<std::uint8_t> bytes = readBytes(path);
    EXPECT_EQ(std::string(bytes.begin(), bytes.end()), "two");
    EXPECT_FALSE(std::filesystem::exists(folder.path() / "deep" / "file.bin.part"));
    // A folder where the file should be makes the write fail.
    std::filesystem::create_directories(folder.path() / "taken");
    EXPECT_FALSE(writeFileIfChanged(folder.path() / "taken", std::string_view("x")));
}
