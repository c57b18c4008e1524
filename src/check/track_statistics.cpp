#include "check/track_statistics.h"

#include <algorithm>
#include <map>

#include "edit/area_blocks.h"
#include "edit/kind_names.h"

namespace {

std::vector<std::pair<std::string, std::size_t>>
mostFirst(const std::map<std::string, std::size_t>& counts) {
    std::vector<std::pair<std::string, std::size_t>> sorted(counts.begin(), counts.end());
    std::stable_sort(sorted.begin(), sorted.end(),
                     [](const auto& a, const auto& b) { return a.second > b.second; });
    return sorted;
}

} // namespace

TrackStatistics trackStatistics(const Track& track, const CatalogState& catalog) {
    TrackStatistics statistics;
    std::map<std::string, std::size_t> kinds, families;
    std::map<int, std::size_t> levels;
    GridCell low{127, 127, 127}, high{-128, -128, -128};
    std::vector<int> blockLevels;
    for (const BlockRecord& record : track.blocks) {
        ++statistics.blocks;
        const CatalogEntry* entry = catalogEntry(catalog, record.catalogIndex);
        ++kinds[kindNameOf(catalog, record)];
        ++families[entry ? (entry->family.empty() ? "other" : entry->family) : "unknown"];
        const int units = footprintUnitCount(catalog, record);
        blockLevels.clear();
        for (int i = 0; i < units; ++i) {
            const GridCell c = *footprintCell(catalog, record, i);
            low = {std::min(low.x, c.x), std::min(low.y, c.y), std::min(low.z, c.z)};
            high = {std::max(high.x, c.x), std::max(high.y, c.y), std::max(high.z, c.z)};
            if (std::find(blockLevels.begin(), blockLevels.end(), c.z) == blockLevels.end()) {
                blockLevels.push_back(c.z);
                ++levels[c.z];
            }
        }
    }
    statistics.kinds = mostFirst(kinds);
    statistics.families = mostFirst(families);
    if (statistics.blocks > 0)
        statistics.box = std::pair{low, high};
    statistics.levels.assign(levels.begin(), levels.end());
    return statistics;
}
