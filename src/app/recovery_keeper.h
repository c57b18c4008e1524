#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include <QObject>
#include <QTimer>

#include "recovery/recovery_schedule.h"
#include "recovery/recovery_writer.h"

struct EditorContext;

// Keeps a recovery copy of the open track while it has unsaved changes, in the user's
// application data folder, and offers the copies it finds at start-up. It looks at the edit
// history after every change and each second; the schedule decides, the writer's thread writes,
// so an edit waits only for the snapshot.
class RecoveryKeeper : public QObject {
  public:
    // `recover` opens converted bytes as an unsaved edit of the given track path.
    using Recover = std::function<bool(const std::string&, const std::vector<std::uint8_t>&)>;

    explicit RecoveryKeeper(EditorContext& ctx);
    // A clean close: the copy goes.
    ~RecoveryKeeper() override;

    static std::filesystem::path defaultFolder();

    // Offers every copy newer than its track until one is recovered; removes those declined or
    // older than their track, reports damaged ones and leaves them.
    void offerAtStart(const Recover& recover);
    // Writes or removes the copy when due.
    void check();

  private:
    void removeCopy();

    EditorContext& ctx_;
    std::filesystem::path folder_;
    std::filesystem::path copyFile_; // the copy written for the open track, if any
    RecoverySchedule schedule_;
    RecoveryWriter writer_;
    QTimer timer_;
    int listener_ = 0;
};
