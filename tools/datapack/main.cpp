// datapack DATA_FOLDER SAMPLES_FOLDER: lays out the default data folder and the sample tracks
// (with uncompressed bodies) for the editor's runtime folder.
#include <cstdio>
#include <exception>
#include <filesystem>
#include <string>
#include <vector>

#include "data_pack.h"

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: datapack DATA_FOLDER SAMPLES_FOLDER\n");
        return 2;
    }
    try {
        if (!writeDataFolder(argv[1])) {
            std::fprintf(stderr, "datapack: could not write the data folder %s\n", argv[1]);
            return 1;
        }
        std::vector<std::string> samples;
        if (!writeSampleTracks(argv[2], samples)) {
            std::fprintf(stderr, "datapack: could not write the samples to %s\n", argv[2]);
            return 1;
        }
    } catch (const std::exception& error) {
        std::fprintf(stderr, "datapack: %s\n", error.what());
        return 1;
    }
    return 0;
}
