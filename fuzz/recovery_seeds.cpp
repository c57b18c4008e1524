// Wraps converted tracks as recovery copies, the seeds of the recovery reader's corpus.
// Usage: recovery_seeds OUT-FOLDER CONVERTED-FILE...
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

#include "recovery/recovery_file.h"

int main(int argc, char** argv) {
    if (argc < 2)
        return 1;
    const std::filesystem::path out = argv[1];
    for (int i = 2; i < argc; ++i) {
        std::ifstream in(argv[i], std::ios::binary);
        RecoveryCopy copy;
        copy.trackPath = argv[i];
        copy.writtenAtMs = 1700000000000;
        copy.trackBytes.assign(std::istreambuf_iterator<char>(in),
                               std::istreambuf_iterator<char>());
        const std::vector<std::uint8_t> bytes = encodeRecoveryCopy(copy);
        std::ofstream(out / std::filesystem::path(argv[i]).filename(), std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()),
                   static_cast<std::streamsize>(bytes.size()));
    }
    return 0;
}
