#pragma once

// The texts of the Help menu.
inline constexpr const char* kKeysCaption = "Keys and mouse";
inline constexpr const char* kAboutCaption = "About Blockyard";

extern const char* const kKeysAndMouseText;
extern const char* const kAboutText;
