// The converted-track reader: any bytes must parse, or fail, without reading outside them. What
// parses must save (unless it has no counted block, which the writer refuses by design), and the
// saved bytes must parse back into the same blocks.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "catalog/catalog.h"
#include "track/track_reader.h"
#include "track/track_writer.h"

namespace {

CatalogState makeCatalog() {
    CatalogState state;
    initEnvironmentNames(state.environmentNames);
    for (BlockCatalog& catalog : state.catalogs) {
        for (const char* name : {"Road", "RoadCurve", "Start", "Finish", "Tree"}) {
            CatalogEntry entry;
            entry.name = name;
            entry.units.assign(1, BlockUnit{});
            catalog.entries.push_back(entry);
        }
    }
    return state;
}

bool sameNode(const NodeRef& a, const NodeRef& b) {
    return a.number == b.number && (a.data == nullptr) == (b.data == nullptr) &&
           (!a.data || *a.data == *b.data);
}

// The text searches know the head's names by number only; the walk knows their texts. An author
// is the same when its text, or the text of its number in `head`, is the same.
bool sameAuthor(const BlockSkin& a, const BlockSkin& b, const std::vector<std::string>& head) {
    auto text = [&head](const BlockSkin& skin) {
        if (!skin.author.empty() || skin.authorNumber == 0 || skin.authorNumber > head.size())
            return skin.author;
        return head[skin.authorNumber - 1];
    };
    return text(a) == text(b) && (!text(a).empty() || a.authorNumber == b.authorNumber);
}

bool sameBlock(const BlockRecord& a, const BlockRecord& b, const std::vector<std::string>& head) {
    return a.catalogIndex == b.catalogIndex && a.x == b.x && a.y == b.y && a.z == b.z &&
           a.rotation == b.rotation && a.variant == b.variant && a.keptName == b.keptName &&
           sameAuthor(a.skin, b.skin, head) && sameNode(a.skin.skin, b.skin.skin) &&
           sameNode(a.skin.waypoint, b.skin.waypoint);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const CatalogState catalog = makeCatalog();
    std::vector<std::uint8_t> bytes(data, data + size);
    Track track;
    TrackEnvelope envelope;
    if (!parseConvertedTrack(bytes, catalog, track, envelope) || countedBlocks(track) == 0)
        return 0;
    std::optional<std::vector<std::uint8_t>> saved = serialiseTrack(track, envelope, catalog);
    if (!saved)
        __builtin_trap();
    Track again;
    TrackEnvelope againEnvelope;
    if (!parseConvertedTrack(*saved, catalog, again, againEnvelope) || again.uid != track.uid ||
        again.environment != track.environment || again.blocks.size() != track.blocks.size())
        __builtin_trap();
    auto it = again.blocks.begin();
    for (const BlockRecord& record : track.blocks) {
        if (!sameBlock(record, *it++, againEnvelope.headNames))
            __builtin_trap();
    }
    return 0;
}
