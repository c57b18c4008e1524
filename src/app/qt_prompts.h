#pragma once

#include <functional>
#include <optional>
#include <string>

#include "seams/prompts.h"

struct EditorContext;
class QWidget;

// The program's messages, questions and file dialogs as Qt dialogs. Messages have no owner
// window; questions and file dialogs belong to the main window.
class QtPrompts : public Prompts {
  public:
    explicit QtPrompts(EditorContext& ctx) : ctx_(ctx) {}

    void setOwner(QWidget* owner) { owner_ = owner; }
    // Runs after every dialog: its event loop may have left another GL context current.
    void setAfterDialog(std::function<void()> afterDialog) {
        afterDialog_ = std::move(afterDialog);
    }

    // The folder both file dialogs start in, and who hears of the folder of each chosen file.
    void setDialogFolder(const std::string& folder,
                         std::function<void(const std::string&)> folderChosen = {}) {
        dialogFolder_ = folder;
        folderChosen_ = std::move(folderChosen);
    }
    const std::string& dialogFolder() const { return dialogFolder_; }

    void message(const std::string& text, const std::string& caption, MessageIcon icon) override;
    bool askYesNo(const std::string& text, const std::string& caption) override;
    std::optional<std::string> chooseOpenPath() override;
    std::optional<std::string> chooseSavePath() override;
    int pickBlock() override;
    SaveChoice askSaveChanges(const std::string& text) override;
    std::optional<std::string> askText(const std::string& text, const std::string& caption,
                                       const std::string& initial) override;

  private:
    void dialogEnded() const;
    std::optional<std::string> runFileDialog(bool save);

    EditorContext& ctx_;
    std::function<void()> afterDialog_;
    std::function<void(const std::string&)> folderChosen_;
    std::string dialogFolder_;
    QWidget* owner_ = nullptr;
};

// The single filter of both file dialogs: shown as "GBX files (.gbx)", matching "*.gbx".
inline constexpr const char* kTrackFileFilter = "GBX files (.gbx) (*.gbx)";
