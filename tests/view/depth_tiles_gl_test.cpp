#include <gtest/gtest.h>

#include <GL/gl.h>
#include <GL/glu.h>

#include "gl_context.h"
#include "view/depth_tiles.h"

namespace {

Box3 boxOf(Vec3 lo, Vec3 hi) {
    Box3 box;
    box.add(lo);
    box.add(hi);
    return box;
}

} // namespace

// The eye stands 100 units over a floor at height 0 that fills the view, looking ahead and down.
TEST(DepthTilesGl, BoxesUnderTheFloorAreHiddenEvenWhenTheyReachBehindTheEye) {
    ASSERT_TRUE(GlTestContext::makeCurrent());
    glViewport(0, 0, GlTestContext::kWidth, GlTestContext::kHeight);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(80, double(GlTestContext::kWidth) / GlTestContext::kHeight, 5, 5000);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    gluLookAt(0, 0, 100, 0, 300, 0, 0, 0, 1);
    glEnable(GL_DEPTH_TEST);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glBegin(GL_QUADS);
    glVertex3f(-20000, -20000, 0);
    glVertex3f(20000, -20000, 0);
    glVertex3f(20000, 20000, 0);
    glVertex3f(-20000, 20000, 0);
    glEnd();
    DepthTiles depth;
    depth.read();

    EXPECT_TRUE(depth.hides(boxOf({-50, 200, -40}, {50, 210, -10})));
    // Under the eye and behind it, the view's lower edge meeting its top at 74 units ahead: only
    // its part in view counts.
    EXPECT_TRUE(depth.hides(boxOf({-16, -40, -40}, {16, 80, -20})));
    // Out of view altogether.
    EXPECT_TRUE(depth.hides(boxOf({-50, -400, 200}, {50, -300, 300})));

    EXPECT_FALSE(depth.hides(boxOf({-50, 200, 1}, {50, 210, 10})));
    EXPECT_FALSE(depth.hides(boxOf({-50, 200, -40}, {50, 210, 2})));
    EXPECT_FALSE(depth.hides(boxOf({-16, -40, -40}, {16, 80, 1})));
    // Reaching up to the eye: nothing can be nearer than the near plane.
    EXPECT_FALSE(depth.hides(boxOf({-500, -500, -40}, {500, 500, 120})));
    glDisable(GL_DEPTH_TEST);
}
