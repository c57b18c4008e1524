#pragma once

#include <chrono>
#include <filesystem>
#include <string>

// Starts the converter program and reaps it. The reader polls for the converter's ".bak" in
// between; tests inject a fake that converts in place.
class ConverterLauncher {
  public:
    virtual ~ConverterLauncher() = default;

    // Starts `program` with `argument` as its only argument and `workingFolder` as its working
    // folder, without waiting for it. False when it could not be started.
    virtual bool start(const std::filesystem::path& program, const std::string& argument,
                       const std::filesystem::path& workingFolder) = 0;
    // Waits up to `timeout` for the started program to end, stops it if it is still running,
    // and reaps it. Does nothing when nothing was started.
    virtual void reap(std::chrono::milliseconds timeout) = 0;
};

// Starts a child process with fork and exec and reaps it with waitpid.
class PosixConverterLauncher : public ConverterLauncher {
  public:
    PosixConverterLauncher() = default;
    PosixConverterLauncher(const PosixConverterLauncher&) = delete;
    PosixConverterLauncher& operator=(const PosixConverterLauncher&) = delete;
    ~PosixConverterLauncher() override;

    bool start(const std::filesystem::path& program, const std::string& argument,
               const std::filesystem::path& workingFolder) override;
    void reap(std::chrono::milliseconds timeout) override;

  private:
    int child_ = -1;
};
