#include "track/parsed_track.h"

#include <string_view>
#include <unordered_map>

namespace {
constexpr std::size_t kUidLength = 27;
constexpr std::size_t kUidOffset = 12;
} // namespace

std::string readUid(const std::vector<std::uint8_t>& bytes, std::size_t identAt) {
    std::string uid;
    for (std::size_t i = identAt + kUidOffset; i < bytes.size() && uid.size() < kUidLength; ++i) {
        if (bytes[i] == 0)
            break;
        uid.push_back(static_cast<char>(bytes[i]));
    }
    if (std::size_t quote = uid.find('"'); quote != std::string::npos)
        uid.resize(quote);
    return uid;
}

void resolveBlockNames(Track& track, const std::vector<std::string>& catalogNames) {
    std::unordered_map<std::string_view, std::uint32_t> indexOf;
    for (std::size_t i = 0; i < catalogNames.size(); ++i)
        indexOf.emplace(catalogNames[i], static_cast<std::uint32_t>(i + 1));
    for (BlockRecord& record : track.blocks) {
        if (!record.keptName.empty()) {
            if (auto found = indexOf.find(record.keptName); found != indexOf.end()) {
                record.catalogIndex = found->second;
                record.keptName.clear();
            }
        }
    }
}
