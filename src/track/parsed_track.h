#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "catalog/environment.h"
#include "track/track.h"

// What a reader makes of a converted file before the block names meet the catalogue: each
// record holds its name as text in keptName (empty when the file's reference led nowhere).
struct ParsedTrack {
    Track track;
    TrackEnvelope envelope;
    // Block entries whose reference number named nothing that the list spelled out.
    std::size_t unresolvedReferences = 0;
};

// The track's identifier behind "<ident uid=" at `identAt`: up to 27 characters, cut at the
// closing quote or a zero byte.
std::string readUid(const std::vector<std::uint8_t>& bytes, std::size_t identAt);

// Gives each record its catalogue index by name (in the catalogue of the track's environment).
// Names the catalogue lacks stay in keptName; the variant bytes stay as the file has them.
void resolveBlockNames(Track& track, const std::vector<std::string>& catalogNames);
