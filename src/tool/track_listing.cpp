#include "tool/track_listing.h"

#include <algorithm>
#include <cstdio>
#include <map>
#include <vector>

#include "edit/kind_names.h"
#include "track/track_head_info.h"

namespace {

std::string csvField(const std::string& text) {
    if (text.find_first_of(",\"\n\r") == std::string::npos)
        return text;
    std::string quoted = "\"";
    for (char c : text) {
        if (c == '"')
            quoted += '"';
        quoted += c;
    }
    return quoted + '"';
}

} // namespace

std::string jsonString(const std::string& text) {
    std::string quoted = "\"";
    for (unsigned char c : text) {
        if (c == '"' || c == '\\') {
            quoted += '\\';
            quoted += static_cast<char>(c);
        } else if (c < 0x20 || c >= 0x7F) {
            // Names are the file's bytes, not necessarily UTF-8: each byte stands as itself.
            char escape[8];
            std::snprintf(escape, sizeof escape, "\\u%04x", c);
            quoted += escape;
        } else {
            quoted += static_cast<char>(c);
        }
    }
    return quoted + '"';
}

void writeTrackInfo(std::ostream& out, const std::string& file, const Track& track,
                    const TrackEnvelope& envelope, const CatalogState& catalog) {
    const int environment = catalog.currentEnvironment;
    out << "File: " << file << '\n';
    out << "Environment: "
        << (environment >= 0 && environment < kEnvironmentCount
                ? catalog.environmentNames[static_cast<std::size_t>(environment)]
                : std::string("unknown"))
        << '\n';
    // The environment line above is the one the track was opened in.
    for (const auto& [label, value] : headInfoLines(readTrackHead(envelope.headBytes)))
        if (label != "Environment")
            out << label << ": " << value << '\n';
    out << "Blocks: " << track.blocks.size() << '\n';
    std::map<std::string, int> counts;
    for (const BlockRecord& record : track.blocks)
        ++counts[kindNameOf(catalog, record)];
    std::vector<std::pair<std::string, int>> kinds(counts.begin(), counts.end());
    std::stable_sort(kinds.begin(), kinds.end(),
                     [](const auto& a, const auto& b) { return a.second > b.second; });
    out << "Kinds: " << kinds.size() << '\n';
    for (const auto& [name, count] : kinds)
        out << "  " << count << ' ' << name << '\n';
}

void writeBlockList(std::ostream& out, const Track& track, const CatalogState& catalog,
                    ListFormat format) {
    if (format == ListFormat::Csv)
        out << "index,kind,x,y,z,rotation,var1,var2,var3,var4,hidden\n";
    if (format == ListFormat::Json)
        out << "[";
    int index = 0;
    for (const BlockRecord& r : track.blocks) {
        ++index;
        const std::string& name = kindNameOf(catalog, r);
        const bool hidden = r.flags & BLOCK_HIDDEN;
        const int values[] = {r.x,          r.y,          r.z,          r.rotation,
                              r.variant[0], r.variant[1], r.variant[2], r.variant[3]};
        switch (format) {
        case ListFormat::Text:
            out << index << ' ' << name;
            for (int v : values)
                out << ' ' << v;
            out << (hidden ? " hidden" : " shown") << '\n';
            break;
        case ListFormat::Csv:
            out << index << ',' << csvField(name);
            for (int v : values)
                out << ',' << v;
            out << ',' << (hidden ? 1 : 0) << '\n';
            break;
        case ListFormat::Json:
            out << (index == 1 ? "\n" : ",\n") << "  {\"index\": " << index
                << ", \"kind\": " << jsonString(name) << ", \"x\": " << values[0]
                << ", \"y\": " << values[1] << ", \"z\": " << values[2]
                << ", \"rotation\": " << values[3] << ", \"variant\": [" << values[4] << ", "
                << values[5] << ", " << values[6] << ", " << values[7]
                << "], \"hidden\": " << (hidden ? "true" : "false") << "}";
            break;
        }
    }
    if (format == ListFormat::Json)
        out << (index == 0 ? "]\n" : "\n]\n");
}
