#pragma once

#include <optional>
#include <string>
#include <vector>

#include "catalog/catalog.h"
#include "track/track.h"

// What the checks found wrong or worth knowing about a track's blocks. Roles, road ends and
// whether a footprint is measured are the data pack's (catalog/kinds_file_format.h); a finding
// that rests on a guessed footprint is information, never a warning, and says so.
enum class Severity { Error, Warning, Information };

enum class FindingKind {
    NoStart,
    ManyStarts,
    NoFinish,        // neither a finish nor a multilap
    UnknownKind,     // blocks of one kind the catalogue does not know
    OutsideGrid,     // one block
    SharedCells,     // two blocks that are not ground, water, pillars or clips
    OpenEnds,        // one block's road ends that meet no other road end
    CheckpointCount, // differs from the count the file's head records
    Hidden,
    Counts, // starts, finishes, checkpoints and multilaps
};

struct Finding {
    Severity severity = Severity::Information;
    FindingKind kind = FindingKind::Counts;
    std::string text;                       // one plain sentence
    std::vector<const BlockRecord*> blocks; // the blocks concerned, in track order
    // Further findings of the same severity and kind that the list leaves out after this one
    // (past 500 of them), counted but not described.
    std::size_t unlisted = 0;
};

// Every finding of the track against the current environment's catalogue, errors first, then
// warnings, then information, each in track order. `recordedCheckpoints` is the count the file's
// head records, where it records one.
std::vector<Finding> checkTrack(const Track& track, const CatalogState& catalog,
                                std::optional<int> recordedCheckpoints);

// "error", "warning", "information".
const char* severityWord(Severity severity);

// How a block is named in findings: its kind and its cell, "StadiumRoadMain at (3, 4, 1)".
std::string blockName(const CatalogState& catalog, const BlockRecord& record);
