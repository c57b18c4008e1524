#define GL_GLEXT_PROTOTYPES 1
#include "view/draw_throttle.h"

#include <GL/gl.h>
#include <GL/glext.h>

DrawThrottle::~DrawThrottle() {
    if (fence_)
        glDeleteSync(static_cast<GLsync>(fence_));
}

void DrawThrottle::drew(std::size_t triangles) {
    sinceFence_ += triangles;
    if (sinceFence_ < kBatch)
        return;
    sinceFence_ = 0;
    GLsync previous = static_cast<GLsync>(fence_);
    fence_ = glFenceSync(GL_SYNC_GPU_COMMANDS_COMPLETE, 0);
    if (previous) {
        glClientWaitSync(previous, GL_SYNC_FLUSH_COMMANDS_BIT, GL_TIMEOUT_IGNORED);
        glDeleteSync(previous);
    }
}
