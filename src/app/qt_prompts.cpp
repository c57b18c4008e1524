#include "app/qt_prompts.h"

#include <QFileDialog>
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

std::optional<std::string> runFileDialog(QWidget* owner, QFileDialog::AcceptMode mode) {
    QFileDialog dialog(owner);
    dialog.setAcceptMode(mode);
    // Opening needs an existing file; saving may name a new one (an existing one is confirmed
    // by the dialog's overwrite question).
    dialog.setFileMode(mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile
                                                       : QFileDialog::AnyFile);
    dialog.setNameFilter(QString::fromLatin1(kTrackFileFilter));
    dialog.setOption(QFileDialog::HideNameFilterDetails);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return dialog.selectedFiles().front().toStdString();
}

} // namespace

void QtPrompts::message(const std::string& text, const std::string& caption, MessageIcon icon) {
    QMessageBox box(boxIcon(icon), QString::fromStdString(caption), QString::fromStdString(text),
                    QMessageBox::Ok);
    box.exec();
}

bool QtPrompts::askYesNo(const std::string& text, const std::string& caption) {
    QMessageBox box(QMessageBox::NoIcon, QString::fromStdString(caption),
                    QString::fromStdString(text), QMessageBox::Yes | QMessageBox::No, owner_);
    return box.exec() == QMessageBox::Yes;
}

std::optional<std::string> QtPrompts::chooseOpenPath() {
    return runFileDialog(owner_, QFileDialog::AcceptOpen);
}

std::optional<std::string> QtPrompts::chooseSavePath() {
    return runFileDialog(owner_, QFileDialog::AcceptSave);
}

int QtPrompts::pickBlock() {
    return showBlockPicker(owner_, ctx_);
}
