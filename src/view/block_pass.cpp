#include "view/block_pass.h"

#include <algorithm>
#include <utility>
#include <vector>

#include <GL/gl.h>

#include "view/block_placement.h"
#include "view/gizmos.h"
#include "view/view_pyramid.h"

namespace {

// Selected blocks are tinted red, blocks outside the Stadium's bounds blue; the tint multiplies
// the model's textures.
Rgb displayTint(bool selected, bool withinBounds) {
    if (selected)
        return withinBounds ? Rgb{255, 170, 170} : Rgb{255, 170, 255};
    return withinBounds ? Rgb{255, 255, 255} : Rgb{170, 170, 255};
}

// Grows boxes against rounding: a pixel's ray may graze a face.
constexpr double kRayMargin = 1.0;

struct Placed {
    BlockRecord* record;
    Vec3 anchor;
};

std::vector<Placed> blocksToDraw(EditorContext& ctx) {
    std::vector<Placed> drawn;
    drawn.reserve(ctx.currentTrack.blocks.size());
    for (BlockRecord& record : ctx.currentTrack.blocks)
        if ((record.flags & BLOCK_IN_VIEW) && !(record.flags & BLOCK_HIDDEN))
            drawn.push_back({&record, blockAnchor(record, ctx.catalog)});
    return drawn;
}

void sortNearestFirst(std::vector<Placed>& drawn, const Vec3& eye) {
    std::vector<std::pair<double, std::size_t>> keys(drawn.size());
    for (std::size_t i = 0; i < drawn.size(); ++i) {
        const Vec3 d = drawn[i].anchor - eye;
        keys[i] = {d.x * d.x + d.y * d.y + d.z * d.z, i};
    }
    std::sort(keys.begin(), keys.end());
    std::vector<Placed> sorted;
    sorted.reserve(drawn.size());
    for (const auto& key : keys)
        sorted.push_back(drawn[key.second]);
    drawn = std::move(sorted);
}

void atAnchor(const Vec3& anchor) {
    glTranslatef(static_cast<float>(anchor.x), static_cast<float>(anchor.y),
                 static_cast<float>(anchor.z));
}

} // namespace

void updateBlocksInView(EditorContext& ctx, const DisplayLists& lists) {
    for (BlockRecord& record : ctx.currentTrack.blocks) {
        record.flags &= ~BLOCK_IN_VIEW;
        const Box3 box = blockBox(record, ctx.catalog, lists.bounds(record.modelList));
        if (isBoxInView(box, ctx.viewCamera, ctx.viewAspect))
            record.flags |= BLOCK_IN_VIEW;
    }
}

void drawBlocks(EditorContext& ctx, const DisplayLists& lists, bool display, bool frontToBack,
                const std::optional<PickRay>& ray) {
    std::vector<Placed> drawn = blocksToDraw(ctx);
    // Picking colours are handed out in list order whatever the drawing order.
    if (display && frontToBack)
        sortNearestFirst(drawn, ctx.viewCamera.position);

    if (!display)
        glDisable(GL_TEXTURE_2D);
    for (const Placed& placed : drawn) {
        BlockRecord& record = *placed.record;
        const bool selected = record.flags & BLOCK_SELECTED;
        const Rgb colour =
            display ? displayTint(selected, isWithinBounds(record, ctx.catalog))
                    : ctx.pickTable.assignPickColour(reinterpret_cast<std::uintptr_t>(&record));
        const Box3& bounds = lists.bounds(record.modelList);
        const bool missed = ray && !bounds.empty() &&
                            !rayHitsBox(ray->origin, ray->direction,
                                        blockBox(record, ctx.catalog, bounds), kRayMargin);
        glPushMatrix();
        atAnchor(placed.anchor);
        if (selected && ctx.showMoveGizmo)
            drawMoveGizmo();
        if (!missed) {
            glRotatef(-90.0f * drawnRotation(record), 0, 0, 1);
            glColor3ub(colour.r, colour.g, colour.b);
            glCallList(lists.name(record.modelList));
        }
        glPopMatrix();
    }
    if (ctx.showRotateGizmo)
        drawRotateGizmo(ctx.selection);
    if (!display)
        glEnable(GL_TEXTURE_2D);
}
