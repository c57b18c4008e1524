#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

// What a kind of block does in a run: the gate that starts it, one that ends it, a checkpoint
// between, or a multilap gate, which is both start and finish. The generator derives it from the
// names and writes its word into the kinds file; the checks count blocks by it. The header
// depends on nothing but the language, so that the generator can use it without the editor.
enum class KindRole : std::uint8_t { None, Start, Finish, Checkpoint, Multilap };

inline constexpr std::array<std::string_view, 5> kKindRoleWords = {"none", "start", "finish",
                                                                   "checkpoint", "multilap"};

constexpr std::string_view kindRoleWord(KindRole role) {
    return kKindRoleWords[static_cast<std::size_t>(role)];
}

constexpr std::optional<KindRole> kindRoleOfWord(std::string_view word) {
    for (std::size_t i = 0; i < kKindRoleWords.size(); ++i)
        if (kKindRoleWords[i] == word)
            return static_cast<KindRole>(i);
    return std::nullopt;
}
