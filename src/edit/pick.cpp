#include "edit/pick.h"

#include <algorithm>
#include <cmath>

#include <string>

#include "edit/block_edits.h"

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

const BlockRecord* pickAt(TrackDocument& document, ViewPort& port, float x, float y, bool adding) {
    const Rgb colour =
        port.pickColourAt(static_cast<int>(std::floor(x)), static_cast<int>(std::floor(y)));

    const HandleAction action = classifyHandleColour(colour);
    if (action.kind != HandleAction::None) {
        // Each handle is its own gesture: its colour names it.
        const std::string gesture = "handle " + std::to_string(colour.r) + " " +
                                    std::to_string(colour.g) + " " + std::to_string(colour.b);
        if (action.kind == HandleAction::Move)
            moveSelection(document, action.dx, action.dy, action.dz, gesture);
        else
            rotateSelectionGroup(document, action.sense, gesture);
        return nullptr;
    }

    // Only a record of the current track counts as a hit, whatever the table holds.
    const BlockRecord* payload = port.blockOfColour(colour);
    const BlockRecord* hit = document.holds(payload) ? payload : nullptr;
    if (!adding) {
        // One change of the selection, not an emptying and a choice heard apart.
        document.setSelection(hit ? std::vector<const BlockRecord*>{hit}
                                  : std::vector<const BlockRecord*>{});
        return hit;
    }
    document.select(hit, true);
    return hit;
}
