#include "view/block_placement.h"

#include <cmath>

#include "view/world_grid.h"

namespace {

struct HalfSizes {
    float x = 0;
    float y = 0;
    float maxHeight = 0;
};

// A block without a catalogue entry counts as one cell wide and flat.
HalfSizes halfSizes(const BlockRecord& record, const CatalogState& catalog) {
    HalfSizes h;
    if (const CatalogEntry* entry = catalogEntry(catalog, record.catalogIndex)) {
        h.x = entry->halfSizeX;
        h.y = entry->halfSizeY;
        h.maxHeight = entry->maxHeight;
    }
    if (drawnRotation(record) & 1) {
        float swap = h.x;
        h.x = h.y;
        h.y = swap;
    }
    return h;
}

} // namespace

Vec3 blockAnchor(const BlockRecord& record, const CatalogState& catalog) {
    HalfSizes h = halfSizes(record, catalog);
    const double cell = kCellWidth;
    const double halfCell = kHalfCell;
    return Vec3(-(record.x + static_cast<double>(h.x)) * cell - halfCell,
                (record.y + static_cast<double>(h.y)) * cell + halfCell,
                record.z * static_cast<double>(kLevelHeight) - kHalfLevel - kLevelOffset);
}

Box3 blockBox(const BlockRecord& record, const CatalogState& catalog, const Box3& modelBounds) {
    const HalfSizes h = halfSizes(record, catalog);
    const Vec3 anchor = blockAnchor(record, catalog);
    const double halfX = (h.x + 0.5) * static_cast<double>(kCellWidth);
    const double halfY = (h.y + 0.5) * static_cast<double>(kCellWidth);
    const double bottom = anchor.z - kHalfLevel;
    Box3 box;
    box.add(Vec3(anchor.x - halfX, anchor.y - halfY, bottom));
    box.add(Vec3(anchor.x + halfX, anchor.y + halfY, bottom + (h.maxHeight + 1) * kLevelHeight));
    if (modelBounds.empty())
        return box;
    // The model is turned by -90 degrees per quarter turn about Z, then placed at the anchor.
    const int turns = drawnRotation(record);
    for (int c = 0; c < 8; ++c) {
        Vec3 p = modelBounds.corner(c);
        for (int t = 0; t < turns; ++t)
            p = Vec3(p.y, -p.x, p.z);
        box.add(anchor + p);
    }
    return box;
}

bool isWithinBounds(const BlockRecord& record, const CatalogState& catalog) {
    if (catalog.currentEnvironment != kStadium)
        return true;
    HalfSizes h = halfSizes(record, catalog);
    const int spanX = static_cast<int>(std::trunc(2 * h.x));
    const int spanY = static_cast<int>(std::trunc(2 * h.y));
    return record.x >= 0 && record.x + spanX < 32 && record.y >= 0 && record.y + spanY < 32 &&
           record.z >= 1 && record.z + h.maxHeight < 32.0f;
}
