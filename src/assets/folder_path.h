#pragma once

#include <filesystem>
#include <string>

// A file in a folder, joined as text: the folder's text, given a trailing native separator when
// it lacks one, followed directly by the name. An empty folder leaves the name as it is.
std::filesystem::path inFolder(const std::filesystem::path& folder, const std::string& name);
