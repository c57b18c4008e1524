#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include <QObject>
#include <QTimer>

#include "recovery/change_watch.h"
#include "recovery/recovery_schedule.h"
#include "recovery/recovery_writer.h"

struct EditorContext;

// Keeps a recovery copy of the open track while it has unsaved changes, in the user's
// application data folder, and offers the copies it finds at start-up. It looks at the track
// each second and after each input event; what is written is decided by the schedule and done by
// the writer's thread, so an edit waits only for the snapshot.
class RecoveryKeeper : public QObject {
  public:
    // `recover` opens converted bytes as an unsaved edit of the given track path.
    using Recover = std::function<bool(const std::string&, const std::vector<std::uint8_t>&)>;

    explicit RecoveryKeeper(EditorContext& ctx);
    // A clean close: the copy goes.
    ~RecoveryKeeper() override;

    static std::filesystem::path defaultFolder();
    const std::filesystem::path& folder() const { return folder_; }

    // Offers every copy newer than its track until one is recovered; removes those declined or
    // older than their track, reports damaged ones and leaves them.
    void offerAtStart(const Recover& recover);
    void trackOpened();
    void trackSaved();
    // Looks at the track and writes or removes the copy when due.
    void check();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void removeCopy();

    EditorContext& ctx_;
    std::filesystem::path folder_;
    std::filesystem::path copyFile_; // the copy written for the open track, if any
    ChangeWatch watch_;
    RecoverySchedule schedule_;
    RecoveryWriter writer_;
    QTimer timer_;
    bool checkQueued_ = false;
};
