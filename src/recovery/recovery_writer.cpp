#include "recovery/recovery_writer.h"

#include <algorithm>
#include <chrono>
#include <system_error>

#include "recovery/recovery_store.h"
#include "track/track_writer.h"

RecoverySnapshot takeRecoverySnapshot(const std::string& trackPath, const Track& track,
                                      const TrackEnvelope& envelope, const CatalogState& catalog) {
    RecoverySnapshot snapshot;
    snapshot.trackPath = trackPath;
    snapshot.track = track;
    snapshot.envelope = envelope;
    const int environment = catalog.currentEnvironment;
    snapshot.names.currentEnvironment = environment;
    if (environment >= 0 && environment < kEnvironmentCount) {
        std::vector<CatalogEntry>& entries = snapshot.names.catalogs[environment].entries;
        entries.reserve(catalog.catalogs[environment].entries.size());
        for (const CatalogEntry& entry : catalog.catalogs[environment].entries) {
            entries.emplace_back();
            entries.back().name = entry.name;
        }
    }
    snapshot.takenAtMs = std::chrono::duration_cast<std::chrono::milliseconds>(
                             std::chrono::system_clock::now().time_since_epoch())
                             .count();
    return snapshot;
}

RecoveryWriter::RecoveryWriter() : worker_([this] { run(); }) {}

RecoveryWriter::~RecoveryWriter() {
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    changed_.notify_all();
    worker_.join();
}

void RecoveryWriter::write(const std::filesystem::path& file, RecoverySnapshot snapshot) {
    queue({file, std::move(snapshot)});
}

void RecoveryWriter::remove(const std::filesystem::path& file) {
    queue({file, std::nullopt});
}

void RecoveryWriter::flush() {
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [this] { return jobs_.empty() && !busy_; });
}

void RecoveryWriter::queue(Job job) {
    {
        std::lock_guard lock(mutex_);
        std::erase_if(jobs_, [&job](const Job& waiting) { return waiting.file == job.file; });
        jobs_.push_back(std::move(job));
    }
    changed_.notify_all();
}

void RecoveryWriter::run() {
    std::unique_lock lock(mutex_);
    for (;;) {
        changed_.wait(lock, [this] { return stopping_ || !jobs_.empty(); });
        if (jobs_.empty())
            return;
        Job job = std::move(jobs_.front());
        jobs_.pop_front();
        busy_ = true;
        lock.unlock();
        if (job.snapshot) {
            const RecoverySnapshot& s = *job.snapshot;
            if (auto bytes = serialiseTrack(s.track, s.envelope, s.names))
                writeRecoveryFile(job.file, {s.trackPath, s.takenAtMs, std::move(*bytes)});
        } else {
            std::error_code ec;
            std::filesystem::remove(job.file, ec);
        }
        // The snapshot's records are released here, off the drawing thread.
        job = Job{};
        lock.lock();
        busy_ = false;
        changed_.notify_all();
    }
}
