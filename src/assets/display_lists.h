#pragma once

#include <cstdint>
#include <vector>

#include <GL/gl.h>

#include "assets/model.h"
#include "math/box3.h"

// A model's triangles as its file gives them, with the texture object of each texture index: what
// batched drawing places in the world itself.
struct ModelMesh {
    std::vector<ModelTriangle> triangles;
    std::vector<GLuint> textures;
    GLuint textureOf(const ModelTriangle& triangle) const {
        return triangle.textureIndex < textures.size() ? textures[triangle.textureIndex] : 0;
    }
};

// Display list names for the models, handed out in blocks of 500 consecutive names. Offset 0 is
// the Stadium surroundings, 1 the fallback model, 2 and up the block models; an offset past the
// first block lives in a later block, so any number of models can have a list.
class DisplayLists {
  public:
    static constexpr std::int32_t kBlockSize = 500;

    // Reserves the first block; false when GL gives no names (no context).
    bool reserve();
    // Makes sure that offset has a name, reserving further blocks as needed.
    bool ensure(std::int32_t offset);
    // The list name of an offset, or 0 (never a list, so calling it draws nothing).
    GLuint name(std::int32_t offset) const;
    // The first name of the first block: the model list base.
    GLuint base() const { return blocks_.empty() ? 0 : blocks_.front(); }
    std::int32_t capacity() const { return static_cast<std::int32_t>(blocks_.size()) * kBlockSize; }

    // The bounds of the model recorded at an offset, relative to its anchor; empty when unknown.
    void setBounds(std::int32_t offset, const Box3& box);
    const Box3& bounds(std::int32_t offset) const;
    // The triangles of the model at an offset; null when only its list is known.
    void setMesh(std::int32_t offset, ModelMesh mesh);
    const ModelMesh* mesh(std::int32_t offset) const;

  private:
    std::vector<GLuint> blocks_;
    std::vector<Box3> bounds_;
    std::vector<ModelMesh> meshes_;
};
