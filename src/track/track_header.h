#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The value of an attribute of an element of the header ("ident", "desc", "times"); none when
// the element or the attribute is not there.
std::optional<std::string> headerAttribute(const std::vector<std::uint8_t>& headBytes,
                                           std::string_view element, std::string_view attribute);

// The value of an attribute of the header's <ident ...> element ("name", "author", "uid") in a
// converted file's head bytes; none when the element or the attribute is not there.
std::optional<std::string> identAttribute(const std::vector<std::uint8_t>& headBytes,
                                          std::string_view attribute);
