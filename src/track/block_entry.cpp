#include "track/block_entry.h"

#include "track/byte_reading.h"

bool readName(const std::vector<std::uint8_t>& bytes, std::size_t& at, NameTable& names,
              ParsedName& name) {
    std::uint32_t value = 0;
    if (!names.versionRead) {
        if (!readU32(bytes, at, value) || value != 3)
            return false;
        at += 4;
        names.versionRead = true;
    }
    if (!readU32(bytes, at, value))
        return false;
    at += 4;
    name = ParsedName{};
    if (value == kEmptyName) {
        name.empty = true;
        return true;
    }
    if ((value & kNameFlags) == 0) {
        name.predefined = true;
        return true;
    }
    std::uint32_t number = value & ~kNameFlags;
    if (number == 0) {
        std::uint32_t length = 0;
        if (!readU32(bytes, at, length) || !hasBytes(bytes, at + 4, length))
            return false;
        name.text.assign(bytes.begin() + static_cast<std::ptrdiff_t>(at + 4),
                         bytes.begin() + static_cast<std::ptrdiff_t>(at + 4 + length));
        at += 4 + length;
        names.texts.push_back(name.text);
        name.number = static_cast<std::uint32_t>(names.texts.size());
        return true;
    }
    if (number > names.texts.size())
        return false;
    name.number = number;
    name.text = names.texts[number - 1];
    return true;
}

bool readNodeRef(const std::vector<std::uint8_t>& bytes, std::size_t& at, NodeTable& nodes,
                 NodeRef& ref) {
    std::uint32_t number = 0;
    if (!readU32(bytes, at, number))
        return false;
    at += 4;
    ref = NodeRef{};
    ref.number = number;
    if (number == kNoNode)
        return true;
    if (auto known = nodes.find(number); known != nodes.end()) {
        ref.data = known->second;
        return true;
    }
    std::optional<std::size_t> end = findText(bytes, at, kFacade);
    if (!end)
        return false;
    std::size_t stop = *end + kFacade.size();
    auto data = std::make_shared<const std::vector<std::uint8_t>>(
        bytes.begin() + static_cast<std::ptrdiff_t>(at),
        bytes.begin() + static_cast<std::ptrdiff_t>(stop));
    nodes.emplace(number, data);
    ref.data = std::move(data);
    at = stop;
    return true;
}

bool readBlockBody(const std::vector<std::uint8_t>& bytes, std::size_t& at, NameTable& names,
                   NodeTable& nodes, BlockRecord& record, bool& counted) {
    if (!hasBytes(bytes, at, 8))
        return false;
    record.rotation = bytes[at];
    record.x = static_cast<std::int8_t>(bytes[at + 1]);
    record.z = static_cast<std::int8_t>(bytes[at + 2]);
    record.y = static_cast<std::int8_t>(bytes[at + 3]);
    for (int i = 0; i < 4; ++i)
        record.variant[i] = bytes[at + 4 + i];
    at += 8;
    std::uint32_t flags = record.flagWord();
    counted = flags != kFlagUncounted;
    if (!counted)
        return true;
    if (flags & kFlagSkin) {
        ParsedName author;
        if (!readName(bytes, at, names, author) || author.predefined)
            return false;
        record.skin.author = author.text;
        if (author.text.empty())
            record.skin.authorNumber = author.number;
        if (!readNodeRef(bytes, at, nodes, record.skin.skin))
            return false;
    }
    if (flags & kFlagWaypoint)
        return readNodeRef(bytes, at, nodes, record.skin.waypoint);
    return true;
}
