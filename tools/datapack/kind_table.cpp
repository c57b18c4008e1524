#include "kind_table.h"

#include <array>
#include <charconv>
#include <fstream>
#include <iterator>
#include <sstream>

namespace {

std::optional<Unit> parseUnit(const std::string& text) {
    Unit u;
    char comma1 = 0, comma2 = 0;
    std::istringstream in(text);
    if (!(in >> u.x >> comma1 >> u.y >> comma2 >> u.z) || comma1 != ',' || comma2 != ',')
        return std::nullopt;
    if (u.x < 0 || u.y < 0 || u.z < 0 || u.x > 31 || u.y > 31 || u.z > 31)
        return std::nullopt;
    return u;
}

std::optional<std::vector<Unit>> parseUnits(const std::string& text) {
    std::vector<Unit> units;
    std::size_t start = 0;
    while (start <= text.size()) {
        std::size_t end = text.find(';', start);
        std::optional<Unit> unit = parseUnit(text.substr(start, end - start));
        if (!unit)
            return std::nullopt;
        units.push_back(*unit);
        if (end == std::string::npos)
            break;
        start = end + 1;
    }
    return units;
}

std::vector<KindRow> loadTable(int environment) {
    static const std::array<const char*, 7> files = {"Alpine", "Bay",   "Coast",  "Island",
                                                     "Rally",  "Speed", "Stadium"};
    std::ifstream in(std::string(DATAPACK_GAME_BLOCKS) + "/" +
                         files[static_cast<std::size_t>(environment)] + ".tsv",
                     std::ios::binary);
    std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    return parseKindTable(text).value_or(std::vector<KindRow>{});
}

} // namespace

std::optional<std::vector<KindRow>> parseKindTable(const std::string& text) {
    std::vector<KindRow> rows;
    std::istringstream lines(text);
    std::string line;
    while (std::getline(lines, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (line.empty() || line[0] == '#')
            continue;
        std::size_t tab1 = line.find('\t');
        std::size_t tab2 = tab1 == std::string::npos ? tab1 : line.find('\t', tab1 + 1);
        if (tab2 == std::string::npos)
            return std::nullopt;
        KindRow row;
        const char* first = line.data();
        if (std::from_chars(first, first + tab1, row.index).ptr != first + tab1)
            return std::nullopt;
        row.name = line.substr(tab1 + 1, tab2 - tab1 - 1);
        const std::string units = line.substr(tab2 + 1);
        if (row.index != static_cast<int>(rows.size()) + 1 || row.name.empty() ||
            row.name.size() > 63)
            return std::nullopt;
        if (!units.empty()) {
            row.units = parseUnits(units);
            if (!row.units)
                return std::nullopt;
        }
        rows.push_back(std::move(row));
    }
    return rows;
}

const std::vector<KindRow>& kindTable(int environment) {
    static const std::array<std::vector<KindRow>, 7> tables = {
        loadTable(0), loadTable(1), loadTable(2), loadTable(3),
        loadTable(4), loadTable(5), loadTable(6)};
    return tables[static_cast<std::size_t>(environment)];
}
