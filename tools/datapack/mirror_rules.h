#pragma once

#include <string>
#include <vector>

#include "block_kinds.h"

// What a kind's name tells about its mirror image: the kind X-flipped (x reflected, y and z kept).
struct MirrorNaming {
    enum class Image {
        Itself,  // the kind is its own mirror image, turned
        Partner, // the mirror image is the kind named `partner`
        Unknown, // the name says the kind is handed and its twin is not in the catalogue
    };
    Image image = Image::Itself;
    std::string partner; // also the missing twin of an unknown handed kind
    // Road ends that are entry and exit, not to be swapped: those of every piece but curves and
    // one-sided straights that are neither gates nor boosters.
    bool directed = false;
    // A straight that is not the same on both sides of its road: banked road, wall rides and T
    // junctions. Road ends do not show it.
    bool oneSided = false;
    // A Y junction: its branches lie evenly about its stem, which runs along the road.
    bool fork = false;
    // A handed curve: its twin is drawn with the same road ends, which therefore do not show how
    // the two mirror each other; their footprints alone do.
    bool footprintOnly = false;
    // A corner or diagonal piece: its own mirror image only about a diagonal, in an odd turn.
    bool diagonal = false;
    // Whether a shape that fits in several turns leaves the image unknown: the turn of a curve or
    // a corner matters, that of even scenery does not.
    bool singleTurn = false;
};

// The naming of a kind of an environment; partners are found among the environment's kinds.
MirrorNaming mirrorNaming(const BlockKind& kind, const std::vector<BlockKind>& kinds);
