#pragma once

#include <ostream>

#include "catalog/catalog.h"
#include "check/track_diff.h"

// The differences between track a and track b, one line (or JSON object) each, and in text a
// summary line after them when there are any; nothing in text, no difference in JSON, when the
// tracks hold the same blocks.
void writeTrackDiff(std::ostream& out, const TrackDiff& diff, const CatalogState& catalogA,
                    const CatalogState& catalogB, bool json);
