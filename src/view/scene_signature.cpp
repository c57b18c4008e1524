#include "view/scene_signature.h"

#include <cstring>

namespace {

// FNV-1a over the bytes of each value.
class Digest {
  public:
    template <typename T> void add(const T& value) {
        unsigned char bytes[sizeof(T)];
        std::memcpy(bytes, &value, sizeof(T));
        for (unsigned char b : bytes)
            hash_ = (hash_ ^ b) * 1099511628211ull;
    }
    void add(const Vec3& v) {
        add(v.x);
        add(v.y);
        add(v.z);
    }
    std::uint64_t value() const { return hash_; }

  private:
    std::uint64_t hash_ = 14695981039346656037ull;
};

} // namespace

std::uint64_t sceneSignature(const EditorContext& ctx, int width, int height) {
    Digest d;
    d.add(width);
    d.add(height);
    d.add(ctx.viewCamera.position);
    d.add(ctx.viewCamera.direction);
    d.add(ctx.viewCamera.up);
    d.add(ctx.viewAspect);
    const bool switches[] = {ctx.solidFill,   ctx.areaEditState != 0, ctx.showGrid,
                             ctx.showStadium, ctx.showMoveGizmo,      ctx.showRotateGizmo};
    for (bool s : switches)
        d.add(s);
    d.add(ctx.catalog.currentEnvironment);
    d.add(ctx.currentTrack.blocks.size());
    for (const BlockRecord& r : ctx.currentTrack.blocks) {
        d.add(r.catalogIndex);
        d.add(r.x);
        d.add(r.y);
        d.add(r.z);
        d.add(r.rotation);
        d.add(r.flags);
        d.add(r.modelList);
    }
    return d.value();
}
