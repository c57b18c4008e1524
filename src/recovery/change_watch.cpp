#include "recovery/change_watch.h"

namespace {

std::uint64_t mix(std::uint64_t hash, std::uint64_t value) {
    hash ^= value + 0x9E3779B97F4A7C15ull + (hash << 6) + (hash >> 2);
    return hash * 0xFF51AFD7ED558CCDull;
}

std::uint64_t mixText(std::uint64_t hash, const std::string& text) {
    for (unsigned char c : text)
        hash = mix(hash, c);
    return mix(hash, text.size());
}

} // namespace

std::uint64_t trackFingerprint(const Track& track) {
    std::uint64_t hash = mix(0, track.blocks.size());
    for (const BlockRecord& r : track.blocks) {
        hash = mix(hash, static_cast<std::uint64_t>(r.catalogIndex) << 32 | r.flagWord());
        hash = mix(hash, static_cast<std::uint64_t>(static_cast<std::uint8_t>(r.x)) |
                             static_cast<std::uint64_t>(static_cast<std::uint8_t>(r.y)) << 8 |
                             static_cast<std::uint64_t>(static_cast<std::uint8_t>(r.z)) << 16 |
                             static_cast<std::uint64_t>(r.rotation) << 24 |
                             static_cast<std::uint64_t>(r.skin.authorNumber) << 32);
        if (!r.keptName.empty())
            hash = mixText(hash, r.keptName);
        if (!r.skin.author.empty())
            hash = mixText(hash, r.skin.author);
        hash = mix(hash,
                   static_cast<std::uint64_t>(r.skin.skin.number) << 32 | r.skin.waypoint.number);
    }
    return hash;
}

void ChangeWatch::matchesFile(const Track& track) {
    last_ = trackFingerprint(track);
    onFile_ = last_;
}

void ChangeWatch::differsFromFile(const Track& track) {
    last_ = trackFingerprint(track);
    onFile_.reset();
}

void ChangeWatch::look(const Track& track) {
    const std::uint64_t now = trackFingerprint(track);
    if (now != last_)
        ++steps_;
    last_ = now;
}
