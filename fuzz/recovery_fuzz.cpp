// The recovery copy reader: any bytes must decode, or be refused, without reading outside them;
// what decodes must encode back into the same bytes, and its track must parse or fail cleanly.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "catalog/catalog.h"
#include "recovery/recovery_file.h"
#include "track/track_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const CatalogState catalog = [] {
        CatalogState state;
        initEnvironmentNames(state.environmentNames);
        return state;
    }();
    std::vector<std::uint8_t> bytes(data, data + size);
    std::optional<RecoveryCopy> copy = decodeRecoveryCopy(bytes);
    if (!copy)
        return 0;
    if (encodeRecoveryCopy(*copy) != bytes)
        __builtin_trap();
    Track track;
    TrackEnvelope envelope;
    parseConvertedTrack(copy->trackBytes, catalog, track, envelope);
    return 0;
}
