#include "track/track_header.h"

#include <algorithm>

namespace {

// A header's element is short; a quote missing from the head must not make the search read on.
constexpr std::size_t kLongestValue = 1024;

} // namespace

std::optional<std::string> identAttribute(const std::vector<std::uint8_t>& headBytes,
                                          std::string_view attribute) {
    return headerAttribute(headBytes, "ident", attribute);
}

std::optional<std::string> headerAttribute(const std::vector<std::uint8_t>& headBytes,
                                           std::string_view elementName,
                                           std::string_view attribute) {
    const std::string_view head(reinterpret_cast<const char*>(headBytes.data()), headBytes.size());
    const std::size_t open = head.find("<" + std::string(elementName) + " ");
    if (open == std::string_view::npos)
        return std::nullopt;
    const std::size_t end = head.find('>', open);
    const std::string_view element =
        head.substr(open, end == std::string_view::npos ? std::string_view::npos : end - open);
    const std::string key = " " + std::string(attribute) + "=\"";
    const std::size_t at = element.find(key);
    if (at == std::string_view::npos)
        return std::nullopt;
    const std::size_t start = at + key.size();
    const std::size_t quote = element.find('"', start);
    if (quote == std::string_view::npos || quote - start > kLongestValue)
        return std::nullopt;
    return std::string(element.substr(start, quote - start));
}
