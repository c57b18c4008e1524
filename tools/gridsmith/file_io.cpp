#include "file_io.h"

#include <cstdio>

#include "track/atomic_file.h"

bool readWholeFile(const std::filesystem::path& path, std::vector<std::uint8_t>& bytes,
                   std::string& error) {
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file) {
        error = "cannot open " + path.string();
        return false;
    }
    bytes.clear();
    std::uint8_t chunk[65536];
    std::size_t got = 0;
    while ((got = std::fread(chunk, 1, sizeof chunk, file)) > 0)
        bytes.insert(bytes.end(), chunk, chunk + got);
    bool failed = std::ferror(file) != 0;
    std::fclose(file);
    if (failed) {
        error = "cannot read " + path.string();
        return false;
    }
    return true;
}

bool replaceFile(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes,
                 std::string& error) {
    if (replaceFileAtomically(path, bytes))
        return true;
    error = "cannot write " + path.string();
    return false;
}
