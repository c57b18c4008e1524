#include "assets/display_lists.h"

#include <utility>

bool DisplayLists::reserve() {
    return ensure(0);
}

bool DisplayLists::ensure(std::int32_t offset) {
    if (offset < 0)
        return false;
    while (offset >= capacity()) {
        GLuint first = glGenLists(kBlockSize);
        if (first == 0)
            return false;
        blocks_.push_back(first);
    }
    return true;
}

GLuint DisplayLists::name(std::int32_t offset) const {
    if (offset < 0 || offset >= capacity())
        return 0;
    return blocks_[offset / kBlockSize] + static_cast<GLuint>(offset % kBlockSize);
}

void DisplayLists::setBounds(std::int32_t offset, const Box3& box) {
    if (offset < 0)
        return;
    if (static_cast<std::size_t>(offset) >= bounds_.size())
        bounds_.resize(offset + 1);
    bounds_[offset] = box;
}

const Box3& DisplayLists::bounds(std::int32_t offset) const {
    static const Box3 unknown;
    if (offset < 0 || static_cast<std::size_t>(offset) >= bounds_.size())
        return unknown;
    return bounds_[offset];
}

void DisplayLists::setMesh(std::int32_t offset, ModelMesh mesh) {
    if (offset < 0)
        return;
    if (static_cast<std::size_t>(offset) >= meshes_.size())
        meshes_.resize(offset + 1);
    meshes_[offset] = std::move(mesh);
}

const ModelMesh* DisplayLists::mesh(std::int32_t offset) const {
    if (offset < 0 || static_cast<std::size_t>(offset) >= meshes_.size() ||
        meshes_[offset].triangles.empty())
        return nullptr;
    return &meshes_[offset];
}
