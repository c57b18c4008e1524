#include "view/ground.h"

#include <algorithm>

#include <GL/gl.h>

#include "edit/area_blocks.h"
#include "view/texturing_off.h"
#include "view/world_grid.h"

namespace {

// Until the data pack's ground is known: a plain grey.
constexpr Rgb kUnknownGround{150, 150, 150};

bool isTerrain(const CatalogEntry& entry) {
    return entry.group == "Terrain" || entry.group == "Water";
}

} // namespace

void Ground::setColour(int environment, Rgb colour) {
    if (environment >= 0 && environment < kEnvironmentCount)
        colours_[static_cast<std::size_t>(environment)] = colour;
}

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
    const Rgb look = environment >= 0 && environment < kEnvironmentCount
                         ? colours_[static_cast<std::size_t>(environment)].value_or(kUnknownGround)
                         : kUnknownGround;
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
