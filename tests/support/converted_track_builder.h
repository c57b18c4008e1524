#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

// Builds the bytes of a converted (uncompressed) track file as the game lays it out: container
// header with the XML description, then the body's chunks (names, collection list and track
// parameters, a skippable chunk, the block list, the chunk that follows it).
class ConvertedTrackBuilder {
  public:
    std::uint32_t classId = 0x03043000; // 0x24003000 for the older generation
    std::string uid = "Kx8MzQvTn3bR0yWcLp5dGh7sJf2";
    std::string envir = "Stadium";
    std::string author = "player";
    std::string trackName = "Test track";
    std::string decorationAuthor = "Nadeo";
    // Names of the collection list; each entry is (name, envir, decorationAuthor).
    std::vector<std::string> collectionNames;
    // The three names of the body's first chunk (empty: none).
    std::vector<std::string> bodyNames = {"", "", ""};
    bool versionBeforeNames = true;
    // Malformed variants.
    std::optional<std::uint32_t> countOverride;
    std::optional<std::uint32_t> unknownChunkBeforeList;
    bool omitFollowingChunk = false;

    // Block list entries, in order.
    void block(const std::string& name, std::uint8_t rotation, std::uint8_t x, std::uint8_t y,
               std::uint8_t z, std::uint32_t flags = 0) {
        Op op{Op::Name, name, {}};
        ops_.push_back(op);
        raw({rotation, x, z, y});
        u32(flags);
        if (flags != 0xFFFFFFFF)
            ++counted_;
    }
    // The author name of a skin (spelled out at its first use, referenced after).
    void skinAuthor(const std::string& name) { ops_.push_back({Op::Name, name, {}}); }
    void nodeNone() { u32(0xFFFFFFFF); }
    // A node given here: its number, then its data (class id, payload, 0xFACADE01).
    void nodeNew(std::uint32_t number, std::uint32_t payload = 0x1234) {
        u32(number);
        u32(0x03059002);
        u32(payload);
        u32(0xFACADE01);
    }
    void nodeRef(std::uint32_t number) { u32(number); }
    void u32(std::uint32_t value) { raw(le(value)); }
    void raw(const std::vector<std::uint8_t>& bytes) { ops_.push_back({Op::Bytes, {}, bytes}); }

    std::vector<std::uint8_t> build() {
        names_.clear();
        versionWritten_ = !versionBeforeNames;
        std::vector<std::uint8_t> out = header();
        // Names taken so far count as the head's.
        std::uint32_t C = classId;
        put(out, C + 0x00D);
        for (const std::string& n : bodyNames)
            name(out, n);
        put(out, C + 0x011);
        put(out, 2);
        bool old = classId == 0x24003000;
        std::uint32_t collectionClass = old ? 0x2403C000 : 0x0301B000;
        put(out, collectionClass);
        put(out, collectionClass);
        put(out, static_cast<std::uint32_t>(collectionNames.size()));
        for (const std::string& n : collectionNames) {
            name(out, n);
            name(out, envir);
            name(out, decorationAuthor);
            put(out, 0);
        }
        put(out, 0xFACADE01);
        put(out, 3);
        put(out, old ? 0x2400C000 : 0x0305B000);
        put(out, old ? 0x2400C001 : 0x0305B001);
        put(out, 30000);
        putString(out, "params");
        put(out, 0xFACADE01);
        put(out, 0);
        if (unknownChunkBeforeList)
            put(out, *unknownChunkBeforeList);
        put(out, C + 0x014);
        out.insert(out.end(), {'P', 'I', 'K', 'S'});
        put(out, 4);
        put(out, 7);

        put(out, C + 0x01F);
        name(out, uid);
        name(out, envir);
        name(out, author);
        putString(out, trackName);
        name(out, "Day");
        name(out, envir);
        name(out, decorationAuthor);
        put(out, 32);
        put(out, 40);
        put(out, 32);
        put(out, 0);
        put(out, 1);
        headLength = out.size();
        headNameCount = names_.size();
        put(out, countOverride.value_or(counted_));
        for (const Op& op : ops_) {
            if (op.kind == Op::Name)
                name(out, op.text);
            else
                out.insert(out.end(), op.bytes.begin(), op.bytes.end());
        }
        tailStart = out.size();
        if (!omitFollowingChunk)
            put(out, C + 0x021);
        put(out, 5);
        putString(out, "tail");
        put(out, 0xFACADE01);
        return out;
    }

    // Set by build(): where the block count stands, where the tail starts, how many names the
    // head defined.
    std::size_t headLength = 0;
    std::size_t tailStart = 0;
    std::size_t headNameCount = 0;

    static std::vector<std::uint8_t> le(std::uint32_t v) {
        return {static_cast<std::uint8_t>(v), static_cast<std::uint8_t>(v >> 8),
                static_cast<std::uint8_t>(v >> 16), static_cast<std::uint8_t>(v >> 24)};
    }

  private:
    struct Op {
        enum Kind { Name, Bytes } kind;
        std::string text;
        std::vector<std::uint8_t> bytes;
    };
    std::vector<Op> ops_;
    std::map<std::string, std::uint32_t> names_;
    bool versionWritten_ = false;
    std::uint32_t counted_ = 0;

    static void put(std::vector<std::uint8_t>& out, std::uint32_t v) {
        auto b = le(v);
        out.insert(out.end(), b.begin(), b.end());
    }
    static void putString(std::vector<std::uint8_t>& out, const std::string& s) {
        put(out, static_cast<std::uint32_t>(s.size()));
        out.insert(out.end(), s.begin(), s.end());
    }
    void name(std::vector<std::uint8_t>& out, const std::string& text) {
        if (!versionWritten_) {
            put(out, 3);
            versionWritten_ = true;
        }
        if (text.empty()) {
            put(out, 0xFFFFFFFF);
            return;
        }
        if (auto known = names_.find(text); known != names_.end()) {
            put(out, 0x40000000 | known->second);
            return;
        }
        put(out, 0x40000000);
        putString(out, text);
        std::uint32_t number = static_cast<std::uint32_t>(names_.size()) + 1;
        names_.emplace(text, number);
    }
    std::vector<std::uint8_t> header() const {
        std::string xml = "<header type=\"challenge\" exever=\"2.11.26\"><ident uid=\"" + uid +
                          "\" name=\"" + trackName + "\" author=\"" + author +
                          "\"/><desc envir=\"" + envir +
                          "\" mood=\"Day\" type=\"Race\" nblaps=\"0\" price=\"0\" /></header>";
        std::vector<std::uint8_t> userData;
        put(userData, 1);
        put(userData, classId + 5);
        put(userData, static_cast<std::uint32_t>(xml.size() + 4));
        putString(userData, xml);
        std::vector<std::uint8_t> out = {'G', 'B', 'X', 6, 0, 'B', 'U', 'U', 'R'};
        put(out, classId);
        put(out, static_cast<std::uint32_t>(userData.size()));
        out.insert(out.end(), userData.begin(), userData.end());
        put(out, 10);
        put(out, 0);
        return out;
    }
};
