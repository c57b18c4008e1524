#include "view/chunk_geometry.h"

void TextureBatches::add(const PlacedTriangle& triangle) {
    // A chunk holds a few dozen textures: a linear search beats hashing.
    auto group = groups_.begin();
    while (group != groups_.end() &&
           (group->texture != triangle.texture || !(group->colour == triangle.colour)))
        ++group;
    if (group == groups_.end())
        group = groups_.insert(group, {triangle.texture, triangle.colour, {}});
    group->vertices.insert(group->vertices.end(), triangle.vertices, triangle.vertices + 3);
}

void TextureBatches::take(std::vector<PlacedVertex>& vertices, std::vector<TextureRun>& runs) {
    vertices.clear();
    runs.clear();
    std::size_t total = 0;
    for (const Group& group : groups_)
        total += group.vertices.size();
    vertices.reserve(total);
    for (const Group& group : groups_) {
        runs.push_back({group.texture, group.colour, static_cast<GLint>(vertices.size()),
                        static_cast<GLsizei>(group.vertices.size())});
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

void drawRuns(const PlacedVertex* base, const std::vector<TextureRun>& runs) {
    const char* bytes = reinterpret_cast<const char*>(base);
    glEnableClientState(GL_VERTEX_ARRAY);
    glEnableClientState(GL_TEXTURE_COORD_ARRAY);
    glVertexPointer(3, GL_FLOAT, sizeof(PlacedVertex), bytes + offsetof(PlacedVertex, x));
    glTexCoordPointer(2, GL_FLOAT, sizeof(PlacedVertex), bytes + offsetof(PlacedVertex, u));
    for (const TextureRun& run : runs) {
        glColor3ub(run.colour.r, run.colour.g, run.colour.b);
        glBindTexture(GL_TEXTURE_2D, run.texture);
        glDrawArrays(GL_TRIANGLES, run.first, run.count);
    }
    glDisableClientState(GL_TEXTURE_COORD_ARRAY);
    glDisableClientState(GL_VERTEX_ARRAY);
    glColor3ub(255, 255, 255);
}
