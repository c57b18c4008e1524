#include <cmath>
#include <map>

#include "view_scene.h"

#include "view/area_overlays.h"

namespace {

struct WorldPoint {
    double x, y, z;
};

// What one overlay draws, caught with GL feedback under a projection that maps world X -200..0,
// Y 0..200 and Z -100..100 straight onto the window, so every vertex maps back to the world.
struct Drawn {
    std::vector<std::vector<WorldPoint>> polygons;
    std::vector<std::pair<WorldPoint, WorldPoint>> lines;
};

template <typename Draw> Drawn capture(Draw draw) {
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(-200, 0, 0, 200, -100, 100);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    std::vector<GLfloat> buffer(1 << 16);
    glFeedbackBuffer(static_cast<GLsizei>(buffer.size()), GL_3D, buffer.data());
    glRenderMode(GL_FEEDBACK);
    draw();
    const GLint n = glRenderMode(GL_RENDER);

    auto world = [&](GLint at) {
        return WorldPoint{buffer[at] / 584.0 * 200 - 200, buffer[at + 1] / 571.0 * 200,
                          100 * (1 - 2 * buffer[at + 2])};
    };
    Drawn d;
    for (GLint i = 0; i < n;) {
        const auto token = static_cast<GLint>(buffer[i++]);
        if (token == GL_POLYGON_TOKEN) {
            const auto count = static_cast<GLint>(buffer[i++]);
            std::vector<WorldPoint> polygon;
            for (GLint v = 0; v < count; ++v, i += 3)
                polygon.push_back(world(i));
            d.polygons.push_back(polygon);
        } else if (token == GL_LINE_TOKEN || token == GL_LINE_RESET_TOKEN) {
            d.lines.emplace_back(world(i), world(i + 3));
            i += 6;
        } else {
            ADD_FAILURE() << "unexpected feedback token " << token;
            break;
        }
    }
    return d;
}

// The face a polygon lies on, as the axis (0 x, 1 y, 2 z) and rounded value of its constant
// coordinate, with its area; or axis -1 when it lies on no axis plane.
struct FaceOf {
    int axis = -1;
    long plane = 0;
    double area = 0;
};

FaceOf faceOf(const std::vector<WorldPoint>& p) {
    auto coord = [](const WorldPoint& w, int axis) {
        return axis == 0 ? w.x : axis == 1 ? w.y : w.z;
    };
    for (int axis = 0; axis < 3; ++axis) {
        bool flat = true;
        for (const WorldPoint& w : p)
            flat = flat && std::abs(coord(w, axis) - coord(p[0], axis)) < 1e-2;
        if (!flat)
            continue;
        const int u = (axis + 1) % 3, v = (axis + 2) % 3;
        double twice = 0;
        for (std::size_t i = 0; i < p.size(); ++i) {
            const WorldPoint& a = p[i];
            const WorldPoint& b = p[(i + 1) % p.size()];
            twice += coord(a, u) * coord(b, v) - coord(b, u) * coord(a, v);
        }
        return {axis, std::lround(coord(p[0], axis) * 100), std::abs(twice) / 2};
    }
    return {};
}

double length(const std::pair<WorldPoint, WorldPoint>& l) {
    return std::hypot(l.first.x - l.second.x, l.first.y - l.second.y, l.first.z - l.second.z);
}

AreaCell fullCell(int x, int y, int z) {
    AreaCell c;
    c.cell = {static_cast<std::int8_t>(x), static_cast<std::int8_t>(y),
              static_cast<std::int8_t>(z)};
    for (bool* flag :
         {&c.openTop, &c.openBottom, &c.openXMinus, &c.openXPlus, &c.openYMinus, &c.openYPlus,
          &c.edgeBottomYMinus, &c.edgeBottomXPlus, &c.edgeBottomYPlus, &c.edgeBottomXMinus,
          &c.edgeXMinusYMinus, &c.edgeXPlusYMinus, &c.edgeXMinusYPlus, &c.edgeXPlusYPlus,
          &c.edgeTopYMinus, &c.edgeTopXPlus, &c.edgeTopYPlus, &c.edgeTopXMinus})
        *flag = true;
    return c;
}

using AreaOverlay = ViewScene;

TEST_F(AreaOverlay, OneCellDrawsAllSixFacesAndTwelveEdges) {
    Area area;
    area.cells.push_back(fullCell(1, 2, 3));
    Drawn d = capture([&] { drawAreaOverlay(area); });

    // Cell (1, 2, 3): X from -83.4 to -41.7, Y from 83.4 to 125.1, Z 18.943 to 29.043.
    std::map<std::pair<int, long>, double> faces;
    for (const auto& p : d.polygons) {
        FaceOf f = faceOf(p);
        ASSERT_GE(f.axis, 0);
        faces[{f.axis, f.plane}] += f.area;
    }
    const double side = 41.7 * 10.1, flat = 41.7 * 41.7;
    const std::map<std::pair<int, long>, double> expected = {{{0, -8340}, side}, {{0, -4170}, side},
                                                             {{1, 8340}, side},  {{1, 12510}, side},
                                                             {{2, 1894}, flat},  {{2, 2904}, flat}};
    ASSERT_EQ(faces.size(), 6u);
    for (const auto& [key, area] : expected) {
        ASSERT_TRUE(faces.count(key)) << key.first << " " << key.second;
        EXPECT_NEAR(faces[key], area, 0.5) << key.first << " " << key.second;
    }

    ASSERT_EQ(d.lines.size(), 12u);
    double total = 0;
    for (const auto& l : d.lines)
        total += length(l);
    EXPECT_NEAR(total, 8 * 41.7 + 4 * 10.1, 0.05);
    // Blending is left off and the outline green stays the current colour.
    EXPECT_FALSE(glIsEnabled(GL_BLEND));
    GLfloat colour[4];
    glGetFloatv(GL_CURRENT_COLOR, colour);
    EXPECT_FLOAT_EQ(colour[1] * 255, 192);
}

TEST_F(AreaOverlay, OnlyTheFlaggedFacesAndEdgesAreDrawn) {
    AreaCell c;
    c.cell = {1, 2, 3};
    c.openXPlus = true;
    c.edgeBottomXPlus = true;
    Area area;
    area.cells.push_back(c);
    Drawn d = capture([&] { drawAreaOverlay(area); });

    // The high-x face lies toward -X.
    double faceArea = 0;
    for (const auto& p : d.polygons) {
        FaceOf f = faceOf(p);
        EXPECT_EQ(f.axis, 0);
        EXPECT_EQ(f.plane, -8340);
        faceArea += f.area;
    }
    EXPECT_NEAR(faceArea, 41.7 * 10.1, 0.5);
    // The bottom edge on that side, running along y.
    ASSERT_EQ(d.lines.size(), 1u);
    const auto& [a, b] = d.lines[0];
    EXPECT_NEAR(a.x, -83.4, 0.01);
    EXPECT_NEAR(b.x, -83.4, 0.01);
    EXPECT_NEAR(a.z, 18.943, 0.01);
    EXPECT_NEAR(b.z, 18.943, 0.01);
    EXPECT_NEAR(std::abs(a.y - b.y), 41.7, 0.01);
}

TEST_F(AreaOverlay, OverlayAndCursorAreDrawnInDisplayRendersOnly) {
    ctx.areaEditor.setCursor({6, 6});
    ASSERT_TRUE(ctx.areaEditor.clickAtCursor(false));
    ASSERT_EQ(ctx.areaEditor.level(), 1);
    const Vec3 top(-(6 * 41.7 + 20.85), 6 * 41.7 + 20.85, 10.1 - 1.257);
    lookDownAt(top, 200);
    renderer.renderFrame(true);
    // Translucent green added onto the background.
    Rgb seen = colourAt(top);
    EXPECT_EQ(seen.r, 178);
    EXPECT_GT(seen.g, 240);
    pickingRender();
    EXPECT_EQ(colourAt(top), (Rgb{178, 178, 255}));
}

TEST_F(AreaOverlay, CursorBoxIsFilledEvenInWireframeAndLeavesPolygonsFilled) {
    view.switches.solidFill = false;
    const Vec3 floor(-(4 * 41.7 + 20.85), 5 * 41.7 + 20.85, 2 * 10.1 - 5.05 - 1.257 - 5.05);
    lookDownAt(floor, 200);
    ctx.areaEditor.setLevel(2);
    ctx.areaEditor.setEditing(true);
    Pixel px = pixelOf(floor);
    view.lastPointer = {static_cast<float>(px.x), static_cast<float>(px.y)};
    renderer.renderFrame(true);
    EXPECT_EQ(ctx.areaEditor.cursor().x, 4);
    EXPECT_EQ(ctx.areaEditor.cursor().y, 5);
    Rgb seen = colourAt(floor + Vec3(0, 0, 10.1));
    EXPECT_EQ(seen.r, 178);
    EXPECT_GT(seen.g, 240);
    GLint mode[2];
    glGetIntegerv(GL_POLYGON_MODE, mode);
    EXPECT_EQ(mode[0], GL_FILL);
    EXPECT_EQ(mode[1], GL_FILL);
}

} // namespace
