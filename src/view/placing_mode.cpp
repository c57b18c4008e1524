#include "view/placing_mode.h"

#include <algorithm>
#include <climits>

#include "catalog/ground_level.h"
#include "edit/area_blocks.h"
#include "view/ghost_overlay.h"
#include "view/view_input.h"
#include "view/view_projection.h"

namespace {

// The cells of a placed block: its box, and the level above its highest cell.
struct BlockCells {
    int loX = INT_MAX, hiX = INT_MIN, loY = INT_MAX, hiY = INT_MIN, top = INT_MIN;
};

BlockCells cellsOf(const CatalogState& catalog, const BlockRecord& record) {
    BlockCells b;
    const int units = footprintUnitCount(catalog, record);
    for (int i = 0; i < units; ++i) {
        if (const std::optional<GridCell> c = footprintCell(catalog, record, i)) {
            b.loX = std::min<int>(b.loX, c->x);
            b.hiX = std::max<int>(b.hiX, c->x);
            b.loY = std::min<int>(b.loY, c->y);
            b.hiY = std::max<int>(b.hiY, c->y);
            b.top = std::max(b.top, c->z + 1);
        }
    }
    return b;
}

} // namespace

PlacingMode::PlacingMode(TrackDocument& document, const CatalogState& catalog,
                         AreaEditor& areaEditor, ViewState& view, FrameRenderer& renderer,
                         ViewPort& port)
    : document_(document), catalog_(catalog), areaEditor_(areaEditor), view_(view),
      renderer_(renderer), port_(port) {
    listener_ = document_.addListener([this](const DocumentChange& change) {
        if (change.cause == DocumentChange::Cause::Selection)
            return;
        occupiedStale_ = true;
        // Another track may be of another environment, whose kinds the group does not name.
        if (change.cause == DocumentChange::Cause::Replaced)
            leave();
        else
            follow();
    });
}

PlacingMode::~PlacingMode() {
    document_.removeListener(listener_);
    renderer_.removeOverlay(overlay_);
}

bool PlacingMode::start(const BlockClipboard& group, std::string what) {
    auto taken = std::make_unique<PlacingGroup>(catalog_, group, document_.track().uid);
    if (taken->empty())
        return false;
    group_ = std::move(taken);
    what_ = std::move(what);
    // The group starts on the land: a cursor level under the ground rises to it.
    const int ground = groundLevel(catalog_.currentEnvironment);
    if (view_.switches.showGround && areaEditor_.level() < ground)
        areaEditor_.setLevel(ground);
    if (overlay_ == 0)
        overlay_ = renderer_.addOverlay([this] { drawGhost(renderer_, catalog_, ghost_, cells_); });
    follow();
    return true;
}

void PlacingMode::leave() {
    if (!active())
        return;
    group_.reset();
    renderer_.removeOverlay(overlay_);
    overlay_ = 0;
    target_.reset();
    ghost_.clear();
    cells_ = {};
    if (changed_)
        changed_();
}

void PlacingMode::aim(float x, float y, int width, int height) {
    lastWidth_ = width;
    lastHeight_ = height;
    const int px = static_cast<int>(x);
    const int py = static_cast<int>(y);
    const PickRay ray = viewRay(view_, px, py, width, height);
    target_ = cellOnLevel(ray, areaEditor_.level());
    // A block standing above the cursor level takes the group on top of it.
    if (const BlockRecord* block = port_.blockOfColour(port_.pickColourAt(px, py))) {
        const BlockCells b = cellsOf(catalog_, *block);
        if (b.top > areaEditor_.level() && b.top < kGridSize * 4) {
            const std::optional<GridCell> onTop = cellOnLevel(ray, b.top);
            GridCell cell{wrap8(b.loX), wrap8(b.loY), wrap8(b.top)};
            if (onTop) {
                cell.x = wrap8(std::clamp<int>(onTop->x, b.loX, b.hiX));
                cell.y = wrap8(std::clamp<int>(onTop->y, b.loY, b.hiY));
            }
            target_ = cell;
        }
    }
}

void PlacingMode::follow() {
    if (!active())
        return;
    if (occupiedStale_) {
        occupied_.rebuild(document_, catalog_);
        occupiedStale_ = false;
    }
    if (target_) {
        ghost_ = group_->at(*target_);
        cells_ = placingCells(catalog_, occupied_, ghost_);
    } else {
        ghost_.clear();
        cells_ = {};
    }
    if (changed_)
        changed_();
}

void PlacingMode::pointAt(float x, float y, int width, int height) {
    if (!active())
        return;
    aim(x, y, width, height);
    follow();
}

void PlacingMode::levelChanged() {
    if (active() && lastWidth_ > 0)
        pointAt(view_.lastPointer.x, view_.lastPointer.y, lastWidth_, lastHeight_);
}

bool PlacingMode::clickAt(float x, float y, int width, int height) {
    pointAt(x, y, width, height);
    if (!active() || !target_)
        return false;
    return putDown(document_, catalog_, ghost_, "Place");
}

void PlacingMode::turn(int sense) {
    if (!active())
        return;
    group_->turn(catalog_, sense);
    follow();
}

void PlacingMode::mirror(MirrorAxis axis) {
    if (!active())
        return;
    group_->mirror(catalog_, axis);
    follow();
}

std::string PlacingMode::status() const {
    if (!active())
        return {};
    std::string text = "Placing " + what_;
    if (!target_)
        return text + ": point at the grid. Escape leaves.";
    text += " at " + std::to_string(target_->x) + ", " + std::to_string(target_->y) + ", " +
            std::to_string(target_->z) + ".";
    const std::string message = placingMessage(cells_);
    return message.empty() ? text : text + " " + message;
}

bool onPlacingKey(PlacingMode& placing, int virtualKey) {
    switch (virtualKey) {
    case kKeyR:
        placing.turn(1);
        return true;
    case kKeyT:
        placing.turn(-1);
        return true;
    case kKeyM:
        placing.mirror(MirrorAxis::X);
        return true;
    case kKeyN:
        placing.mirror(MirrorAxis::Y);
        return true;
    default:
        return false;
    }
}
