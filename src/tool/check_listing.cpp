#include "tool/check_listing.h"

#include <unordered_map>

#include "edit/kind_names.h"
#include "tool/track_listing.h"

const char* findingKindWord(FindingKind kind) {
    switch (kind) {
    case FindingKind::NoStart:
        return "no-start";
    case FindingKind::ManyStarts:
        return "many-starts";
    case FindingKind::NoFinish:
        return "no-finish";
    case FindingKind::UnknownKind:
        return "unknown-kind";
    case FindingKind::OutsideGrid:
        return "outside-grid";
    case FindingKind::SharedCells:
        return "shared-cells";
    case FindingKind::OpenEnds:
        return "open-ends";
    case FindingKind::CheckpointCount:
        return "checkpoint-count";
    case FindingKind::Hidden:
        return "hidden";
    case FindingKind::Counts:
        break;
    }
    return "counts";
}

void writeFindings(std::ostream& out, const std::string& file, const Track& track,
                   const CatalogState& catalog, const std::vector<Finding>& findings, bool json,
                   bool first) {
    if (!json) {
        for (const Finding& finding : findings) {
            out << file << ": " << severityWord(finding.severity) << ": " << finding.text << '\n';
            if (finding.unlisted > 0)
                out << file << ": " << severityWord(finding.severity) << ": " << finding.unlisted
                    << " more of this kind are not listed.\n";
        }
        return;
    }
    std::unordered_map<const BlockRecord*, std::size_t> indexes;
    for (const BlockRecord& record : track.blocks)
        indexes.emplace(&record, indexes.size() + 1);
    out << (first ? "\n" : ",\n") << "  {\"file\": " << jsonString(file) << ", \"findings\": [";
    bool firstFinding = true;
    for (const Finding& finding : findings) {
        out << (firstFinding ? "\n" : ",\n") << "    {\"severity\": \""
            << severityWord(finding.severity) << "\", \"kind\": \"" << findingKindWord(finding.kind)
            << "\", \"text\": " << jsonString(finding.text) << ", \"blocks\": [";
        const char* separator = "";
        for (const BlockRecord* record : finding.blocks) {
            out << separator << "{\"index\": " << indexes.at(record)
                << ", \"kind\": " << jsonString(kindNameOf(catalog, *record))
                << ", \"x\": " << int{record->x} << ", \"y\": " << int{record->y}
                << ", \"z\": " << int{record->z} << "}";
            separator = ", ";
        }
        out << "], \"unlisted\": " << finding.unlisted << "}";
        firstFinding = false;
    }
    out << (firstFinding ? "]}" : "\n  ]}");
}

void writeUnreadable(std::ostream& out, const std::string& file, bool json, bool first) {
    if (json)
        out << (first ? "\n" : ",\n") << "  {\"file\": " << jsonString(file)
            << ", \"unreadable\": true}";
    else
        out << file << ": unreadable: the track cannot be read\n";
}
