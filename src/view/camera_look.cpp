#include <GL/glu.h>

#include "view/camera.h"

void Camera::look() const {
    Vec3 centre = position + direction;
    gluLookAt(position.x, position.y, position.z, centre.x, centre.y, centre.z, up.x, up.y, up.z);
}
