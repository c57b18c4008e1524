#include "edit/pick.h"

#include <algorithm>
#include <cmath>

#include "edit/block_edits.h"
#include "edit/block_list_index.h"
#include "edit/seam_calls.h"
#include "edit/selection_ops.h"

namespace {

int handleSign(std::uint8_t value) {
    return value == 255 ? 1 : -1;
}
bool isHandleValue(std::uint8_t value) {
    return value == 255 || value == 254;
}

} // namespace

HandleAction classifyHandleColour(Rgb c) {
    HandleAction action;
    if (isHandleValue(c.r) && c.g == 0 && c.b == 0) {
        action.kind = HandleAction::Move;
        action.dx = handleSign(c.r);
    } else if (c.r == 0 && isHandleValue(c.g) && c.b == 0) {
        action.kind = HandleAction::Move;
        action.dy = handleSign(c.g);
    } else if (c.r == 0 && c.g == 0 && isHandleValue(c.b)) {
        action.kind = HandleAction::Move;
        action.dz = handleSign(c.b);
    } else if (c.r == c.b && c.g == 0 && isHandleValue(c.b)) {
        action.kind = HandleAction::Rotate;
        action.sense = -handleSign(c.b);
    }
    return action;
}

BlockRecord* pickAt(EditorContext& ctx, float x, float y) {
    if (!ctx.viewPort)
        return nullptr;
    ctx.pickTable.resetPickTable(static_cast<int>(ctx.currentTrack.blocks.size()));
    Rgb colour = ctx.viewPort->pickColourAt(static_cast<int>(std::floor(x)),
                                            static_cast<int>(std::floor(y)));

    HandleAction action = classifyHandleColour(colour);
    if (action.kind != HandleAction::None) {
        if (action.kind == HandleAction::Move)
            moveSelection(ctx, action.dx, action.dy, action.dz);
        else
            rotateSelectionGroup(ctx, action.sense);
        displayFrame(ctx);
        return nullptr;
    }

    // Only a record of the current track counts as a hit, whatever the table holds.
    auto payload = reinterpret_cast<const BlockRecord*>(ctx.pickTable.findPickColour(colour));
    const BlockListIndex::Place* place = findBlockPlace(ctx, payload);
    BlockRecord* hit = place ? &*place->node : nullptr;
    if (!ctx.fKeyDown)
        clearSelection(ctx);
    selectBlock(ctx, hit, true);
    displayFrame(ctx);
    return hit;
}
