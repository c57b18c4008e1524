#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

// Model paths and the list offsets they resolved to, in insertion order: 2 and up for a loaded
// model, 1 for a file that was missing. Never emptied, so each path is looked for once per run.
class ModelCache {
  public:
    struct Entry {
        std::string path;
        std::int32_t list = 0;
    };

    // The offset of an exactly equal (case-sensitive) path, or none.
    std::optional<std::int32_t> find(const std::string& path) const;
    // Appends an entry; a path already present keeps its first offset.
    void add(const std::string& path, std::int32_t list);

    const std::vector<Entry>& entries() const { return entries_; }
    std::int32_t entryCount() const { return static_cast<std::int32_t>(entries_.size()); }

  private:
    std::vector<Entry> entries_;
    std::unordered_map<std::string, std::size_t> index_;
};
