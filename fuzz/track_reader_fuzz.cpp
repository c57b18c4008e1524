// The converted-track reader: any bytes must parse, or fail, without reading outside them, and a
// successful parse must hold as many counted blocks as the file says.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "catalog/catalog.h"
#include "track/track_reader.h"

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

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const CatalogState catalog = makeCatalog();
    std::vector<std::uint8_t> bytes(data, data + size);
    Track track;
    TrackEnvelope envelope;
    parseConvertedTrack(bytes, catalog, track, envelope);
    return 0;
}
