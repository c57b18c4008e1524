#include "track/track_writer.h"

#include <string_view>
#include <unordered_map>
#include <unordered_set>

#include "track/atomic_file.h"
#include "track/block_entry.h"
#include "track/byte_reading.h"

namespace {

// Numbers names as the reader expects: names the head defines by their number, every other name
// spelled out at its first use and numbered from the head's next free number.
class NameWriter {
  public:
    explicit NameWriter(const std::vector<std::string>& headNames)
        : next_(static_cast<std::uint32_t>(headNames.size()) + 1) {
        for (std::size_t i = 0; i < headNames.size(); ++i) {
            if (!headNames[i].empty())
                numbers_.emplace(headNames[i], static_cast<std::uint32_t>(i + 1));
        }
    }

    void write(std::vector<std::uint8_t>& out, const std::string& text) {
        if (auto known = numbers_.find(text); known != numbers_.end()) {
            appendU32(out, kNameSpelledOut | known->second);
            return;
        }
        appendU32(out, kNameSpelledOut);
        appendU32(out, static_cast<std::uint32_t>(text.size()));
        out.insert(out.end(), text.begin(), text.end());
        numbers_.emplace(text, next_++);
    }

  private:
    std::unordered_map<std::string, std::uint32_t> numbers_;
    std::uint32_t next_;
};

// A node's data goes with the first block in list order that refers to it.
void writeNodeRef(std::vector<std::uint8_t>& out, const NodeRef& ref,
                  std::unordered_set<std::uint32_t>& written) {
    appendU32(out, ref.number);
    if (ref.number == kNoNode || !ref.data || !written.insert(ref.number).second)
        return;
    out.insert(out.end(), ref.data->begin(), ref.data->end());
}

const std::string* blockName(const BlockRecord& record, const CatalogState& catalog) {
    if (const CatalogEntry* entry = catalogEntry(catalog, record.catalogIndex))
        return &entry->name;
    return record.keptName.empty() ? nullptr : &record.keptName;
}

} // namespace

std::optional<std::vector<std::uint8_t>>
serialiseTrack(const Track& track, const TrackEnvelope& envelope, const CatalogState& catalog) {
    std::vector<std::uint8_t> out = envelope.headBytes;
    std::size_t countAt = out.size();
    appendU32(out, 0);

    NameWriter names(envelope.headNames);
    std::unordered_set<std::uint32_t> nodesWritten;
    std::uint32_t counted = 0;
    for (const BlockRecord& record : track.blocks) {
        const std::string* name = blockName(record, catalog);
        if (!name)
            return std::nullopt;
        names.write(out, *name);
        out.push_back(record.rotation);
        out.push_back(static_cast<std::uint8_t>(record.x));
        out.push_back(static_cast<std::uint8_t>(record.z));
        out.push_back(static_cast<std::uint8_t>(record.y));
        out.insert(out.end(), record.variant.begin(), record.variant.end());

        std::uint32_t flags = record.flagWord();
        if (flags == kFlagUncounted)
            continue;
        ++counted;
        // The flag word promises what follows; a block without kept data gets empty references.
        if (flags & kFlagSkin) {
            const BlockSkin& skin = record.skin;
            if (!skin.author.empty())
                names.write(out, skin.author);
            else if (skin.authorNumber != 0 && skin.authorNumber <= envelope.headNames.size())
                appendU32(out, kNameSpelledOut | skin.authorNumber);
            else
                appendU32(out, kEmptyName);
            writeNodeRef(out, skin.skin, nodesWritten);
        }
        if (flags & kFlagWaypoint)
            writeNodeRef(out, record.skin.waypoint, nodesWritten);
    }
    if (counted == 0)
        return std::nullopt;
    // The count the game reads is the number of counted entries actually written.
    for (int i = 0; i < 4; ++i)
        out[countAt + i] = static_cast<std::uint8_t>(counted >> (8 * i));
    out.insert(out.end(), envelope.tailBytes.begin(), envelope.tailBytes.end());
    return out;
}

bool saveTrack(const std::filesystem::path& target, const Track& track,
               const TrackEnvelope& envelope, const CatalogState& catalog) {
    std::optional<std::vector<std::uint8_t>> bytes = serialiseTrack(track, envelope, catalog);
    return bytes && replaceFileAtomically(target, *bytes);
}
