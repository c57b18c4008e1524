#pragma once

#include <cstddef>

#include <GL/gl.h>

// One GL vertex buffer object holding a block of bytes for drawing. Owns its name; needs the
// context it was filled in to be current when it is filled again or destroyed.
class VertexBuffer {
  public:
    VertexBuffer() = default;
    ~VertexBuffer();
    VertexBuffer(VertexBuffer&& other) noexcept;
    VertexBuffer& operator=(VertexBuffer&& other) noexcept;
    VertexBuffer(const VertexBuffer&) = delete;
    VertexBuffer& operator=(const VertexBuffer&) = delete;

    // Replaces the contents. False when GL gives no buffer or no memory for it; the buffer is
    // then empty.
    bool fill(const void* data, std::size_t bytes);
    // Makes it the array buffer that vertex pointers are offsets into.
    void bind() const;
    static void unbind();
    bool empty() const { return bytes_ == 0; }
    std::size_t bytes() const { return bytes_; }

  private:
    void release();

    GLuint name_ = 0;
    std::size_t bytes_ = 0;
};
