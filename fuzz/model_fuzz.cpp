// The model reader: any bytes must load a model whose triangles name existing textures, or be
// refused.
#include <cstddef>
#include <cstdint>

#include "assets/model.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    Model model;
    if (parseModel(data, size, model)) {
        for (const ModelTriangle& t : model.triangles)
            if (t.textureIndex >= model.textureNames.size())
                __builtin_trap();
    }
    return 0;
}
