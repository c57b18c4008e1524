#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <unordered_map>
#include <vector>

#include "math/box3.h"

class Prompts;
struct PixelBuffer;

// Longest texture name a model file may hold, without its zero byte.
inline constexpr std::size_t kMaxTextureNameLength = 63;
// Bytes of one triangle record: the texture index and three vertices of five floats.
inline constexpr std::size_t kTriangleRecordSize = 62;

struct ModelVertex {
    float x = 0;
    float y = 0;
    float z = 0;
    float u = 0;
    float v = 0;
};

struct ModelTriangle {
    std::array<ModelVertex, 3> vertices{};
    std::uint16_t textureIndex = 0;
};

// A model file in memory. Positions are relative to the block's anchor, before its rotation.
struct Model {
    std::vector<std::uint32_t> textures; // one GL texture object per name, same order
    std::uint32_t triangleCount = 0;
    std::uint16_t textureCount = 0;
    std::vector<std::string> textureNames;
    std::vector<ModelTriangle> triangles;
};

// Decodes model-file bytes (no GL). False, with model unchanged, when the counts need more bytes
// than there are, a name has no zero byte within its 64 bytes, or a triangle's texture index is
// not below the texture count. Bytes after the last triangle are ignored.
bool parseModel(const std::uint8_t* data, std::size_t size, Model& model);

// The box holding every vertex of the model; empty for a model without triangles.
Box3 modelBounds(const Model& model);

// Texture objects already uploaded, by the path of their file.
using TextureObjects = std::unordered_map<std::string, std::uint32_t>;

// Reads the model file at path and uploads one texture object per texture name from
// textureFolder, or, given `shared`, reuses the object of a file uploaded before and adds the new
// ones to it. A texture that cannot be loaded is reported (loadBitmap) and becomes plain white.
// False, with model unchanged and nothing shown, when the file cannot be opened or is malformed.
// Needs a current GL context unless the model names no texture.
bool loadModel(const std::filesystem::path& path, Model& model,
               const std::filesystem::path& textureFolder, PixelBuffer& pixelBuffer,
               Prompts* prompts, TextureObjects* shared = nullptr);

// Issues the drawing commands of the model, for recording into a display list. Consecutive
// triangles with the same texture share one bind and one begin/end pair. The colour is left to
// the caller.
void drawModel(const Model& model);
