#include <GL/gl.h>
#include <GL/glu.h>

#include "view/view_projection.h"

void loadViewMatrices(const ViewState& view) {
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    if (view.switches.topView) {
        const double half = topViewHalfHeight(view.camera);
        glOrtho(-half * view.aspect, half * view.aspect, -half, half, 5, 5000);
    } else {
        gluPerspective(80, view.aspect, 5, 5000);
    }
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    if (view.switches.topView)
        topViewEye(view.camera).look();
    else
        view.camera.look();
}
