#pragma once

#include <ostream>
#include <string>

#include "catalog/catalog.h"
#include "track/track.h"

enum class ListFormat { Text, Csv, Json };

// The text as a quoted JSON string; each byte outside printable ASCII is escaped as itself.
std::string jsonString(const std::string& text);

// The environment, the track's name, its block count and the kinds it uses with how many
// blocks of each, most used first.
void writeTrackInfo(std::ostream& out, const std::string& file, const Track& track,
                    const TrackEnvelope& envelope, const CatalogState& catalog);

// One line (or object) per block, in list order: its 1-based index, kind, x, y, z, rotation,
// the four variant bytes and whether it is hidden.
void writeBlockList(std::ostream& out, const Track& track, const CatalogState& catalog,
                    ListFormat format);
