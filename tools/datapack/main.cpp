// datapack DATA_FOLDER SAMPLES_FOLDER: lays out the default data folder and the sample tracks
// (with uncompressed bodies) for the editor's runtime folder.
#include <cstdio>

#include "data_pack.h"

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: datapack DATA_FOLDER SAMPLES_FOLDER\n");
        return 2;
    }
    if (!writeDataFolder(argv[1])) {
        std::fprintf(stderr, "datapack: could not write the data folder %s\n", argv[1]);
        return 1;
    }
    if (!writeSampleTracks(argv[2])) {
        std::fprintf(stderr, "datapack: could not lay out or write the samples in %s\n", argv[2]);
        return 1;
    }
    return 0;
}
