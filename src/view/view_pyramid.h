#pragma once

#include "math/box3.h"
#include "math/vec3.h"
#include "view/camera.h"

// Whether any part of the box may lie inside the pyramid of the view (apex at the eye, 80 degrees
// high, as wide as aspect makes it; near and far are not tested), or within 75 units of the eye.
// A box is reported hidden only when all its corners lie beyond one side, so a large box beside
// a corner of the view may count as seen.
bool isBoxInView(const Box3& box, const Camera& camera, double aspect);
// The same test with the pyramid's sides worked out once, for testing many boxes.
class ViewPyramid {
  public:
    ViewPyramid(const Camera& camera, double aspect);
    bool contains(const Box3& box) const;

  private:
    Vec3 eye_;
    // The four side planes, each as a point on it and its outward normal.
    Vec3 point_[4];
    Vec3 normal_[4];
};
// The same test for a single point.
bool isBlockInView(const Vec3& point, const Camera& camera, double aspect);

// The line of sight from the eye through the centre of a view pixel.
struct PickRay {
    Vec3 origin;
    Vec3 direction;
};

// The ray through pixel (x, y), y counted down from the top, of a view width x height pixels
// drawn with the frame's projection (80 degrees high, aspect wide) and the camera.
PickRay pixelRay(const Camera& camera, double aspect, int x, int y, int width, int height);
