#include "view/block_pass.h"

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

} // namespace

void drawBlocks(EditorContext& ctx, const DisplayLists& lists, bool display) {
    if (!display)
        glDisable(GL_TEXTURE_2D);
    for (BlockRecord& record : ctx.currentTrack.blocks) {
        const Vec3 anchor = blockAnchor(record, ctx.catalog);
        if (ctx.viewChanged) {
            record.flags &= ~BLOCK_IN_VIEW;
            if (isBlockInView(anchor, ctx.viewCamera, ctx.viewAspect))
                record.flags |= BLOCK_IN_VIEW;
        }
        if (!(record.flags & BLOCK_IN_VIEW) || (record.flags & BLOCK_HIDDEN))
            continue;

        const bool selected = record.flags & BLOCK_SELECTED;
        glPushMatrix();
        glTranslatef(static_cast<float>(anchor.x), static_cast<float>(anchor.y),
                     static_cast<float>(anchor.z));
        if (selected && ctx.showMoveGizmo)
            drawMoveGizmo();
        glRotatef(-90.0f * drawnRotation(record), 0, 0, 1);
        const Rgb colour =
            display ? displayTint(selected, isWithinBounds(record, ctx.catalog))
                    : ctx.pickTable.assignPickColour(reinterpret_cast<std::uintptr_t>(&record));
        glColor3ub(colour.r, colour.g, colour.b);
        glCallList(lists.name(record.modelList));
        glPopMatrix();
    }
    ctx.viewChanged = false;
    if (ctx.showRotateGizmo)
        drawRotateGizmo(ctx.selection);
    if (!display)
        glEnable(GL_TEXTURE_2D);
}
