#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <vector>

#include "assets/bitmap.h"
#include "assets/display_lists.h"
#include "assets/model.h"
#include "assets/model_cache.h"
#include "seams/model_resolver.h"

struct DataFolders;
class Prompts;

// Display list offsets of the two fixed models.
inline constexpr std::int32_t kStadiumList = 0;
inline constexpr std::int32_t kFallbackList = 1;

// Loads every model file once, compiles it into a display list, keeps its triangles for batched
// drawing and gives blocks their list offsets. Lives for the whole run, like its lists and texture
// objects.
class ModelStore : public ModelResolver {
  public:
    // The prompts are asked for at each message: whoever shows them may change.
    ModelStore(const DataFolders& folders, std::function<Prompts&()> prompts)
        : folders_(folders), prompts_(std::move(prompts)) {}
    ModelStore(const ModelStore&) = delete;
    ModelStore& operator=(const ModelStore&) = delete;

    // Reserves the first block of list names; call once the GL context is current.
    bool reserveLists();
    // Compiles the fallback model (data/no.mdl) into list 1 and, only when that worked, the
    // Stadium surroundings into list 0. A missing model shows "No file found: <path>".
    bool loadFixedModels();
    // The list of the block's model file, loaded and compiled on first use. Without that file
    // the block takes its kind's model (the file of its index with variants 0_0_0_0), and
    // without that one the fallback model.
    std::int32_t resolveBlockModel(const BlockRecord& record) override;

    // The model file of a block: "<catalogIndex>_<v1>_<v2>_<v3>_<v4>.mdl" in the model folder.
    // For index 196 a first variant above 16 names the file of variant 3; the record keeps its
    // own bytes, since they are saved.
    std::filesystem::path blockModelPath(const BlockRecord& record) const;

    const DisplayLists& lists() const { return lists_; }
    const ModelCache& cache() const { return cache_; }
    std::int32_t lastList() const { return lastList_; }

  private:
    bool compile(const std::filesystem::path& path, const std::filesystem::path& textureFolder,
                 std::int32_t offset);
    // The list of a model file, compiled at its first use; `otherwise` (called once) when the
    // file cannot be loaded. Either way the answer is kept for the path.
    template <typename Otherwise>
    std::int32_t cachedList(const std::filesystem::path& path, Otherwise otherwise);

    const DataFolders& folders_;
    std::function<Prompts&()> prompts_;
    DisplayLists lists_;
    ModelCache cache_;
    std::int32_t lastList_ = kFallbackList;
    PixelBuffer pixelBuffer_;
    // One texture object per file, whichever models name it: blocks of different models then
    // share binds, and batched drawing groups them.
    TextureObjects textures_;
};
