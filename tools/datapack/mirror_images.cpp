#include "mirror_images.h"

#include <algorithm>
#include <climits>

#include "mirror_rules.h"
#include "road_ends.h"
#include "track_layout.h"

namespace {

// What a kind's footprint does not show and its mirror image must keep: where its road leads,
// and which way it leans or forks.
struct Mark {
    enum Role { End, Entry, Exit, Side, Stem };
    Role role = End;
    Unit at;         // none for Side and Stem, which belong to the whole piece
    int heading = 0; // 0 +y, 1 -x, 2 -y, 3 +x
    auto operator<=>(const Mark&) const = default;
};

// A kind's cells and marks, turned and flipped, moved so that the cells' least corner is 0.
struct Placement {
    std::vector<Unit> cells;
    std::vector<Mark> marks;
    bool operator==(const Placement&) const = default;
};

// The marks of a kind at rotation 0. For a kind that is its own mirror image, the side it leans
// to matters; a handed kind's twin leans to the other side, so there it does not.
std::vector<Mark> marksOf(const BlockKind& kind, const MirrorNaming& naming, bool itself) {
    const RoadOrientation orientation = roadOrientation(kind.environment);
    const int along = orientation.straightAlongX ? 3 : 0;
    if (naming.footprintOnly)
        return {};
    if (naming.fork)
        return {{Mark::Stem, {}, along}};
    std::vector<Mark> marks;
    const std::vector<RoadEnd> ends = roadEnds(kind, orientation);
    for (std::size_t i = 0; i < ends.size(); ++i) {
        const Mark::Role role = !naming.directed ? Mark::End : i == 0 ? Mark::Entry : Mark::Exit;
        marks.push_back({role, ends[i].unit, headingOf(ends[i].dx, ends[i].dy)});
    }
    if (naming.oneSided && itself)
        marks.push_back({Mark::Side, {}, (along + 1) % 4});
    return marks;
}

Placement place(const BlockKind& kind, const std::vector<Mark>& marks, int rotation, bool flipped) {
    const auto turned = [&](Unit u) {
        u = rotatedUnit(u, spanX(kind), spanY(kind), rotation);
        u.x = flipped ? -u.x : u.x;
        return u;
    };
    Placement placement;
    Unit least{INT_MAX, INT_MAX, INT_MAX};
    for (const Unit& unit : kind.units) {
        const Unit u = turned(unit);
        placement.cells.push_back(u);
        least = {std::min(least.x, u.x), std::min(least.y, u.y), std::min(least.z, u.z)};
    }
    const auto moved = [&](Unit u) { return Unit{u.x - least.x, u.y - least.y, u.z - least.z}; };
    for (Unit& cell : placement.cells)
        cell = moved(cell);
    for (Mark mark : marks) {
        if (mark.role != Mark::Side && mark.role != Mark::Stem)
            mark.at = moved(turned(mark.at));
        mark.heading = (mark.heading + rotation) % 4;
        mark.heading = flipped ? (4 - mark.heading) % 4 : mark.heading;
        placement.marks.push_back(mark);
    }
    std::sort(placement.cells.begin(), placement.cells.end());
    std::sort(placement.marks.begin(), placement.marks.end());
    return placement;
}

// The image of one kind by its name, checked: the turns of the partner that cover the kind's
// flipped cells and keep its marks.
MirrorImage imageOf(const BlockKind& kind, const std::vector<BlockKind>& kinds) {
    const MirrorNaming naming = mirrorNaming(kind, kinds);
    if (naming.image == MirrorNaming::Image::Unknown)
        return {};
    const bool itself = naming.image == MirrorNaming::Image::Itself;
    const BlockKind& partner =
        itself ? kind : kinds[static_cast<std::size_t>(kindIndex(kinds, naming.partner) - 1)];
    const Placement flipped = place(kind, marksOf(kind, naming, itself), 0, true);
    const std::vector<Mark> partnerMarks = marksOf(partner, mirrorNaming(partner, kinds), itself);
    std::vector<int> turns;
    for (int turn = 0; turn < 4; ++turn)
        if (place(partner, partnerMarks, turn, false) == flipped &&
            (!naming.diagonal || turn % 2 == 1))
            turns.push_back(turn);
    if (turns.empty() || (naming.singleTurn && turns.size() > 1))
        return {};
    return {partner.index, turns.front()};
}

} // namespace

std::vector<MirrorImage> mirrorImages(const std::vector<BlockKind>& kinds) {
    std::vector<MirrorImage> images;
    for (const BlockKind& kind : kinds)
        images.push_back(imageOf(kind, kinds));
    // Partners that do not name each other with the same turn are not trusted.
    const std::vector<MirrorImage> named = images;
    for (std::size_t i = 0; i < images.size(); ++i) {
        const int partner = named[i].partner;
        if (partner != 0 && (named[static_cast<std::size_t>(partner - 1)].partner != int(i) + 1 ||
                             named[static_cast<std::size_t>(partner - 1)].turn != named[i].turn))
            images[i] = {};
    }
    return images;
}
