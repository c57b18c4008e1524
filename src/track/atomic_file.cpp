#include "track/atomic_file.h"

#include <cerrno>
#include <random>
#include <string>
#include <system_error>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Longest file name most file systems take.
constexpr std::size_t kNameMax = 255;

std::filesystem::path folderOf(const std::filesystem::path& path) {
    std::filesystem::path folder = path.parent_path();
    return folder.empty() ? std::filesystem::path(".") : folder;
}

// "." + name + "." + six random letters, with the name shortened so that the whole still fits a
// file name when the target's own name is near the limit.
std::string temporaryName(const std::string& name, std::mt19937& random) {
    static constexpr char kLetters[] =
        "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    std::string result = "." + name.substr(0, kNameMax - 8) + ".";
    std::uniform_int_distribution<std::size_t> pick(0, sizeof kLetters - 2);
    for (int i = 0; i < 6; ++i)
        result += kLetters[pick(random)];
    return result;
}

bool writeAll(int fd, const std::vector<std::uint8_t>& bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        ssize_t wrote = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (wrote < 0 && errno == EINTR)
            continue;
        if (wrote <= 0)
            return false;
        done += static_cast<std::size_t>(wrote);
    }
    return true;
}

bool syncFolder(const std::filesystem::path& folder) {
    int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY);
    if (fd < 0)
        return false;
    bool ok = ::fsync(fd) == 0;
    return ::close(fd) == 0 && ok;
}

} // namespace

std::optional<std::filesystem::path> writeTemporaryBeside(const std::filesystem::path& target,
                                                          const std::vector<std::uint8_t>& bytes,
                                                          mode_t mode) {
    std::random_device seed;
    std::mt19937 random(seed());
    const std::filesystem::path folder = folderOf(target);
    for (int attempt = 0; attempt < 100; ++attempt) {
        std::filesystem::path temp = folder / temporaryName(target.filename().string(), random);
        int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode);
        if (fd < 0) {
            if (errno == EEXIST)
                continue;
            return std::nullopt;
        }
        bool ok = writeAll(fd, bytes);
        ok = ::fsync(fd) == 0 && ok;
        ok = ::close(fd) == 0 && ok;
        if (ok)
            return temp;
        ::unlink(temp.c_str());
        return std::nullopt;
    }
    return std::nullopt;
}

bool renameSynced(const std::filesystem::path& from, const std::filesystem::path& to) {
    if (::rename(from.c_str(), to.c_str()) != 0)
        return false;
    return syncFolder(folderOf(to));
}

bool replaceFileAtomically(const std::filesystem::path& requested,
                           const std::vector<std::uint8_t>& bytes, mode_t mode) {
    std::error_code ec;
    std::filesystem::path target = requested;
    if (std::filesystem::is_symlink(requested, ec)) {
        std::filesystem::path resolved = std::filesystem::weakly_canonical(requested, ec);
        if (!ec)
            target = resolved;
    }
    struct stat existing {};
    const bool exists = ::stat(target.c_str(), &existing) == 0;
    if (exists) {
        // Renaming over a file bypasses its own write permission; ask the file itself.
        int fd = ::open(target.c_str(), O_WRONLY | O_CLOEXEC);
        if (fd < 0)
            return false;
        ::close(fd);
    }
    std::optional<std::filesystem::path> temp = writeTemporaryBeside(target, bytes, mode);
    if (!temp)
        return false;
    bool ok = !exists || ::chmod(temp->c_str(), existing.st_mode & 07777) == 0;
    // A rename that happened but whose folder sync failed still leaves a complete file.
    if (ok && ::rename(temp->c_str(), target.c_str()) == 0) {
        syncFolder(folderOf(target));
        return true;
    }
    ::unlink(temp->c_str());
    return false;
}
