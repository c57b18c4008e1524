#include "track/track.h"

#include <algorithm>

void clearTrack(Track* track) {
    if (!track)
        return;
    track->blocks.clear();
}

std::optional<BlockRecord> makeRecord(std::uint32_t catalogIndex, std::uint8_t rotation,
                                      std::int8_t x, std::int8_t y, std::int8_t z,
                                      const std::array<std::uint8_t, 4>& variant,
                                      std::size_t kindCount) {
    if (catalogIndex == 0 || catalogIndex > kindCount)
        return std::nullopt;
    BlockRecord record;
    record.catalogIndex = catalogIndex;
    record.rotation = rotation;
    record.x = x;
    record.y = y;
    record.z = z;
    record.variant = variant;
    return record;
}

std::uint32_t countedBlocks(const Track& track) {
    return static_cast<std::uint32_t>(
        std::count_if(track.blocks.begin(), track.blocks.end(),
                      [](const BlockRecord& r) { return r.flagWord() != kFlagUncounted; }));
}
