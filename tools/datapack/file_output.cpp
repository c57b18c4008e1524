#include "file_output.h"

#include <fstream>
#include <iterator>

namespace {

bool sameContents(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes) {
    std::error_code ec;
    if (!std::filesystem::is_regular_file(path, ec) ||
        std::filesystem::file_size(path, ec) != bytes.size())
        return false;
    std::ifstream in(path, std::ios::binary);
    std::vector<std::uint8_t> old((std::istreambuf_iterator<char>(in)),
                                  std::istreambuf_iterator<char>());
    return in.good() || in.eof() ? old == bytes : false;
}

} // namespace

bool writeFileIfChanged(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes) {
    if (sameContents(path, bytes))
        return true;
    std::error_code ec;
    std::filesystem::create_directories(path.parent_path(), ec);
    std::filesystem::path temporary = path;
    temporary += ".part";
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(bytes.data()),
                  static_cast<std::streamsize>(bytes.size()));
        out.close();
        if (!out) {
            std::filesystem::remove(temporary, ec);
            return false;
        }
    }
    std::filesystem::rename(temporary, path, ec);
    if (ec) {
        std::filesystem::remove(temporary, ec);
        return false;
    }
    return true;
}

bool writeFileIfChanged(const std::filesystem::path& path, std::string_view text) {
    return writeFileIfChanged(path, std::vector<std::uint8_t>(text.begin(), text.end()));
}
