#pragma once

#include <string>
#include <vector>

#include "environment_look.h"
#include "image.h"
#include "mesh_builder.h"

// A block model's textures stacked in bands of one picture, so that the model names a single
// texture: its display list then binds once and draws in one begin/end, which is what a software
// renderer needs to keep thousands of blocks per frame cheap. Texture coordinates repeat across
// (the picture is one texture wide) but not upward, so triangles are cut where v crosses a whole
// number and each piece is moved into its texture's band.
struct AtlasModel {
    std::string textureName;               // empty for a model without triangles
    std::vector<std::string> bandTextures; // the band pictures, bottom band first
    std::vector<MeshTriangle> triangles;   // all with texture index 0
};

// Side of the square textures that the bands hold.
inline constexpr int kBandSize = 64;

AtlasModel atlasModel(const MeshBuilder& mesh);

// The banded picture of an atlas: the named textures of the environment painted bottom up, the
// height rounded up to a power of two by repeating the last band.
Image atlasImage(const EnvironmentLook& look, const std::vector<std::string>& bandTextures);
