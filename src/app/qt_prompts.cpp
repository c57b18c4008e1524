#include "app/qt_prompts.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QInputDialog>
#include <QMessageBox>

#include "ui/block_picker.h"

namespace {

QMessageBox::Icon boxIcon(MessageIcon icon) {
    switch (icon) {
    case MessageIcon::Information:
        return QMessageBox::Information;
    case MessageIcon::Error:
        return QMessageBox::Critical;
    case MessageIcon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

} // namespace

std::optional<std::string> QtPrompts::runFileDialog(bool save) {
    const QFileDialog::AcceptMode mode = save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen;
    QFileDialog dialog(owner_);
    if (!dialogFolder_.empty())
        dialog.setDirectory(QString::fromStdString(dialogFolder_));
    dialog.setAcceptMode(mode);
    // Opening needs an existing file; saving may name a new one (an existing one is confirmed
    // by the dialog's overwrite question).
    dialog.setFileMode(mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile
                                                       : QFileDialog::AnyFile);
    dialog.setNameFilter(QString::fromLatin1(kTrackFileFilter));
    dialog.setOption(QFileDialog::HideNameFilterDetails);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    const QString chosen = dialog.selectedFiles().front();
    dialogFolder_ = QFileInfo(chosen).absolutePath().toStdString();
    if (folderChosen_)
        folderChosen_(dialogFolder_);
    return chosen.toStdString();
}

void QtPrompts::dialogEnded() const {
    if (afterDialog_)
        afterDialog_();
}

void QtPrompts::message(const std::string& text, const std::string& caption, MessageIcon icon) {
    {
        QMessageBox box(boxIcon(icon), QString::fromStdString(caption),
                        QString::fromStdString(text), QMessageBox::Ok);
        box.exec();
    }
    // Only once the box is gone: its event loop and its window may leave another context current.
    dialogEnded();
}

bool QtPrompts::askYesNo(const std::string& text, const std::string& caption) {
    bool yes = false;
    {
        QMessageBox box(QMessageBox::NoIcon, QString::fromStdString(caption),
                        QString::fromStdString(text), QMessageBox::Yes | QMessageBox::No, owner_);
        yes = box.exec() == QMessageBox::Yes;
    }
    dialogEnded();
    return yes;
}

std::optional<std::string> QtPrompts::chooseOpenPath() {
    std::optional<std::string> path = runFileDialog(false);
    dialogEnded();
    return path;
}

std::optional<std::string> QtPrompts::chooseSavePath() {
    std::optional<std::string> path = runFileDialog(true);
    dialogEnded();
    return path;
}

int QtPrompts::pickBlock() {
    const int picked = showBlockPicker(owner_, ctx_);
    dialogEnded();
    return picked;
}

SaveChoice QtPrompts::askSaveChanges(const std::string& text) {
    SaveChoice choice = SaveChoice::Cancel;
    {
        QMessageBox box(QMessageBox::Warning, QString::fromLatin1(kProgramCaption),
                        QString::fromStdString(text),
                        QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, owner_);
        box.setDefaultButton(QMessageBox::Save);
        box.setEscapeButton(QMessageBox::Cancel);
        const int answer = box.exec();
        if (answer == QMessageBox::Save)
            choice = SaveChoice::Save;
        else if (answer == QMessageBox::Discard)
            choice = SaveChoice::Discard;
    }
    dialogEnded();
    return choice;
}

std::optional<std::string> QtPrompts::askText(const std::string& text, const std::string& caption,
                                              const std::string& initial) {
    std::optional<std::string> answer;
    {
        bool ok = false;
        const QString typed = QInputDialog::getText(owner_, QString::fromStdString(caption),
                                                    QString::fromStdString(text), QLineEdit::Normal,
                                                    QString::fromStdString(initial), &ok);
        if (ok)
            answer = typed.toStdString();
    }
    dialogEnded();
    return answer;
}
