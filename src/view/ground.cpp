#include "view/ground.h"

#include <algorithm>
#include <array>

#include <GL/gl.h>

#include "edit/area_blocks.h"
#include "view/texturing_off.h"
#include "view/world_grid.h"

namespace {

struct GroundLook {
    GLubyte r, g, b;
};

// The base colour of each environment's first ground texture in the data pack.
constexpr std::array<GroundLook, kEnvironmentCount> kLooks{{
    {232, 236, 242}, // Alpine: snow
    {160, 160, 152}, // Bay: concrete
    {222, 200, 150}, // Coast: sand
    {70, 150, 65},   // Island: grass
    {75, 130, 50},   // Rally: grass
    {220, 160, 100}, // Speed: desert sand
    {60, 135, 55},   // Stadium: grass
}};

bool isTerrain(const CatalogEntry& entry) {
    return entry.group == "Terrain" || entry.group == "Water";
}

const GroundLook& lookOf(int environment) {
    return kLooks[static_cast<std::size_t>(std::clamp(environment, 0, kEnvironmentCount - 1))];
}

} // namespace

void Ground::findColumns(const TrackDocument& document, const CatalogState& catalog) {
    sizeX_ = kGridSize;
    sizeY_ = kGridSize;
    for (const BlockRecord& record : document.blocks()) {
        sizeX_ = std::max(sizeX_, record.x + 1);
        sizeY_ = std::max(sizeY_, record.y + 1);
    }
    open_.assign(static_cast<std::size_t>(sizeX_ * sizeY_), true);
    for (const BlockRecord& record : document.blocks()) {
        const CatalogEntry* entry = catalogEntry(catalog, record.catalogIndex);
        // Terrain higher up stands on the ground; only terrain at its level or below replaces it.
        if (!entry || !isTerrain(*entry) || record.z > groundLevel(catalog.currentEnvironment))
            continue;
        const int units = footprintUnitCount(catalog, record);
        for (int i = 0; i < units; ++i) {
            const std::optional<GridCell> c = footprintCell(catalog, record, i);
            if (c && c->x >= 0 && c->y >= 0 && c->x < sizeX_ && c->y < sizeY_)
                open_[static_cast<std::size_t>(c->y * sizeX_ + c->x)] = false;
        }
    }
}

void Ground::draw(const TrackDocument& document, const CatalogState& catalog, std::uint64_t serial,
                  std::optional<int> levelLimit) {
    const int environment = catalog.currentEnvironment;
    const GroundLook& look = lookOf(environment);
    const int level = groundLevel(environment);
    if (levelLimit && *levelLimit < level)
        return;
    if (serial_ != serial || environment_ != environment) {
        findColumns(document, catalog);
        serial_ = serial;
        environment_ = environment;
    }
    TexturingOff texturingOff;
    const float z = static_cast<float>(level) * kLevelHeight - kLevelHeight - kLevelOffset;
    glBegin(GL_QUADS);
    for (int y = 0; y < sizeY_; ++y) {
        for (int x = 0; x < sizeX_; ++x) {
            if (!open_[static_cast<std::size_t>(y * sizeX_ + x)])
                continue;
            // Every other cell a shade darker, so that the cells can be counted.
            const int shade = (x + y) % 2 ? 236 : 255;
            glColor3ub(static_cast<GLubyte>(look.r * shade / 255),
                       static_cast<GLubyte>(look.g * shade / 255),
                       static_cast<GLubyte>(look.b * shade / 255));
            const float x0 = -kCellWidth * static_cast<float>(x);
            const float y0 = kCellWidth * static_cast<float>(y);
            glVertex3f(x0, y0, z);
            glVertex3f(x0 - kCellWidth, y0, z);
            glVertex3f(x0 - kCellWidth, y0 + kCellWidth, z);
            glVertex3f(x0, y0 + kCellWidth, z);
        }
    }
    glEnd();
    glColor3ub(255, 255, 255);
}
