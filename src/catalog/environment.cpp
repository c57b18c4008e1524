#include "catalog/environment.h"

void initEnvironmentNames(EnvironmentNames& names) {
    names = {"Alpine", "Bay", "Coast", "Island", "Rally", "Speed", "Stadium"};
}

std::optional<int> environmentFromCode(std::string_view code) {
    if (code.empty())
        return std::nullopt;
    switch (code[0]) {
    case 'A':
        return 0;
    case 'B':
        return 1;
    case 'C':
        return 2;
    case 'I':
        return 3;
    case 'R':
        return 4;
    case 'S':
        return code.size() > 1 && code[1] == 'p' ? 5 : 6;
    default:
        return std::nullopt;
    }
}
