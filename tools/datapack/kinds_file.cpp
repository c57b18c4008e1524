#include "kinds_file.h"

#include "block_family.h"
#include "catalog/kinds_file_format.h"
#include "mirror_images.h"
#include "road_ends.h"

using namespace kinds_file;

namespace {

// One line of the file: the fields separated by tabs.
std::string line(const std::vector<std::string_view>& fields) {
    std::string text;
    for (std::string_view field : fields)
        (text += text.empty() ? "" : "\t") += field;
    return text + "\n";
}

// The mirror column of a kind: its partner's name, or the words for itself and for unknown.
std::string_view mirrorField(const std::vector<BlockKind>& kinds, const BlockKind& kind,
                             const MirrorImage& image) {
    if (image.partner == 0)
        return kUnknownMirror;
    if (image.partner == kind.index)
        return kOwnMirror;
    return kinds[static_cast<std::size_t>(image.partner - 1)].name;
}

// The roadends column of a kind: its open ends at rotation 0 under its environment's orientation.
// Walls, tubes, loops, the control room's pieces, sculptures and rings are drawn as road, but a
// car does not run through them from one flat end to the other, so their ends are left unsaid.
std::string roadEndsField(const BlockKind& kind) {
    std::string text;
    if (hasAny(kind.name, {"Wall", "Tube", "Loop", "Control", "Sculpt", "Ring"}))
        return std::string(kNoRoadEnds);
    for (const RoadEnd& end : roadEnds(kind, roadOrientation(kind.environment))) {
        for (int value : {end.unit.x, end.unit.y, end.unit.z})
            text += std::to_string(value) + ",";
        (text += std::to_string(headingOf(end.dx, end.dy))) += ";";
    }
    if (text.empty())
        return std::string(kNoRoadEnds);
    text.pop_back();
    return text;
}

} // namespace

std::string encodeKindsFile(const std::vector<BlockKind>& kinds) {
    std::vector<std::string_view> groups = {kGroups};
    groups.insert(groups.end(), pickerGroups().begin(), pickerGroups().end());
    std::string text = line({kFirstLine}) + line(groups) +
                       line({kIndexColumn, kNameColumn, kFamilyColumn, kGroupColumn, kMirrorColumn,
                             kMirrorTurnColumn, kRoleColumn, kFootprintColumn, kRoadEndsColumn,
                             kSharesCellsColumn});
    const std::vector<MirrorImage> images = mirrorImages(kinds);
    for (std::size_t i = 0; i < kinds.size(); ++i) {
        const BlockKind& kind = kinds[i];
        const MirrorImage& image = images[i];
        const std::string index = std::to_string(kind.index);
        const std::string turn = std::to_string(image.turn);
        const std::string ends = roadEndsField(kind);
        text += line({index, kind.name, familyName(kind.family),
                      pickerGroupOf(kind.family, kind.name), mirrorField(kinds, kind, image), turn,
                      kindRoleWord(roleOf(kind.family, kind.name)),
                      kind.measured ? kExactFootprint : kGuessedFootprint, ends,
                      standsAside(kind.family) ? kYes : kNo});
    }
    return text;
}
