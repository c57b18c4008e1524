#pragma once

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <filesystem>
#include <mutex>
#include <optional>
#include <string>
#include <thread>

#include "catalog/catalog.h"
#include "track/track.h"

// What a recovery copy is made of, copied from the editor in one go so that a worker thread can
// turn it into a file while editing goes on. Of the catalogue only the current environment's
// names are kept: they are all that writing needs.
struct RecoverySnapshot {
    std::string trackPath;
    Track track;
    TrackEnvelope envelope;
    CatalogState names;
    std::int64_t takenAtMs = 0; // milliseconds since the epoch
};

RecoverySnapshot takeRecoverySnapshot(const std::string& trackPath, const Track& track,
                                      const TrackEnvelope& envelope, const CatalogState& catalog);

// Writes and removes recovery files on a thread of its own, in the order asked; a newer request
// for a file replaces one for it still waiting. The destructor finishes what was asked.
class RecoveryWriter {
  public:
    RecoveryWriter();
    ~RecoveryWriter();
    RecoveryWriter(const RecoveryWriter&) = delete;
    RecoveryWriter& operator=(const RecoveryWriter&) = delete;

    void write(const std::filesystem::path& file, RecoverySnapshot snapshot);
    void remove(const std::filesystem::path& file);
    // Waits until everything asked so far is done.
    void flush();

  private:
    struct Job {
        std::filesystem::path file;
        std::optional<RecoverySnapshot> snapshot; // none: remove the file
    };
    void queue(Job job);
    void run();

    std::mutex mutex_;
    std::condition_variable changed_;
    std::deque<Job> jobs_;
    bool busy_ = false;
    bool stopping_ = false;
    std::thread worker_;
};
