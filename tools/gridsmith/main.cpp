// Gridsmith: converts the game's compressed track files into the uncompressed form that the
// editor reads, and back.
#include <cstdio>
#include <cstring>
#include <optional>
#include <string>
#include <system_error>
#include <vector>

#include "file_io.h"
#include "gbx_container.h"
#include "track/atomic_file.h"

namespace {

const char* const kUsage = "usage: Gridsmith NAME\n"
                           "         converts NAME in place to its uncompressed form and then\n"
                           "         leaves the original bytes in NAME.bak\n"
                           "       Gridsmith --compress IN OUT\n"
                           "         writes OUT, the compressed form of the uncompressed IN\n"
                           "       Gridsmith --help\n";

int fail(const std::string& what) {
    std::fprintf(stderr, "Gridsmith: %s\n", what.c_str());
    return 1;
}

int convert(const std::filesystem::path& name) {
    std::filesystem::path backup = name;
    backup += ".bak";
    // The ".bak" announces a finished conversion, so a stale one must not outlive a failure.
    std::error_code ec;
    std::filesystem::remove(backup, ec);

    std::vector<std::uint8_t> original;
    std::string error;
    GbxLayout layout;
    if (!readWholeFile(name, original, error) || !readGbxLayout(original, layout, error))
        return fail(error);
    if (!layout.bodyCompressed)
        return replaceFile(backup, original, error) ? 0 : fail(error);

    std::vector<std::uint8_t> plain;
    if (!decompressBody(original, layout, plain, error))
        return fail(error);
    // The original bytes are safe on disk before NAME changes. The ".bak" gets its name last, as
    // it tells the editor that NAME is converted; if that fails, NAME gets its bytes back.
    std::optional<std::filesystem::path> savedOriginal = writeTemporaryBeside(backup, original);
    if (!savedOriginal)
        return fail("cannot write " + backup.string());
    if (!replaceFile(name, plain, error)) {
        std::filesystem::remove(*savedOriginal, ec);
        return fail(error);
    }
    if (!renameSynced(*savedOriginal, backup)) {
        renameSynced(*savedOriginal, name);
        return fail("cannot write " + backup.string());
    }
    return 0;
}

int compress(const std::filesystem::path& in, const std::filesystem::path& out) {
    std::vector<std::uint8_t> plain;
    std::string error;
    GbxLayout layout;
    if (!readWholeFile(in, plain, error) || !readGbxLayout(plain, layout, error))
        return fail(error);
    if (layout.bodyCompressed)
        return fail("the body of " + in.string() + " is already compressed");
    std::vector<std::uint8_t> packed;
    if (!compressBody(plain, layout, packed, error) || !replaceFile(out, packed, error))
        return fail(error);
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    if (argc == 2 && std::strcmp(argv[1], "--help") == 0) {
        std::fputs(kUsage, stdout);
        return 0;
    }
    if (argc == 4 && std::strcmp(argv[1], "--compress") == 0)
        return compress(argv[2], argv[3]);
    if (argc == 2)
        return convert(argv[1]);
    std::fputs(kUsage, stderr);
    return 1;
}
