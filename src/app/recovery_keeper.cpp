#include "app/recovery_keeper.h"

#include <QStandardPaths>

#include "edit/editor_context.h"
#include "recovery/recovery_store.h"
#include "seams/prompts.h"

namespace {

constexpr int kLookInterval = 1000; // ms

} // namespace

RecoveryKeeper::RecoveryKeeper(EditorContext& ctx) : ctx_(ctx), folder_(defaultFolder()) {
    schedule_.removed(ctx_.document.history().changeSerial(), RecoverySchedule::Clock::now());
    listener_ = ctx_.document.addListener([this](const DocumentChange& change) {
        // A selection changes nothing that a copy keeps.
        if (change.cause != DocumentChange::Cause::Selection)
            check();
    });
    connect(&timer_, &QTimer::timeout, this, [this] { check(); });
    timer_.start(kLookInterval);
}

RecoveryKeeper::~RecoveryKeeper() {
    ctx_.document.removeListener(listener_);
    removeCopy();
}

std::filesystem::path RecoveryKeeper::defaultFolder() {
    const QString data = QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation);
    return std::filesystem::path(data.toStdString()) / "recovery";
}

void RecoveryKeeper::offerAtStart(const Recover& recover) {
    bool recovered = false;
    for (const FoundRecovery& found : findRecoveryFiles(folder_)) {
        if (!found.copy) {
            ctx_.prompts().message(damagedRecoveryMessage(found.file), kProgramCaption,
                                  MessageIcon::Error);
            continue;
        }
        std::error_code ec;
        if (!isNewerThanItsTrack(*found.copy)) {
            std::filesystem::remove(found.file, ec);
            continue;
        }
        if (recovered)
            continue; // one track is open at a time; the others are offered next time
        if (!ctx_.prompts().askYesNo(recoveryQuestion(*found.copy), kProgramCaption)) {
            std::filesystem::remove(found.file, ec);
            continue;
        }
        if (!recover(found.copy->trackPath, found.copy->trackBytes)) {
            ctx_.prompts().message(damagedRecoveryMessage(found.file), kProgramCaption,
                                  MessageIcon::Error);
            continue;
        }
        // The copy stays until the recovered track is saved or the editor closes cleanly.
        recovered = true;
        copyFile_ = found.file;
        schedule_.adopt(ctx_.document.history().changeSerial(), RecoverySchedule::Clock::now());
    }
}

void RecoveryKeeper::check() {
    // A track that was never opened has no file to recover into.
    const TrackDocument& document = ctx_.document;
    const bool modified = document.modified() && !document.path().empty();
    const std::uint64_t steps = document.history().changeSerial();
    const auto now = RecoverySchedule::Clock::now();
    switch (schedule_.check(modified, steps, now)) {
    case RecoverySchedule::Due::Write:
        copyFile_ = recoveryFilePath(folder_, document.path());
        writer_.write(copyFile_, takeRecoverySnapshot(document.path(), document.track(),
                                                      document.envelope(), ctx_.catalog));
        schedule_.wrote(steps, now);
        break;
    case RecoverySchedule::Due::Remove:
        removeCopy();
        schedule_.removed(steps, now);
        break;
    case RecoverySchedule::Due::Nothing:
        break;
    }
}

void RecoveryKeeper::removeCopy() {
    if (copyFile_.empty())
        return;
    writer_.remove(copyFile_);
    copyFile_.clear();
}
