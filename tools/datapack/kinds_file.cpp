#include "kinds_file.h"

#include "catalog/kinds_file_format.h"
#include "mirror_images.h"

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

} // namespace

std::string encodeKindsFile(const std::vector<BlockKind>& kinds) {
    std::vector<std::string_view> groups = {kGroups};
    groups.insert(groups.end(), pickerGroups().begin(), pickerGroups().end());
    std::string text = line({kFirstLine}) + line(groups) +
                       line({kIndexColumn, kNameColumn, kFamilyColumn, kGroupColumn, kMirrorColumn,
                             kMirrorTurnColumn});
    const std::vector<MirrorImage> images = mirrorImages(kinds);
    for (std::size_t i = 0; i < kinds.size(); ++i) {
        const BlockKind& kind = kinds[i];
        const MirrorImage& image = images[i];
        const std::string index = std::to_string(kind.index);
        const std::string turn = std::to_string(image.turn);
        text +=
            line({index, kind.name, familyName(kind.family), pickerGroupOf(kind.family, kind.name),
                  mirrorField(kinds, kind, image), turn});
    }
    return text;
}
