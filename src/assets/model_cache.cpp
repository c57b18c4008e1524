#include "assets/model_cache.h"

std::optional<std::int32_t> ModelCache::find(const std::string& path) const {
    auto it = index_.find(path);
    if (it == index_.end())
        return std::nullopt;
    return entries_[it->second].list;
}

void ModelCache::add(const std::string& path, std::int32_t list) {
    if (index_.emplace(path, entries_.size()).second)
        entries_.push_back({path, list});
}
