#include "app/recovery_keeper.h"

#include <QCoreApplication>
#include <QEvent>
#include <QStandardPaths>

#include "edit/editor_context.h"
#include "recovery/recovery_store.h"
#include "seams/prompts.h"

namespace {

constexpr int kLookInterval = 1000; // ms

} // namespace

RecoveryKeeper::RecoveryKeeper(EditorContext& ctx) : ctx_(ctx), folder_(defaultFolder()) {
    watch_.matchesFile(ctx_.currentTrack);
    connect(&timer_, &QTimer::timeout, this, [this] { check(); });
    timer_.start(kLookInterval);
    QCoreApplication::instance()->installEventFilter(this);
}

RecoveryKeeper::~RecoveryKeeper() {
    removeCopy();
}

std::filesystem::path RecoveryKeeper::defaultFolder() {
    const QString data = QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation);
    return std::filesystem::path(data.toStdString()) / "recovery";
}

void RecoveryKeeper::offerAtStart(const Recover& recover) {
    for (const FoundRecovery& found : findRecoveryFiles(folder_)) {
        if (!found.copy) {
            ctx_.prompts->message(damagedRecoveryMessage(found.file), kProgramCaption,
                                  MessageIcon::Error);
            continue;
        }
        std::error_code ec;
        if (!isNewerThanItsTrack(*found.copy)) {
            std::filesystem::remove(found.file, ec);
            continue;
        }
        if (!copyFile_.empty())
            continue; // one track is open at a time; the others are offered next time
        if (!ctx_.prompts->askYesNo(recoveryQuestion(*found.copy), kProgramCaption)) {
            std::filesystem::remove(found.file, ec);
            continue;
        }
        if (!recover(found.copy->trackPath, found.copy->trackBytes)) {
            ctx_.prompts->message(damagedRecoveryMessage(found.file), kProgramCaption,
                                  MessageIcon::Error);
            continue;
        }
        // The copy stays until the recovered track is saved or the editor closes cleanly.
        watch_.differsFromFile(ctx_.currentTrack);
        schedule_.adopt(watch_.steps(), RecoverySchedule::Clock::now());
        copyFile_ = found.file;
    }
}

void RecoveryKeeper::trackOpened() {
    removeCopy();
    watch_.matchesFile(ctx_.currentTrack);
    schedule_.removed(watch_.steps(), RecoverySchedule::Clock::now());
}

void RecoveryKeeper::trackSaved() {
    trackOpened();
}

void RecoveryKeeper::check() {
    checkQueued_ = false;
    watch_.look(ctx_.currentTrack);
    // A track that was never opened has no file to recover into.
    const bool modified = watch_.modified() && !ctx_.currentTrackPath.empty();
    const auto now = RecoverySchedule::Clock::now();
    switch (schedule_.check(modified, watch_.steps(), now)) {
    case RecoverySchedule::Due::Write:
        copyFile_ = recoveryFilePath(folder_, ctx_.currentTrackPath);
        writer_.write(copyFile_, takeRecoverySnapshot(ctx_.currentTrackPath, ctx_.currentTrack,
                                                      ctx_.envelope, ctx_.catalog));
        schedule_.wrote(watch_.steps(), now);
        break;
    case RecoverySchedule::Due::Remove:
        removeCopy();
        schedule_.removed(watch_.steps(), now);
        break;
    case RecoverySchedule::Due::Nothing:
        break;
    }
}

bool RecoveryKeeper::eventFilter(QObject* watched, QEvent* event) {
    // Looked at once the input has been handled.
    const QEvent::Type type = event->type();
    if (!checkQueued_ && (type == QEvent::KeyPress || type == QEvent::MouseButtonRelease)) {
        checkQueued_ = true;
        QTimer::singleShot(0, this, [this] { check(); });
    }
    return QObject::eventFilter(watched, event);
}

void RecoveryKeeper::removeCopy() {
    if (copyFile_.empty())
        return;
    writer_.remove(copyFile_);
    copyFile_.clear();
}
