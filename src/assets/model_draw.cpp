#include <GL/gl.h>

#include "assets/model.h"

void drawModel(const Model& model) {
    const std::vector<ModelTriangle>& triangles = model.triangles;
    std::size_t i = 0;
    while (i < triangles.size()) {
        // A texture cannot be bound between begin and end, so a run ends where the texture
        // changes; drawing order stays the file's.
        const std::uint16_t index = triangles[i].textureIndex;
        glBindTexture(GL_TEXTURE_2D, index < model.textures.size() ? model.textures[index] : 0);
        glBegin(GL_TRIANGLES);
        for (; i < triangles.size() && triangles[i].textureIndex == index; ++i) {
            for (const ModelVertex& vertex : triangles[i].vertices) {
                glTexCoord2f(vertex.u, vertex.v);
                glVertex3f(vertex.x, vertex.y, vertex.z);
            }
        }
        glEnd();
    }
}
