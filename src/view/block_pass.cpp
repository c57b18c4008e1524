#include "view/block_pass.h"

#include <algorithm>
#include <tuple>
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

// Blocks are drawn by bands of distance from the eye, nearest band first; within a band, blocks
// of one model follow each other, since llvmpipe copies its fragment state at every change of
// texture. Measured on the large sample and a real track, 300 units (about seven cells) did
// better than both pure distance order and bands of 100 or 1000.
constexpr double kDepthBand = 300;

void sortNearestFirst(std::vector<Placed>& drawn, const Vec3& eye) {
    struct Key {
        long band;
        std::int32_t model;
        double distance;
        std::size_t index;
        bool operator<(const Key& b) const {
            return std::tie(band, model, distance, index) <
                   std::tie(b.band, b.model, b.distance, b.index);
        }
    };
    std::vector<Key> keys(drawn.size());
    for (std::size_t i = 0; i < drawn.size(); ++i) {
        const double distance = (drawn[i].anchor - eye).length();
        keys[i] = {static_cast<long>(distance / kDepthBand), drawn[i].record->modelList, distance,
                   i};
    }
    std::sort(keys.begin(), keys.end());
    std::vector<Placed> sorted;
    sorted.reserve(drawn.size());
    for (const Key& key : keys)
        sorted.push_back(drawn[key.index]);
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
