#include <gtest/gtest.h>

#include <GL/gl.h>
#include <GL/glu.h>

#include <utility>
#include <vector>

#include "gl_context.h"
#include "view/depth_tiles.h"

namespace {

Box3 boxOf(Vec3 lo, Vec3 hi) {
    Box3 box;
    box.add(lo);
    box.add(hi);
    return box;
}

// The eye stands 100 units over a floor at height 0 that fills the view, looking ahead and down;
// the depth of that floor read back.
DepthTiles depthOfFloor(int width = GlTestContext::kWidth) {
    glViewport(0, 0, width, GlTestContext::kHeight);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(80, double(width) / GlTestContext::kHeight, 5, 5000);
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
    glDisable(GL_DEPTH_TEST);
    return depth;
}

} // namespace

TEST(DepthTilesGl, BoxesUnderTheFloorAreHiddenEvenWhenTheyReachBehindTheEye) {
    ASSERT_TRUE(GlTestContext::makeCurrent());
    const DepthTiles depth = depthOfFloor();

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
}

TEST(DepthTilesGl, TrianglesShowWhereTheyMayCoverAPixelOverTheFloor) {
    ASSERT_TRUE(GlTestContext::makeCurrent());
    const DepthTiles depth = depthOfFloor();
    auto hides = [&](std::initializer_list<float> corners) {
        return depth.hidesTriangles(corners.begin(), corners.size() / 9);
    };

    EXPECT_TRUE(hides({-50, 200, -1, 50, 200, -1, 0, 2000, -1}));
    // One corner a unit over the floor.
    EXPECT_FALSE(hides({-50, 200, -1, 50, 200, -1, 0, 2000, 1}));
    // Two triangles, the second over the floor.
    EXPECT_FALSE(
        hides({-50, 200, -1, 50, 200, -1, 0, 300, -1, -50, 200, 1, 50, 200, 1, 0, 300, 1}));
    // Out of view behind the eye.
    EXPECT_TRUE(hides({-50, -200, -1, 50, -200, -1, 0, -300, 50}));
    // Under the floor but reaching behind the near plane: not worked out, so shown.
    EXPECT_FALSE(hides({-50, -100, -1, 50, -100, -1, 0, 300, -1}));

    // Under the floor in the plane x = 0 through the eye, seen edge-on: its depth is the
    // rasteriser's guess, so it shows where that plane meets pixel centres, in a view an odd
    // number of pixels wide, and not between two columns of them.
    const std::initializer_list<float> edgeOn = {0, 200, -10, 0, 400, -10, 0, 300, -5};
    EXPECT_TRUE(hides(edgeOn));
    const DepthTiles odd = depthOfFloor(GlTestContext::kWidth - 1);
    EXPECT_FALSE(odd.hidesTriangles(edgeOn.begin(), 1));

    // Far under the floor, nearly edge-on along the view's diagonal through pixel centres: its
    // area, left by rounding, is a sliver of the products it is the difference of, so its depth
    // is given a margin that reaches over the floor.
    double modelView[16], projection[16];
    GLint viewport[4];
    glGetDoublev(GL_MODELVIEW_MATRIX, modelView);
    glGetDoublev(GL_PROJECTION_MATRIX, projection);
    glGetIntegerv(GL_VIEWPORT, viewport);
    std::vector<float> sliver;
    for (const auto& [along, depth] : {std::pair{-100.0, 0.9995}, {-50.0, 0.995}, {0.0, 0.9999}}) {
        double p[3];
        gluUnProject(viewport[2] / 2.0 + along, viewport[3] / 2.0 + along, depth, modelView,
                     projection, viewport, &p[0], &p[1], &p[2]);
        EXPECT_LT(p[2], -1);
        sliver.insert(sliver.end(), p, p + 3);
    }
    EXPECT_FALSE(odd.hidesTriangles(sliver.data(), 1));
}
