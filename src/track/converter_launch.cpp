#include "track/converter_launch.h"

#include <cerrno>
#include <csignal>
#include <thread>

#include <sys/wait.h>
#include <unistd.h>

PosixConverterLauncher::~PosixConverterLauncher() {
    reap(std::chrono::milliseconds(0));
}

bool PosixConverterLauncher::start(const std::filesystem::path& program,
                                   const std::string& argument,
                                   const std::filesystem::path& workingFolder) {
    reap(std::chrono::milliseconds(0));
    // Everything the child needs is prepared before the fork: it may only chdir and exec.
    std::error_code ec;
    std::string programText = std::filesystem::absolute(program, ec).string();
    if (ec)
        return false;
    std::string argumentText = argument;
    std::string folderText = workingFolder.string();
    char* argv[] = {programText.data(), argumentText.data(), nullptr};
    long openLimit = ::sysconf(_SC_OPEN_MAX);
    int lastDescriptor = openLimit > 0 && openLimit < 65536 ? static_cast<int>(openLimit) : 65536;
    pid_t pid = ::fork();
    if (pid < 0)
        return false;
    if (pid == 0) {
        // The converter gets the standard streams only, not the editor's windows and files.
        for (int fd = 3; fd < lastDescriptor; ++fd)
            ::close(fd);
        if (::chdir(folderText.c_str()) == 0)
            ::execv(programText.c_str(), argv);
        ::_exit(127);
    }
    child_ = pid;
    return true;
}

void PosixConverterLauncher::reap(std::chrono::milliseconds timeout) {
    if (child_ < 0)
        return;
    auto deadline = std::chrono::steady_clock::now() + timeout;
    int status = 0;
    while (true) {
        pid_t done = ::waitpid(child_, &status, WNOHANG);
        if (done == child_ || (done < 0 && errno != EINTR))
            break;
        if (std::chrono::steady_clock::now() >= deadline) {
            ::kill(child_, SIGKILL);
            while (::waitpid(child_, &status, 0) < 0 && errno == EINTR) {
            }
            break;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    child_ = -1;
}
