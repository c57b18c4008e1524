#include "tool/diff_listing.h"

#include <array>
#include <string>

#include "edit/kind_names.h"
#include "tool/track_listing.h"

namespace {

void writeJsonBlock(std::ostream& out, const BlockRecord* r, std::size_t index) {
    if (!r) {
        out << "null";
        return;
    }
    out << "{\"index\": " << index + 1 << ", \"x\": " << int{r->x} << ", \"y\": " << int{r->y}
        << ", \"z\": " << int{r->z} << ", \"rotation\": " << int{r->rotation} << ", \"variant\": ["
        << int{r->variant[0]} << ", " << int{r->variant[1]} << ", " << int{r->variant[2]} << ", "
        << int{r->variant[3]} << "], \"hidden\": " << ((r->flags & BLOCK_HIDDEN) ? "true" : "false")
        << "}";
}

} // namespace

void writeTrackDiff(std::ostream& out, const TrackDiff& diff, const CatalogState& catalogA,
                    const CatalogState& catalogB, bool json) {
    std::array<int, 5> counts{};
    if (json)
        out << "{\"shift\": [" << diff.shift[0] << ", " << diff.shift[1] << ", " << diff.shift[2]
            << "], \"differences\": [";
    bool first = true;
    for (const BlockDifference& d : diff.differences) {
        ++counts[static_cast<std::size_t>(d.kind)];
        const std::string& kind = d.a ? kindNameOf(catalogA, *d.a) : kindNameOf(catalogB, *d.b);
        if (json) {
            out << (first ? "\n" : ",\n") << "  {\"change\": \"" << differenceName(d.kind)
                << "\", \"kind\": " << jsonString(kind) << ", \"what\": [";
            const char* separator = "";
            for (const char* name : whatDiffersNames(d.what)) {
                out << separator << '"' << name << '"';
                separator = ", ";
            }
            out << "], \"a\": ";
            writeJsonBlock(out, d.a, d.aIndex);
            out << ", \"b\": ";
            writeJsonBlock(out, d.b, d.bIndex);
            out << '}';
            first = false;
            continue;
        }
        out << differenceText(d, kind) << '\n';
    }
    if (json) {
        out << (first ? "]}\n" : "\n]}\n");
        return;
    }
    if (diff.differences.empty())
        return;
    out << diff.differences.size() << " differences: " << counts[0] << " added, " << counts[1]
        << " removed, " << counts[2] << " moved, " << counts[3] << " turned, " << counts[4]
        << " changed";
    if (diff.shift != std::array<int, 3>{})
        out << "; the whole track shifted by " << diff.shift[0] << ',' << diff.shift[1] << ','
            << diff.shift[2];
    out << '\n';
}
