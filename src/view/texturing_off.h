#pragma once

#include <GL/gl.h>

// Turns texturing off for one drawing step and back on at its end only if it was on before.
class TexturingOff {
  public:
    TexturingOff() {
        GLboolean on = GL_FALSE;
        glGetBooleanv(GL_TEXTURE_2D, &on);
        wasOn_ = on == GL_TRUE;
        glDisable(GL_TEXTURE_2D);
    }
    ~TexturingOff() {
        if (wasOn_)
            glEnable(GL_TEXTURE_2D);
    }
    TexturingOff(const TexturingOff&) = delete;
    TexturingOff& operator=(const TexturingOff&) = delete;

  private:
    bool wasOn_ = false;
};
