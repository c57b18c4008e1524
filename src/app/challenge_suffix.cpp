#include "app/challenge_suffix.h"

#include <algorithm>
#include <cctype>
#include <string_view>

namespace {

bool endsWithIgnoringCase(std::string_view text, std::string_view suffix) {
    // A name shorter than the suffix cannot end in it; never look before the text's start.
    if (text.size() < suffix.size())
        return false;
    return std::equal(suffix.begin(), suffix.end(), text.end() - suffix.size(), [](char a, char b) {
        return std::tolower(static_cast<unsigned char>(a)) ==
               std::tolower(static_cast<unsigned char>(b));
    });
}

} // namespace

std::string withChallengeSuffix(const std::string& chosen) {
    if (endsWithIgnoringCase(chosen, kChallengeSuffix))
        return chosen;
    return chosen + kChallengeSuffix;
}
