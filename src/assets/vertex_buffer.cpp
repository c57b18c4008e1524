#define GL_GLEXT_PROTOTYPES 1
#include "assets/vertex_buffer.h"

#include <utility>

#include <GL/glext.h>

VertexBuffer::~VertexBuffer() {
    release();
}

VertexBuffer::VertexBuffer(VertexBuffer&& other) noexcept
    : name_(std::exchange(other.name_, 0)), bytes_(std::exchange(other.bytes_, 0)) {}

VertexBuffer& VertexBuffer::operator=(VertexBuffer&& other) noexcept {
    if (this != &other) {
        release();
        name_ = std::exchange(other.name_, 0);
        bytes_ = std::exchange(other.bytes_, 0);
    }
    return *this;
}

void VertexBuffer::release() {
    if (name_ != 0)
        glDeleteBuffers(1, &name_);
    name_ = 0;
    bytes_ = 0;
}

bool VertexBuffer::fill(const void* data, std::size_t bytes) {
    // Errors from before are not this buffer's.
    while (glGetError() != GL_NO_ERROR) {
    }
    if (name_ == 0)
        glGenBuffers(1, &name_);
    if (name_ == 0)
        return false;
    glBindBuffer(GL_ARRAY_BUFFER, name_);
    glBufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(bytes), data, GL_STATIC_DRAW);
    const bool filled = glGetError() == GL_NO_ERROR;
    glBindBuffer(GL_ARRAY_BUFFER, 0);
    if (!filled) {
        release();
        return false;
    }
    bytes_ = bytes;
    return true;
}

void VertexBuffer::bind() const {
    glBindBuffer(GL_ARRAY_BUFFER, name_);
}

void VertexBuffer::unbind() {
    glBindBuffer(GL_ARRAY_BUFFER, 0);
}
