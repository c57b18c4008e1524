#include "fixed_models.h"

#include "grid_units.h"

namespace {

constexpr double kGrid = 32;

// Quarter turns of a rectangle given for the side along y = 0 (outside at y < 0) so that the
// same code builds all four sides of the square grid.
struct Rect {
    double x0, y0, x1, y1;
};

Rect turn(Rect r, int side) {
    auto point = [&](double x, double y) -> std::pair<double, double> {
        switch (side) {
        case 1:
            return {kGrid - y, x};
        case 2:
            return {kGrid - x, kGrid - y};
        case 3:
            return {y, kGrid - x};
        default:
            return {x, y};
        }
    };
    auto [ax, ay] = point(r.x0, r.y0);
    auto [bx, by] = point(r.x1, r.y1);
    return {std::min(ax, bx), std::min(ay, by), std::max(ax, bx), std::max(ay, by)};
}

} // namespace

MeshBuilder buildFallbackMesh() {
    MeshBuilder mesh = MeshBuilder::forBlock(0, 0);
    std::uint16_t texture = mesh.texture(kUnknownTexture);
    mesh.box(texture, texture, 0.1, 0.1, 0, 0.9, 0.9, 3.3, true);
    return mesh;
}

MeshBuilder buildStadiumMesh() {
    // Grid coordinates in cells, heights in levels above the ground of the track (level 1).
    MeshBuilder mesh({0, 0, -kLevelOffset}, {-kCellSize, kCellSize, kLevelHeight});
    const std::uint16_t field = mesh.texture(kStadiumFieldTexture);
    const std::uint16_t wall = mesh.texture(kStadiumWallTexture);
    const std::uint16_t seats = mesh.texture(kStadiumSeatsTexture);
    const std::uint16_t roof = mesh.texture(kStadiumRoofTexture);

    const double below = -0.03;
    mesh.quad(field, {0, 0, below, 0, 0}, {kGrid, 0, below, kGrid, 0},
              {kGrid, kGrid, below, kGrid, kGrid}, {0, kGrid, below, 0, kGrid});
    const int tiers = 8;
    for (int side = 0; side < 4; ++side) {
        Rect border = turn({-0.4, -0.4, kGrid + 0.4, 0}, side);
        mesh.box(wall, wall, border.x0, border.y0, below, border.x1, border.y1, 1.2);
        for (int tier = 0; tier < tiers; ++tier) {
            const double depth = 1.0, out = 1.0 + tier * depth;
            Rect step = turn({-out, -out - depth, kGrid + out, -out}, side);
            mesh.box(seats, wall, step.x0, step.y0, below, step.x1, step.y1, 1.5 + 1.2 * tier);
        }
        // The roof over the upper tiers, on posts at its outer edge.
        const double outer = 1.0 + tiers, inner = outer - 4, top = 1.5 + 1.2 * tiers + 3;
        Rect cover = turn({-outer, -outer, kGrid + outer, -inner}, side);
        mesh.box(roof, roof, cover.x0, cover.y0, top, cover.x1, cover.y1, top + 0.4, true);
        for (int post = 0; post <= 4; ++post) {
            double along = -outer + (kGrid + 2 * outer) * post / 4.0;
            Rect pillar = turn({along - 0.2, -outer - 0.4, along + 0.2, -outer}, side);
            mesh.box(wall, wall, pillar.x0, pillar.y0, below, pillar.x1, pillar.y1, top);
        }
    }
    return mesh;
}
