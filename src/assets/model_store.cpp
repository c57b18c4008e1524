#include "assets/model_store.h"

#include <string>

#include <GL/gl.h>

#include "assets/folder_path.h"
#include "assets/model.h"
#include "edit/editor_context.h"
#include "seams/prompts.h"

bool ModelStore::reserveLists() {
    return lists_.reserve();
}

bool ModelStore::compile(const std::filesystem::path& path,
                         const std::filesystem::path& textureFolder, std::int32_t offset) {
    // The name first, so that a model whose textures were uploaded always gets its list.
    if (!lists_.ensure(offset))
        return false;
    Model model;
    if (!loadModel(path, model, textureFolder, pixelBuffer_, &prompts_(), &textures_))
        return false;
    glNewList(lists_.name(offset), GL_COMPILE);
    drawModel(model);
    glEndList();
    lists_.setBounds(offset, modelBounds(model));
    lists_.setMesh(offset, {std::move(model.triangles), std::move(model.textures)});
    return true;
}

bool ModelStore::loadFixedModels() {
    const std::filesystem::path data = folders_.base / "data";
    const std::filesystem::path fallback = data / "no.mdl";
    const std::filesystem::path stadium = data / "Stadium" / "models" / "stadium_opt.mdl";
    const std::filesystem::path* missing = nullptr;
    if (!compile(fallback, data, kFallbackList))
        missing = &fallback;
    else if (!compile(stadium, data / "Stadium" / "textures", kStadiumList))
        missing = &stadium;
    if (!missing)
        return true;
    prompts_().message("No file found: " + missing->string(), kProgramCaption, MessageIcon::None);
    return false;
}

namespace {

constexpr std::uint32_t kCappedIndex = 196;

std::string modelName(std::uint32_t catalogIndex, const std::array<std::uint8_t, 4>& variant) {
    std::string name = std::to_string(catalogIndex);
    for (std::uint8_t v : variant)
        name += '_' + std::to_string(v);
    return name + ".mdl";
}

} // namespace

std::filesystem::path ModelStore::blockModelPath(const BlockRecord& record) const {
    std::array<std::uint8_t, 4> variant = record.variant;
    // Variant values above 16 have no model of their own for this kind; 3 is its usual look.
    if (record.catalogIndex == kCappedIndex && variant[0] > 16)
        variant[0] = 3;
    return inFolder(folders_.models, modelName(record.catalogIndex, variant));
}

template <typename Otherwise>
std::int32_t ModelStore::cachedList(const std::filesystem::path& path, Otherwise otherwise) {
    const std::string key = path.string();
    if (std::optional<std::int32_t> known = cache_.find(key))
        return *known;
    std::int32_t list = 0;
    if (compile(path, folders_.textures, lastList_ + 1))
        list = ++lastList_;
    else
        list = otherwise();
    // Misses are kept too: a missing file is looked for once per run.
    cache_.add(key, list);
    return list;
}

std::int32_t ModelStore::resolveBlockModel(const BlockRecord& record) {
    return cachedList(blockModelPath(record), [&] {
        const std::filesystem::path kindModel =
            inFolder(folders_.models, modelName(record.catalogIndex, {0, 0, 0, 0}));
        if (kindModel == blockModelPath(record))
            return kFallbackList;
        return cachedList(kindModel, [] { return kFallbackList; });
    });
}
