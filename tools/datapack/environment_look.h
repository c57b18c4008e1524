#pragma once

#include <array>
#include <string>
#include <utility>
#include <vector>

#include "texture_painter.h"

inline constexpr int kEnvironmentTotal = 7;
inline constexpr int kSurfaceCount = 4;

// What an environment looks like: its surfaces and colours.
struct EnvironmentLook {
    std::string name; // folder name under data, block name prefix, track environment
    std::string mood; // the decoration that its tracks name
    std::array<TextureSpec, kSurfaceCount> roads;
    std::array<TextureSpec, kSurfaceCount> grounds;
    TextureSpec wall, roof, pillar, foliage, trunk, rock, start, finish, checkpoint, facade, water,
        turbo;
    Rgb pictureBackground; // behind the block pictures of the picker
};

// Alpine, Bay, Coast, Island, Rally, Speed, Stadium, in the order of the environment indexes.
const std::array<EnvironmentLook, kEnvironmentTotal>& environmentLooks();

// File names of the textures in an environment's textures folder.
std::string roadTexture(int surface);
std::string groundTexture(int surface);
inline constexpr const char* kWallTexture = "wall.bmp";
inline constexpr const char* kRoofTexture = "roof.bmp";
inline constexpr const char* kPillarTexture = "pillar.bmp";
inline constexpr const char* kFoliageTexture = "foliage.bmp";
inline constexpr const char* kTrunkTexture = "trunk.bmp";
inline constexpr const char* kRockTexture = "rock.bmp";
inline constexpr const char* kStartTexture = "start.bmp";
inline constexpr const char* kFinishTexture = "finish.bmp";
inline constexpr const char* kCheckpointTexture = "checkpoint.bmp";
inline constexpr const char* kFacadeTexture = "facade.bmp";
inline constexpr const char* kWaterTexture = "water.bmp";
inline constexpr const char* kTurboTexture = "turbo.bmp";

// Every texture file of an environment's textures folder, by file name, with what it shows.
std::vector<std::pair<std::string, TextureSpec>> environmentTextures(const EnvironmentLook& look);
// The spec of one of those files; a plain grey concrete for a name that is not one of them.
TextureSpec textureSpecByName(const EnvironmentLook& look, const std::string& name);
