#include "assets/folder_path.h"

std::filesystem::path inFolder(const std::filesystem::path& folder, const std::string& name) {
    std::filesystem::path::string_type text = folder.native();
    if (!text.empty() && text.back() != std::filesystem::path::preferred_separator)
        text += std::filesystem::path::preferred_separator;
    return std::filesystem::path(text) += std::filesystem::path(name).native();
}
