#pragma once

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

    void message(const std::string& text, const std::string& caption, MessageIcon icon) override;
    bool askYesNo(const std::string& text, const std::string& caption) override;
    std::optional<std::string> chooseOpenPath() override;
    std::optional<std::string> chooseSavePath() override;
    int pickBlock() override;

  private:
    EditorContext& ctx_;
    QWidget* owner_ = nullptr;
};

// The single filter of both file dialogs: shown as "GBX files (.gbx)", matching "*.gbx".
inline constexpr const char* kTrackFileFilter = "GBX files (.gbx) (*.gbx)";
