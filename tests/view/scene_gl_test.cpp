#include "view_scene.h"

namespace {

const Rgb kBlack{0, 0, 0};

using FixedScene = ViewScene;

TEST_F(FixedScene, LookLoadsTheViewOfTheDefaultCamera) {
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    Camera().look();
    GLdouble m[16];
    glGetDoublev(GL_MODELVIEW_MATRIX, m);
    // Column-major: the eye goes to the origin, the point one unit ahead to (0, 0, -1).
    auto apply = [&](double x, double y, double z, int row) {
        return m[row] * x + m[4 + row] * y + m[8 + row] * z + m[12 + row];
    };
    EXPECT_NEAR(apply(0, 0, 320, 0), 0, 1e-4); // GL keeps the matrix in floats
    EXPECT_NEAR(apply(0, 0, 320, 2), 0, 1e-4);
    const double ahead[3] = {-0.57735, 0.57735, 319.42265};
    EXPECT_NEAR(apply(ahead[0], ahead[1], ahead[2], 0), 0, 1e-4);
    EXPECT_NEAR(apply(ahead[0], ahead[1], ahead[2], 1), 0, 1e-4);
    EXPECT_NEAR(apply(ahead[0], ahead[1], ahead[2], 2), -1, 1e-4);
}

TEST_F(FixedScene, GridLiesJustBelowTheGroundWithoutItsFarEdges) {
    lookDownAt(Vec3(-1300, 1300, 0), 150);
    renderer.renderFrame(true);
    EXPECT_FALSE(colourNear(Vec3(-41.7 * 31, 1300, -1.257), kBlack));
    view.switches.showGrid = true;
    renderer.renderFrame(true);
    EXPECT_TRUE(colourNear(Vec3(-41.7 * 31, 1300, -1.257), kBlack));
    EXPECT_TRUE(colourNear(Vec3(-1300, 41.7 * 31, -1.257), kBlack));
    // The lines at the far edges are not drawn; no Stadium border outside the Stadium.
    EXPECT_FALSE(colourNear(Vec3(-1334.4, 1300, -1.257), kBlack));
    EXPECT_FALSE(colourNear(Vec3(-1300, 1334.4, -1.257), kBlack));
    // Nor in picking renders.
    pickingRender();
    EXPECT_FALSE(colourNear(Vec3(-41.7 * 31, 1300, -1.257), kBlack));
}

TEST_F(FixedScene, StadiumHasItsBorderAndShowsItsSurroundingsOnRequest) {
    // The surroundings: a quad in world coordinates, in a colour of its own.
    glNewList(lists.name(0), GL_COMPILE);
    glColor3ub(10, 200, 10);
    glBegin(GL_QUADS);
    glVertex3f(-1250, 1250, -20);
    glVertex3f(-1200, 1250, -20);
    glVertex3f(-1200, 1200, -20);
    glVertex3f(-1250, 1200, -20);
    glEnd();
    glEndList();
    const Vec3 inSurroundings(-1225, 1225, -20);

    lookDownAt(Vec3(-1300, 1300, 0), 150);
    view.switches.showStadium = true;
    renderer.renderFrame(true);
    EXPECT_EQ(colourAt(inSurroundings), (Rgb{178, 178, 255}));
    EXPECT_FALSE(colourNear(Vec3(-1334.4, 1300, 0), kBlack));

    ctx.catalog.currentEnvironment = kStadium;
    renderer.renderFrame(true);
    EXPECT_EQ(colourAt(inSurroundings), (Rgb{10, 200, 10}));
    EXPECT_TRUE(colourNear(Vec3(-1334.4, 1300, 0), kBlack));
    EXPECT_TRUE(colourNear(Vec3(-1300, 1334.4, 0), kBlack));

    view.switches.showStadium = false;
    renderer.renderFrame(true);
    EXPECT_EQ(colourAt(inSurroundings), (Rgb{178, 178, 255}));
    EXPECT_TRUE(colourNear(Vec3(-1334.4, 1300, 0), kBlack));
}

} // namespace
