#define GL_GLEXT_PROTOTYPES 1
#include "view/chunk_geometry.h"

#include <GL/glext.h>

void TextureBatches::add(const PlacedTriangle& triangle, std::size_t part) {
    // A chunk holds a few dozen textures: a linear search beats hashing.
    auto group = groups_.begin();
    while (group != groups_.end() &&
           (group->texture != triangle.texture || !(group->colour == triangle.colour)))
        ++group;
    if (group == groups_.end())
        group = groups_.insert(group, {triangle.texture, triangle.colour, {}, {}});
    if (group->pieces.empty() || group->pieces.back().part != part)
        group->pieces.push_back({part, static_cast<GLint>(group->vertices.size()), 0});
    group->pieces.back().count += 3;
    group->vertices.insert(group->vertices.end(), triangle.vertices, triangle.vertices + 3);
}

void TextureBatches::take(std::vector<PlacedVertex>& vertices, std::vector<TextureRun>& runs) {
    vertices.clear();
    runs.clear();
    std::size_t total = 0;
    for (const Group& group : groups_)
        total += group.vertices.size();
    vertices.reserve(total);
    for (Group& group : groups_) {
        const auto first = static_cast<GLint>(vertices.size());
        for (PartPiece& piece : group.pieces)
            piece.first += first;
        runs.push_back({group.texture, group.colour, first,
                        static_cast<GLsizei>(group.vertices.size()), std::move(group.pieces)});
        vertices.insert(vertices.end(), group.vertices.begin(), group.vertices.end());
    }
    groups_.clear();
}

void placeModel(const ModelMesh& mesh, int quarterTurns, const Vec3& anchor, Rgb colour,
                std::vector<PlacedTriangle>& out) {
    const float ax = static_cast<float>(anchor.x), ay = static_cast<float>(anchor.y),
                az = static_cast<float>(anchor.z);
    const int turns = quarterTurns & 3;
    for (const ModelTriangle& triangle : mesh.triangles) {
        PlacedTriangle& placed = out.emplace_back();
        placed.texture = mesh.textureOf(triangle);
        placed.colour = colour;
        for (int k = 0; k < 3; ++k) {
            const ModelVertex& v = triangle.vertices[k];
            // A quarter turn takes (x, y) to (y, -x).
            float x = v.x, y = v.y;
            for (int t = 0; t < turns; ++t) {
                const float turned = y;
                y = -x;
                x = turned;
            }
            placed.vertices[k] = {ax + x, ay + y, az + v.z, v.u, v.v};
        }
    }
}

void drawRuns(const PlacedVertex* base, const std::vector<TextureRun>& runs,
              const std::vector<char>* parts) {
    const char* bytes = reinterpret_cast<const char*>(base);
    glEnableClientState(GL_VERTEX_ARRAY);
    glEnableClientState(GL_TEXTURE_COORD_ARRAY);
    glVertexPointer(3, GL_FLOAT, sizeof(PlacedVertex), bytes + offsetof(PlacedVertex, x));
    glTexCoordPointer(2, GL_FLOAT, sizeof(PlacedVertex), bytes + offsetof(PlacedVertex, u));
    std::vector<GLint> firsts;
    std::vector<GLsizei> counts;
    for (const TextureRun& run : runs) {
        // The pieces drawn, neighbours merged: the whole run when every part is drawn.
        firsts.clear();
        counts.clear();
        for (const PartPiece& piece : run.pieces) {
            if (parts && !(*parts)[piece.part])
                continue;
            if (!counts.empty() && firsts.back() + counts.back() == piece.first) {
                counts.back() += piece.count;
            } else {
                firsts.push_back(piece.first);
                counts.push_back(piece.count);
            }
        }
        if (counts.empty())
            continue;
        glColor3ub(run.colour.r, run.colour.g, run.colour.b);
        glBindTexture(GL_TEXTURE_2D, run.texture);
        glMultiDrawArrays(GL_TRIANGLES, firsts.data(), counts.data(),
                          static_cast<GLsizei>(counts.size()));
    }
    glDisableClientState(GL_TEXTURE_COORD_ARRAY);
    glDisableClientState(GL_VERTEX_ARRAY);
    glColor3ub(255, 255, 255);
}
