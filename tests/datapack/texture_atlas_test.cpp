#include <gtest/gtest.h>

#include <cmath>

#include "assets/model.h"
#include "runtime_files.h"
#include "texture_atlas.h"

using namespace runtime_files;

namespace {

// A builder whose frame is the world's, so that grid and world coordinates agree.
MeshBuilder identityMesh() {
    return MeshBuilder({0, 0, 0}, {1, 1, 1});
}

double area(const MeshTriangle& t) {
    const MeshVertex &a = t.vertices[0], &b = t.vertices[1], &c = t.vertices[2];
    const double ux = b.x - a.x, uy = b.y - a.y, uz = b.z - a.z;
    const double vx = c.x - a.x, vy = c.y - a.y, vz = c.z - a.z;
    return std::hypot(uy * vz - uz * vy, uz * vx - ux * vz, ux * vy - uy * vx) / 2;
}

// The band a v of the atlas lies in, and the v within that band's texture (0 to 1).
std::pair<int, double> bandOf(double v, double height) {
    const double texel = v * height - 0.5;
    const int band = static_cast<int>(std::floor((texel + 0.5) / kBandSize));
    return {band, (texel - band * kBandSize) / (kBandSize - 1)};
}

} // namespace

TEST(TextureAtlas, AFaceRepeatingUpwardIsCutAtEachRepeatAndKeepsItsMapping) {
    MeshBuilder mesh = identityMesh();
    const std::uint16_t road = mesh.texture("road0.bmp");
    // Three repeats upward, u running past one as well.
    mesh.quad(road, {0, 0, 0, 0, 0}, {2, 0, 0, 2, 0}, {2, 3, 0, 2, 3}, {0, 3, 0, 0, 3});
    const AtlasModel atlas = atlasModel(mesh);

    ASSERT_EQ(atlas.bandTextures, std::vector<std::string>{"road0.bmp"});
    EXPECT_EQ(atlas.textureName, "atlas_road0.bmp");
    double total = 0;
    for (const MeshTriangle& t : atlas.triangles) {
        EXPECT_EQ(t.texture, 0);
        total += area(t);
        // All three corners within one repeat: whole-numbered y minus the band-local v.
        const double repeat = t.vertices[0].y - bandOf(t.vertices[0].v, kBandSize).second;
        for (const MeshVertex& p : t.vertices) {
            auto [band, local] = bandOf(p.v, kBandSize);
            EXPECT_EQ(band, 0);
            EXPECT_GE(local, -1e-5);
            EXPECT_LE(local, 1 + 1e-5);
            EXPECT_NEAR(p.y - local, repeat, 1e-4) << "the piece spans two repeats";
            EXPECT_NEAR(std::round(repeat), repeat, 1e-4);
            EXPECT_FLOAT_EQ(p.u, p.x) << "u repeats across the atlas as before";
        }
    }
    EXPECT_NEAR(total, 6.0, 1e-4) << "the cut pieces cover the face exactly";
    EXPECT_GE(atlas.triangles.size(), 6u);
}

TEST(TextureAtlas, EachTextureGetsItsBandAndThePictureHeightIsAPowerOfTwo) {
    MeshBuilder mesh = identityMesh();
    const std::uint16_t unused = mesh.texture("pillar.bmp");
    const std::uint16_t wall = mesh.texture("wall.bmp");
    const std::uint16_t ground = mesh.texture("ground1.bmp");
    const std::uint16_t roof = mesh.texture("roof.bmp");
    (void)unused;
    mesh.triangle(wall, {0, 0, 0, 0, 0.25}, {1, 0, 0, 1, 0.25}, {1, 1, 0, 1, 0.75});
    mesh.triangle(ground, {0, 0, 1, 0, 0.25}, {1, 0, 1, 1, 0.25}, {1, 1, 1, 1, 0.75});
    mesh.triangle(roof, {0, 0, 2, 0, 0.25}, {1, 0, 2, 1, 0.25}, {1, 1, 2, 1, 0.75});
    const AtlasModel atlas = atlasModel(mesh);

    // Only used textures, in the order they were registered; three bands round up to four.
    ASSERT_EQ(atlas.bandTextures,
              (std::vector<std::string>{"wall.bmp", "ground1.bmp", "roof.bmp"}));
    ASSERT_EQ(atlas.triangles.size(), 3u);
    const double height = 4 * kBandSize;
    for (int i = 0; i < 3; ++i) {
        auto [band, local] = bandOf(atlas.triangles[i].vertices[0].v, height);
        EXPECT_EQ(band, i);
        EXPECT_NEAR(local, 0.25, 1e-5);
    }

    const EnvironmentLook& look = environmentLooks()[6];
    const Image picture = atlasImage(look, atlas.bandTextures);
    EXPECT_EQ(picture.width, kBandSize);
    EXPECT_EQ(picture.height, 4 * kBandSize);
    // Band 1 (second from the bottom) holds the ground texture, rows top down as painted.
    const Image ground1 = paintTexture(textureSpecByName(look, "ground1.bmp"), kBandSize);
    const int top = picture.height - 2 * kBandSize;
    for (int y = 0; y < kBandSize; y += 7)
        for (int x = 0; x < kBandSize; x += 5) {
            EXPECT_EQ(picture.at(x, top + y).r, ground1.at(x, y).r);
            EXPECT_EQ(picture.at(x, top + y).g, ground1.at(x, y).g);
        }
}

TEST(TextureAtlas, NamesFitAModelFileAndAModelWithoutTrianglesNamesNone) {
    MeshBuilder mesh = identityMesh();
    for (int i = 0; i < 12; ++i) {
        const std::uint16_t t = mesh.texture("a_rather_long_texture_name_" + std::to_string(i));
        mesh.triangle(t, {0, 0, double(i), 0, 0}, {1, 0, double(i), 1, 0}, {1, 1, double(i), 1, 1});
    }
    const AtlasModel atlas = atlasModel(mesh);
    EXPECT_LE(atlas.textureName.size(), kMaxTextureNameLength);
    EXPECT_EQ(atlas.textureName.rfind("atlas_", 0), 0u);

    EXPECT_TRUE(atlasModel(identityMesh()).textureName.empty());
}

// The data pack's block models each name one texture, so that their lists bind once.
TEST(TextureAtlas, EveryBlockModelOfTheDataPackNamesOneTexture) {
    int models = 0;
    for (const std::string& environment : kEnvironments) {
        for (const auto& file :
             std::filesystem::directory_iterator(kData / environment / "models")) {
            if (file.path().filename() == "stadium_opt.mdl")
                continue;
            const std::vector<std::uint8_t> bytes = readBytes(file.path());
            Model model;
            ASSERT_TRUE(parseModel(bytes.data(), bytes.size(), model)) << file.path();
            EXPECT_EQ(model.textureCount, 1) << file.path();
            ++models;
        }
    }
    EXPECT_GE(models, 1277);
}
