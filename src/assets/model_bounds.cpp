#include "assets/model.h"

Box3 modelBounds(const Model& model) {
    Box3 box;
    for (const ModelTriangle& triangle : model.triangles)
        for (const ModelVertex& v : triangle.vertices)
            box.add(Vec3(v.x, v.y, v.z));
    return box;
}
