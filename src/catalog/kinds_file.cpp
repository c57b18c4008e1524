#include "catalog/kinds_file.h"

#include <algorithm>
#include <charconv>
#include <map>

#include "catalog/kinds_file_format.h"

using namespace kinds_file;

namespace {

std::vector<std::string_view> splitFields(std::string_view line, char separator = '\t') {
    std::vector<std::string_view> fields;
    for (std::size_t start = 0;;) {
        const std::size_t tab = line.find(separator, start);
        fields.push_back(line.substr(start, tab - start));
        if (tab == std::string_view::npos)
            return fields;
        start = tab + 1;
    }
}

bool distinctAndNotEmpty(std::vector<std::string_view> words) {
    std::sort(words.begin(), words.end());
    return std::adjacent_find(words.begin(), words.end()) == words.end() &&
           (words.empty() || !words.front().empty());
}

std::size_t columnOf(const std::vector<std::string_view>& columns, std::string_view name) {
    return static_cast<std::size_t>(std::find(columns.begin(), columns.end(), name) -
                                    columns.begin());
}

// Turns the mirror names into catalogue indexes; false when one names no kind of the file or
// partners do not name each other with the same turn.
bool resolveMirrors(KindsFile& file, const std::vector<std::string_view>& mirrors) {
    std::map<std::string_view, std::uint32_t> indexes;
    for (std::size_t i = 0; i < file.kinds.size(); ++i)
        indexes.emplace(file.kinds[i].name, static_cast<std::uint32_t>(i + 1));
    for (std::size_t i = 0; i < file.kinds.size(); ++i) {
        if (mirrors[i] == kOwnMirror) {
            file.kinds[i].mirrorPartner = static_cast<std::uint32_t>(i + 1);
        } else if (mirrors[i] != kUnknownMirror) {
            const auto found = indexes.find(mirrors[i]);
            if (found == indexes.end())
                return false;
            file.kinds[i].mirrorPartner = found->second;
        }
    }
    for (std::size_t i = 0; i < file.kinds.size(); ++i) {
        const KindsFileRow& kind = file.kinds[i];
        if (kind.mirrorPartner == 0)
            continue;
        const KindsFileRow& partner = file.kinds[kind.mirrorPartner - 1];
        if (partner.mirrorPartner != i + 1 || partner.mirrorTurn != kind.mirrorTurn)
            return false;
    }
    return true;
}

std::optional<int> parseNumber(std::string_view digits) {
    int value = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
    if (error != std::errc() || end != digits.data() + digits.size() || digits.empty())
        return std::nullopt;
    return value;
}

// The ends of a roadends field, "x,y,z,h;..." or the word for none.
std::optional<std::vector<RoadEndUnit>> parseRoadEnds(std::string_view field) {
    std::vector<RoadEndUnit> ends;
    if (field == kNoRoadEnds)
        return ends;
    for (std::string_view end : splitFields(field, ';')) {
        const std::vector<std::string_view> values = splitFields(end, ',');
        if (values.size() != 4)
            return std::nullopt;
        int v[4];
        for (std::size_t i = 0; i < 4; ++i) {
            const std::optional<int> value = parseNumber(values[i]);
            if (!value || *value < -128 || *value > 127)
                return std::nullopt;
            v[i] = *value;
        }
        if (v[3] < 0 || v[3] > 3)
            return std::nullopt;
        ends.push_back({static_cast<std::int8_t>(v[0]), static_cast<std::int8_t>(v[1]),
                        static_cast<std::int8_t>(v[2]), static_cast<std::uint8_t>(v[3])});
    }
    return ends;
}

} // namespace

std::optional<KindsFile> parseKindsFile(std::string_view text) {
    std::vector<std::string_view> lines;
    for (std::size_t start = 0; start < text.size();) {
        const std::size_t end = std::min(text.find('\n', start), text.size());
        std::string_view line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        lines.push_back(line);
        start = end + 1;
    }
    if (lines.size() < 3 || lines[0] != kFirstLine)
        return std::nullopt;

    std::vector<std::string_view> groups = splitFields(lines[1]);
    if (groups.front() != kGroups)
        return std::nullopt;
    groups.erase(groups.begin());
    const std::vector<std::string_view> columns = splitFields(lines[2]);
    const std::size_t index = columnOf(columns, kIndexColumn);
    const std::size_t name = columnOf(columns, kNameColumn);
    const std::size_t group = columnOf(columns, kGroupColumn);
    const std::size_t mirror = columnOf(columns, kMirrorColumn);
    const std::size_t turn = columnOf(columns, kMirrorTurnColumn);
    const std::size_t role = columnOf(columns, kRoleColumn);
    const std::size_t footprint = columnOf(columns, kFootprintColumn);
    const std::size_t roadEnds = columnOf(columns, kRoadEndsColumn);
    const std::size_t family = columnOf(columns, kFamilyColumn);
    const std::size_t shares = columnOf(columns, kSharesCellsColumn);
    const bool mirrored = mirror < columns.size();
    if (!distinctAndNotEmpty(groups) || !distinctAndNotEmpty(columns) ||
        std::max({index, name, group}) >= columns.size() || mirrored != (turn < columns.size()))
        return std::nullopt;

    KindsFile file;
    file.groups.assign(groups.begin(), groups.end());
    std::vector<std::string_view> mirrors;
    for (std::size_t i = 3; i < lines.size(); ++i) {
        const std::vector<std::string_view> fields = splitFields(lines[i]);
        if (fields.size() != columns.size())
            return std::nullopt;
        const std::optional<int> number = parseNumber(fields[index]);
        if (!number || *number != static_cast<int>(i - 2) || fields[name].empty() ||
            std::find(groups.begin(), groups.end(), fields[group]) == groups.end())
            return std::nullopt;
        file.kinds.push_back({std::string(fields[name]), std::string(fields[group])});
        KindsFileRow& row = file.kinds.back();
        if (family < columns.size())
            row.family = fields[family];
        if (shares < columns.size()) {
            if (fields[shares] != kYes && fields[shares] != kNo)
                return std::nullopt;
            row.sharesCells = fields[shares] == kYes;
        }
        if (role < columns.size()) {
            const std::optional<KindRole> word = kindRoleOfWord(fields[role]);
            if (!word)
                return std::nullopt;
            row.role = *word;
        }
        if (footprint < columns.size()) {
            if (fields[footprint] != kExactFootprint && fields[footprint] != kGuessedFootprint)
                return std::nullopt;
            row.footprintExact = fields[footprint] == kExactFootprint;
        }
        if (roadEnds < columns.size()) {
            std::optional<std::vector<RoadEndUnit>> ends = parseRoadEnds(fields[roadEnds]);
            if (!ends)
                return std::nullopt;
            row.roadEnds = std::move(*ends);
        }
        if (!mirrored)
            continue;
        const std::string_view turnDigit = fields[turn];
        if (turnDigit.size() != 1 || turnDigit[0] < '0' || turnDigit[0] > '3' ||
            fields[mirror].empty() || (fields[mirror] == kUnknownMirror && turnDigit != "0"))
            return std::nullopt;
        row.mirrorTurn = static_cast<std::uint8_t>(turnDigit[0] - '0');
        mirrors.push_back(fields[mirror]);
    }
    if (mirrored && !resolveMirrors(file, mirrors))
        return std::nullopt;
    return file;
}

void applyKindsFile(BlockCatalog& catalog, const std::optional<KindsFile>& file) {
    const bool fits = file && std::equal(catalog.entries.begin(), catalog.entries.end(),
                                         file->kinds.begin(), file->kinds.end(),
                                         [](const CatalogEntry& entry, const KindsFileRow& row) {
                                             return entry.name == row.name;
                                         });
    if (!fits) {
        catalog.groups.assign(1, std::string(kOtherGroup));
        for (CatalogEntry& entry : catalog.entries) {
            entry.group = kOtherGroup;
            entry.mirrorPartner = 0;
            entry.mirrorTurn = 0;
            entry.role = KindRole::None;
            entry.footprintExact = false;
            entry.roadEnds.clear();
            entry.family.clear();
            entry.sharesCells = false;
        }
        return;
    }
    catalog.groups = file->groups;
    for (std::size_t i = 0; i < catalog.entries.size(); ++i) {
        const KindsFileRow& row = file->kinds[i];
        catalog.entries[i].group = row.group;
        catalog.entries[i].mirrorPartner = row.mirrorPartner;
        catalog.entries[i].mirrorTurn = row.mirrorTurn;
        catalog.entries[i].role = row.role;
        catalog.entries[i].footprintExact = row.footprintExact;
        catalog.entries[i].roadEnds = row.roadEnds;
        catalog.entries[i].family = row.family;
        catalog.entries[i].sharesCells = row.sharesCells;
    }
}
