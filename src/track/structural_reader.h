#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "track/parsed_track.h"

// Walks the converted file from the container header through the body's chunks to the block
// list chunk, building the body's name table on the way, and reads exactly the stored number of
// counted blocks, which the chunk that follows the list must follow. None when the header is not
// a converted track's, a chunk before the list is neither known nor skippable, the list's uid
// differs from the header's, or a read would leave the buffer.
std::optional<ParsedTrack> readByStructure(const std::vector<std::uint8_t>& bytes,
                                           int previousEnvironment);
