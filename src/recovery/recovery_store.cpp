#include "recovery/recovery_store.h"

#include <algorithm>
#include <chrono>
#include <ctime>
#include <fstream>
#include <iterator>
#include <system_error>

#include "track/atomic_file.h"

namespace {

constexpr const char* kExtension = ".recovery";

std::uint64_t fnv1a(const std::string& text) {
    std::uint64_t hash = 0xCBF29CE484222325ull;
    for (unsigned char c : text)
        hash = (hash ^ c) * 0x100000001B3ull;
    return hash;
}

std::optional<std::vector<std::uint8_t>> readWholeFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return std::nullopt;
    std::vector<std::uint8_t> bytes{std::istreambuf_iterator<char>(in),
                                    std::istreambuf_iterator<char>()};
    if (in.bad())
        return std::nullopt;
    return bytes;
}

std::int64_t millisecondsSinceEpoch(std::filesystem::file_time_type time) {
    auto system = std::chrono::file_clock::to_sys(time);
    return std::chrono::duration_cast<std::chrono::milliseconds>(system.time_since_epoch()).count();
}

} // namespace

std::filesystem::path recoveryFilePath(const std::filesystem::path& folder,
                                       const std::string& trackPath) {
    char name[17];
    std::snprintf(name, sizeof name, "%016llx", static_cast<unsigned long long>(fnv1a(trackPath)));
    return folder / (std::string(name) + kExtension);
}

bool writeRecoveryFile(const std::filesystem::path& file, const RecoveryCopy& copy) {
    std::error_code ec;
    std::filesystem::create_directories(file.parent_path(), ec);
    return replaceFileAtomically(file, encodeRecoveryCopy(copy), 0600);
}

std::vector<FoundRecovery> findRecoveryFiles(const std::filesystem::path& folder) {
    std::vector<FoundRecovery> found;
    std::error_code ec;
    for (const auto& entry : std::filesystem::directory_iterator(folder, ec)) {
        if (entry.path().extension() != kExtension || !entry.is_regular_file(ec))
            continue;
        FoundRecovery item{entry.path(), std::nullopt};
        if (std::optional<std::vector<std::uint8_t>> bytes = readWholeFile(entry.path()))
            item.copy = decodeRecoveryCopy(*bytes);
        found.push_back(std::move(item));
    }
    std::sort(found.begin(), found.end(), [](const FoundRecovery& a, const FoundRecovery& b) {
        if (a.copy.has_value() != b.copy.has_value())
            return a.copy.has_value();
        return a.copy && a.copy->writtenAtMs > b.copy->writtenAtMs;
    });
    return found;
}

bool isNewerThanItsTrack(const RecoveryCopy& copy) {
    std::error_code ec;
    const auto changed = std::filesystem::last_write_time(copy.trackPath, ec);
    return ec || copy.writtenAtMs > millisecondsSinceEpoch(changed);
}

std::string recoveryQuestion(const RecoveryCopy& copy) {
    const std::time_t seconds = static_cast<std::time_t>(copy.writtenAtMs / 1000);
    std::tm local{};
    localtime_r(&seconds, &local);
    char time[32];
    std::strftime(time, sizeof time, "%Y-%m-%d %H:%M:%S", &local);
    const std::string name = std::filesystem::path(copy.trackPath).filename().string();
    return "Recover unsaved changes to " + name + " from " + time + "?";
}

std::string damagedRecoveryMessage(const std::filesystem::path& file) {
    return "The recovery copy " + file.string() +
           " is damaged and cannot be read. It was left as it is.";
}
