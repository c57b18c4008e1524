#include "kinds_file.h"

#include "catalog/kinds_file_format.h"

using namespace kinds_file;

namespace {

// One line of the file: the fields separated by tabs.
std::string line(const std::vector<std::string_view>& fields) {
    std::string text;
    for (std::string_view field : fields)
        (text += text.empty() ? "" : "\t") += field;
    return text + "\n";
}

} // namespace

std::string encodeKindsFile(const std::vector<BlockKind>& kinds) {
    std::vector<std::string_view> groups = {kGroups};
    groups.insert(groups.end(), pickerGroups().begin(), pickerGroups().end());
    std::string text = line({kFirstLine}) + line(groups) +
                       line({kIndexColumn, kNameColumn, kFamilyColumn, kGroupColumn});
    for (const BlockKind& kind : kinds) {
        const std::string index = std::to_string(kind.index);
        text += line(
            {index, kind.name, familyName(kind.family), pickerGroupOf(kind.family, kind.name)});
    }
    return text;
}
