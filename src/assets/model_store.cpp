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
    if (!loadModel(path, model, textureFolder, pixelBuffer_, ctx_.prompts))
        return false;
    glNewList(lists_.name(offset), GL_COMPILE);
    drawModel(model);
    glEndList();
    lists_.setBounds(offset, modelBounds(model));
    // Only the texture objects are needed once the list exists.
    textures_.push_back(std::move(model.textures));
    return true;
}

bool ModelStore::loadFixedModels() {
    const std::filesystem::path data = ctx_.baseFolder / "data";
    const std::filesystem::path fallback = data / "no.mdl";
    const std::filesystem::path stadium = data / "Stadium" / "models" / "stadium_opt.mdl";
    const std::filesystem::path* missing = nullptr;
    if (!compile(fallback, data, kFallbackList))
        missing = &fallback;
    else if (!compile(stadium, data / "Stadium" / "textures", kStadiumList))
        missing = &stadium;
    if (!missing)
        return true;
    if (ctx_.prompts)
        ctx_.prompts->message("No file found: " + missing->string(), kProgramCaption,
                              MessageIcon::None);
    return false;
}

std::filesystem::path ModelStore::blockModelPath(const BlockRecord& record) const {
    std::string name = std::to_string(record.catalogIndex);
    for (std::uint8_t v : record.variant)
        name += '_' + std::to_string(v);
    return inFolder(ctx_.modelFolder, name + ".mdl");
}

std::int32_t ModelStore::resolveBlockModel(BlockRecord& record) {
    const std::filesystem::path path = blockModelPath(record);
    const std::string key = path.string();
    if (std::optional<std::int32_t> known = cache_.find(key)) {
        record.modelList = *known;
        return *known;
    }
    std::int32_t list = kFallbackList;
    if (compile(path, ctx_.textureFolder, lastList_ + 1))
        list = ++lastList_;
    // Misses are kept too: a missing file is looked for once per run.
    cache_.add(key, list);
    record.modelList = list;
    return list;
}

void ModelStore::rebuildModelLists() {
    for (BlockRecord& record : ctx_.currentTrack.blocks)
        resolveBlockModel(record);
}
