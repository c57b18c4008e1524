#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "catalog/catalog.h"
#include "check/track_checks.h"
#include "track/track.h"

// The findings of one track as blockyard-tool check writes them: in text one line per finding,
// "FILE: SEVERITY: SENTENCE"; in JSON one object of the "tracks" array (see the README).
void writeFindings(std::ostream& out, const std::string& file, const Track& track,
                   const CatalogState& catalog, const std::vector<Finding>& findings, bool json,
                   bool first);

// A file that could not be read, in the same forms.
void writeUnreadable(std::ostream& out, const std::string& file, bool json, bool first);

// The word of a finding's kind in JSON: "no-start", "shared-cells", ...
const char* findingKindWord(FindingKind kind);
