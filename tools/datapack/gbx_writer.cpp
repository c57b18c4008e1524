#include "gbx_writer.h"

#include <map>

#include "byte_buffer.h"
#include "environment_look.h"

namespace {

constexpr std::uint32_t kEndOfNode = 0xFACADE01;
constexpr std::uint32_t kNoName = 0xFFFFFFFF;
constexpr std::uint32_t kNewName = 0x40000000;
constexpr std::uint32_t kCollectionListClass = 0x0301B000;
constexpr std::uint32_t kParametersClass = 0x0305B000;

// The names of one name table: each text is spelled out at its first use and takes the next
// number; later uses refer to that number. The table starts with its version, 3.
class NameWriter {
  public:
    void write(ByteBuffer& out, const std::string& name) {
        if (!started_) {
            out.u32(3);
            started_ = true;
        }
        if (name.empty()) {
            out.u32(kNoName);
            return;
        }
        auto found = numbers_.find(name);
        if (found != numbers_.end()) {
            out.u32(kNewName + found->second);
            return;
        }
        numbers_[name] = next_++;
        out.u32(kNewName);
        out.string(name);
    }
    // Empty names before the first name still follow the version.
    void writeEmpty(ByteBuffer& out) {
        if (!started_) {
            out.u32(3);
            started_ = true;
        }
        out.u32(kNoName);
    }

  private:
    bool started_ = false;
    std::uint32_t next_ = 1;
    std::map<std::string, std::uint32_t> numbers_;
};

struct Times {
    std::uint32_t bronze, silver, gold, author;
};

Times medalTimes(const SampleTrack& track) {
    std::uint32_t author = 8000 + 900 * static_cast<std::uint32_t>(track.blocks.size() % 97);
    return {author * 3 / 2, author * 6 / 5, author * 21 / 20, author};
}

std::string headerXml(const SampleTrack& track, const EnvironmentLook& look, const Times& times) {
    return "<header type=\"challenge\" exever=\"2.11.26\" exebuild=\"2011-02-21_23_52\" "
           "title=\"TMForever\"><ident uid=\"" +
           track.uid + "\" name=\"" + track.name + "\" author=\"" + track.author +
           "\"/><desc envir=\"" + look.name + "\" mood=\"" + look.mood +
           "\" type=\"Race\" nblaps=\"0\" price=\"" + std::to_string(track.blocks.size() * 7) +
           "\" /><playermodel id=\"\"/><times bronze=\"" + std::to_string(times.bronze) +
           "\" silver=\"" + std::to_string(times.silver) + "\" gold=\"" +
           std::to_string(times.gold) + "\" authortime=\"" + std::to_string(times.author) +
           "\" authorscore=\"" + std::to_string(times.author) + "\"/><deps></deps></header>";
}

std::vector<std::uint8_t> userData(const SampleTrack& track, const EnvironmentLook& look,
                                   const Times& times) {
    ByteBuffer info; // 0x03043002: version, then the medal times
    info.u8(0);
    info.u32(times.bronze);
    info.u32(times.silver);
    info.u32(times.gold);
    info.u32(times.author);

    ByteBuffer common; // 0x03043003: version, identity, name, kind
    NameWriter names;
    common.u8(0);
    names.write(common, track.uid);
    names.write(common, look.name);
    names.write(common, track.author);
    common.string(track.name);
    common.u8(6);

    ByteBuffer xml; // 0x03043005
    xml.string(headerXml(track, look, times));

    const std::vector<std::pair<std::uint32_t, const ByteBuffer*>> chunks = {
        {kChallengeClass + 0x002, &info},
        {kChallengeClass + 0x003, &common},
        {kChallengeClass + 0x005, &xml}};
    ByteBuffer out;
    out.u32(static_cast<std::uint32_t>(chunks.size()));
    for (const auto& [id, data] : chunks) {
        out.u32(id);
        out.u32(static_cast<std::uint32_t>(data->size()));
    }
    for (const auto& chunk : chunks)
        out.append(chunk.second->bytes());
    return out.take();
}

std::vector<std::uint8_t> body(const SampleTrack& track, const std::vector<BlockKind>& kinds,
                               const EnvironmentLook& look, const Times& times) {
    ByteBuffer out;
    NameWriter names;

    // The vehicle: three empty names.
    out.u32(kChallengeClass + 0x00D);
    names.writeEmpty(out);
    out.u32(kNoName);
    out.u32(kNoName);

    // The block collection list (empty) and the track parameters, each a node of its own.
    out.u32(kChallengeClass + 0x011);
    out.u32(1);
    out.u32(kCollectionListClass);
    out.u32(kCollectionListClass);
    out.u32(0);
    out.u32(kEndOfNode);
    out.u32(2);
    out.u32(kParametersClass);
    out.u32(kParametersClass + 0x001); // four tip texts
    for (int i = 0; i < 4; ++i)
        out.string("");
    out.u32(kParametersClass + 0x004); // medal times
    out.u32(times.bronze);
    out.u32(times.silver);
    out.u32(times.gold);
    out.u32(times.author);
    out.u32(0);
    out.u32(kParametersClass + 0x008); // time limit and author score
    out.u32(60000);
    out.u32(times.author);
    out.u32(kEndOfNode);
    out.u32(6); // the track's kind

    // A skippable chunk: laps.
    out.u32(kChallengeClass + 0x018);
    out.text("PIKS");
    out.u32(8);
    out.u32(0);
    out.u32(3);

    // The block list.
    out.u32(kChallengeClass + 0x01F);
    names.write(out, track.uid);
    names.write(out, look.name);
    names.write(out, track.author);
    out.string(track.name);
    names.write(out, look.mood);
    names.write(out, look.name);
    names.write(out, "Nadeo");
    out.u32(32);
    out.u32(32);
    out.u32(32);
    out.u32(0);
    out.u32(1);
    out.u32(static_cast<std::uint32_t>(track.blocks.size()));
    for (const SampleBlock& block : track.blocks) {
        names.write(out, kinds[static_cast<std::size_t>(block.kind - 1)].name);
        out.u8(block.rotation);
        out.u8(static_cast<std::uint8_t>(block.x));
        out.u8(static_cast<std::uint8_t>(block.z));
        out.u8(static_cast<std::uint8_t>(block.y));
        for (std::uint8_t v : block.variant)
            out.u8(v);
    }

    // What follows the block list: clips, settings, map centre, global clip, comments.
    out.u32(kChallengeClass + 0x021);
    out.u32(kNoName);
    out.u32(kNoName);
    out.u32(kNoName);
    out.u32(kChallengeClass + 0x022);
    out.u32(1);
    out.u32(kChallengeClass + 0x025);
    out.f32(16);
    out.f32(16);
    out.f32(16);
    out.f32(16);
    out.u32(kChallengeClass + 0x026);
    out.u32(kNoName);
    out.u32(kChallengeClass + 0x028);
    out.u32(0);
    out.string("");
    out.u32(kEndOfNode);
    return out.take();
}

} // namespace

std::vector<std::uint8_t> encodeTrack(const SampleTrack& track,
                                      const std::vector<BlockKind>& kinds) {
    const EnvironmentLook& look = environmentLooks()[static_cast<std::size_t>(track.environment)];
    const Times times = medalTimes(track);
    ByteBuffer out;
    out.text("GBX");
    out.u16(6);
    out.text("BUUR");
    out.u32(kChallengeClass);
    std::vector<std::uint8_t> user = userData(track, look, times);
    out.u32(static_cast<std::uint32_t>(user.size()));
    out.append(user);
    out.u32(3); // nodes: the track, its collection list, its parameters
    out.u32(0); // no external nodes
    out.append(body(track, kinds, look, times));
    return out.take();
}
