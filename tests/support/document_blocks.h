#pragma once

#include <iterator>
#include <utility>

#include "edit/track_document.h"

// A block of the kind at the cell, turned and flagged as given.
inline BlockRecord recordAt(int x, int y, int z, std::uint32_t kind = 1, int rotation = 0,
                            std::uint32_t flags = 0) {
    BlockRecord record;
    record.catalogIndex = kind;
    record.x = static_cast<std::int8_t>(x);
    record.y = static_cast<std::int8_t>(y);
    record.z = static_cast<std::int8_t>(z);
    record.rotation = static_cast<std::uint8_t>(rotation);
    record.flags = flags;
    return record;
}

// Appends a block to the document's track outside any step, as a track that was opened with it
// would hold it: the document takes the track again, with a new history and nothing selected.
// Blocks already there keep their addresses.
inline const BlockRecord& addToDocument(TrackDocument& document, const BlockRecord& record) {
    const TrackEnvelope envelope = document.envelope();
    const std::string path = document.path();
    Track track = document.releaseTrack();
    track.blocks.push_back(record);
    document.replaceTrack(std::move(track), envelope, path);
    return document.blocks().back();
}

// The block at a list position.
inline const BlockRecord& blockAt(const TrackDocument& document, int position) {
    return *std::next(document.blocks().begin(), position);
}
