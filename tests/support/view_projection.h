#pragma once

#include <cmath>

#include <GL/gl.h>
#include <GL/glu.h>

#include "gl_context.h"
#include "view/camera.h"

// A camera at eye that looks at target, its up vector in the vertical plane of its direction.
inline Camera cameraLookingAt(const Vec3& eye, const Vec3& target) {
    Vec3 d = Vec3(target.x - eye.x, target.y - eye.y, target.z - eye.z).normalized();
    Vec3 up(-d.x * d.z, -d.y * d.z, 1 - d.z * d.z);
    return Camera(eye, d, up.normalized());
}

struct Pixel {
    int x = -1;
    int y = -1;
};

// Where a world point appears in the view under the frame's projection and the camera, with y
// counted down from the top. Needs the current GL context.
inline Pixel viewPixelOf(const Vec3& p, const Camera& camera, double aspect) {
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(80, aspect, 5, 5000);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    camera.look();
    GLdouble model[16], projection[16];
    GLint viewport[4];
    glGetDoublev(GL_MODELVIEW_MATRIX, model);
    glGetDoublev(GL_PROJECTION_MATRIX, projection);
    glGetIntegerv(GL_VIEWPORT, viewport);
    GLdouble wx = 0, wy = 0, wz = 0;
    gluProject(p.x, p.y, p.z, model, projection, viewport, &wx, &wy, &wz);
    return {static_cast<int>(std::floor(wx)),
            GlTestContext::kHeight - 1 - static_cast<int>(std::floor(wy))};
}
