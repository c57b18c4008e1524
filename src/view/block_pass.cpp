#include "view/block_pass.h"

#include <algorithm>
#include <tuple>
#include <utility>
#include <vector>

#include <GL/gl.h>

#include "view/block_placement.h"
#include "view/chunk_geometry.h"
#include "view/draw_throttle.h"
#include "view/gizmos.h"
#include "view/view_pyramid.h"

namespace {

// Selected blocks are tinted red, blocks outside the Stadium's bounds blue.
Rgb boundsTint(bool selected, bool withinBounds) {
    if (selected)
        return withinBounds ? Rgb{255, 170, 170} : Rgb{255, 170, 255};
    return withinBounds ? Rgb{255, 255, 255} : Rgb{170, 170, 255};
}

// Grows boxes against rounding: a pixel's ray may graze a face.
constexpr double kRayMargin = 1.0;

struct Placed {
    const BlockRecord* record;
    std::int32_t model;
    Vec3 anchor;
};

// The blocks the pass draws: with chunks, only those without triangles and those with a gizmo.
std::vector<Placed> blocksToDraw(const BlockScene& scene, BlockDrawing drawing, bool gizmos) {
    std::vector<Placed> drawn;
    for (const BlockTable::Entry& entry : scene.table.entries()) {
        if (drawing == BlockDrawing::Chunks && scene.lists.mesh(entry.model) &&
            !(gizmos && Selection::contains(*entry.record)))
            continue;
        if (isDrawn(scene, entry))
            drawn.push_back({entry.record, entry.model, blockAnchor(*entry.record, scene.catalog)});
    }
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
        keys[i] = {static_cast<long>(distance / kDepthBand), drawn[i].model, distance, i};
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

// The block's model, turned by its rotation about the anchor already set, in one colour.
void drawModel(const Placed& placed, const DisplayLists& lists, Rgb colour) {
    glRotatef(-90.0f * drawnRotation(*placed.record), 0, 0, 1);
    glColor3ub(colour.r, colour.g, colour.b);
    glCallList(lists.name(placed.model));
}

// The block's triangles placed in the world, drawn from client memory.
void drawPlaced(const Placed& placed, const ModelMesh& mesh, Rgb colour) {
    std::vector<PlacedTriangle> triangles;
    placeModel(mesh, drawnRotation(*placed.record), placed.anchor, colour, triangles);
    TextureBatches batches;
    for (const PlacedTriangle& triangle : triangles)
        batches.add(triangle);
    std::vector<PlacedVertex> vertices;
    std::vector<TextureRun> runs;
    batches.take(vertices, runs);
    drawRuns(vertices.data(), runs);
}

} // namespace

bool isShown(const BlockScene& scene, const BlockRecord& record) {
    return !(record.flags & BLOCK_HIDDEN) && !(scene.levelLimit && record.z > *scene.levelLimit);
}

bool isDrawn(const BlockScene& scene, const BlockTable::Entry& entry) {
    return entry.inView && isShown(scene, *entry.record);
}

Rgb displayTint(const BlockScene& scene, const BlockRecord& record) {
    const bool selected = Selection::contains(record);
    if (!selected && scene.tints)
        if (const auto it = scene.tints->colours.find(&record); it != scene.tints->colours.end())
            return it->second;
    return boundsTint(selected, isWithinBounds(record, scene.catalog));
}

void drawBlocks(const BlockScene& scene, PickTable& pickTable, const Selection& selection,
                const ViewSwitches& switches, bool display, BlockDrawing drawing,
                const std::optional<Vec3>& eye, const std::optional<PickRay>& ray) {
    if (!display)
        drawing = BlockDrawing::Lists;
    std::vector<Placed> drawn = blocksToDraw(scene, drawing, switches.showMoveGizmo);
    // Picking colours are handed out in list order whatever the drawing order.
    if (display && eye && drawing == BlockDrawing::Lists)
        sortNearestFirst(drawn, *eye);

    if (!display)
        glDisable(GL_TEXTURE_2D);
    DrawThrottle throttle;
    for (const Placed& placed : drawn) {
        const BlockRecord& record = *placed.record;
        const bool selected = Selection::contains(record);
        const Rgb colour =
            display ? displayTint(scene, record)
                    : pickTable.assignPickColour(reinterpret_cast<std::uintptr_t>(&record));
        const Box3& bounds = scene.lists.bounds(placed.model);
        const bool missed = ray && !bounds.empty() &&
                            !rayHitsBox(ray->origin, ray->direction,
                                        blockBox(record, scene.catalog, bounds), kRayMargin);
        const ModelMesh* mesh =
            drawing == BlockDrawing::Lists ? nullptr : scene.lists.mesh(placed.model);
        if (mesh && drawing == BlockDrawing::Placed)
            drawPlaced(placed, *mesh, colour);
        if (!mesh || (selected && switches.showMoveGizmo)) {
            glPushMatrix();
            atAnchor(placed.anchor);
            if (selected && switches.showMoveGizmo)
                drawMoveGizmo();
            if (!mesh && !missed)
                drawModel(placed, scene.lists, colour);
            glPopMatrix();
        }
        if (!missed)
            if (const ModelMesh* drawnMesh = scene.lists.mesh(placed.model))
                throttle.drew(drawnMesh->triangles.size());
    }
    if (switches.showRotateGizmo)
        drawRotateGizmo(selection);
    if (!display)
        glEnable(GL_TEXTURE_2D);
}

void redrawTints(const BlockScene& scene, const std::vector<const BlockRecord*>& records,
                 BlockDrawing drawing) {
    // The same geometry gives the same depths, so a block's fragments pass exactly where it
    // showed before; where another block is nearer they fail, as they did.
    // In list order, as the frame drew them, whatever order their changes came in.
    std::vector<const BlockTable::Entry*> entries;
    for (const BlockRecord* record : records)
        if (const BlockTable::Entry* entry = scene.table.entryOf(record);
            entry && isDrawn(scene, *entry))
            entries.push_back(entry);
    std::sort(entries.begin(), entries.end());
    glDepthFunc(GL_LEQUAL);
    for (const BlockTable::Entry* entry : entries) {
        const BlockRecord* record = entry->record;
        const Placed placed{record, entry->model, blockAnchor(*record, scene.catalog)};
        const Rgb colour = displayTint(scene, *record);
        if (const ModelMesh* mesh = scene.lists.mesh(entry->model);
            mesh && drawing != BlockDrawing::Lists) {
            drawPlaced(placed, *mesh, colour);
            continue;
        }
        glPushMatrix();
        atAnchor(placed.anchor);
        drawModel(placed, scene.lists, colour);
        glPopMatrix();
    }
    glDepthFunc(GL_LESS);
}
