#include "block_kinds.h"

#include <algorithm>

#include "byte_buffer.h"
#include "footprint_rules.h"

std::vector<BlockKind> environmentKinds(int environment) {
    std::vector<BlockKind> kinds;
    for (const KindRow& row : kindTable(environment)) {
        BlockKind kind;
        kind.environment = environment;
        kind.index = row.index;
        kind.name = row.name;
        kind.family = familyOf(row.name);
        kind.surface = roadSurfaceOf(environment, row.name);
        kind.measured = row.units && !row.units->empty();
        kind.units = kind.measured ? *row.units : footprintFromName(row.name);
        kinds.push_back(std::move(kind));
    }
    return kinds;
}

int kindIndex(const std::vector<BlockKind>& kinds, const std::string& name) {
    for (const BlockKind& kind : kinds)
        if (kind.name == name)
            return kind.index;
    return 0;
}

int spanX(const BlockKind& kind) {
    int hi = 0;
    for (const Unit& u : kind.units)
        hi = std::max(hi, u.x);
    return hi;
}

int spanY(const BlockKind& kind) {
    int hi = 0;
    for (const Unit& u : kind.units)
        hi = std::max(hi, u.y);
    return hi;
}

std::vector<std::uint8_t> encodeBlockInfo(const std::vector<Unit>& units) {
    ByteBuffer out;
    out.u16(static_cast<std::uint16_t>(units.size()));
    for (const Unit& u : units) {
        out.u8(static_cast<std::uint8_t>(u.x));
        out.u8(static_cast<std::uint8_t>(u.y));
        out.u8(static_cast<std::uint8_t>(u.z));
    }
    return out.take();
}
