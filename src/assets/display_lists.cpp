#include "assets/display_lists.h"

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
