#pragma once

#include <optional>
#include <string>

enum class MessageIcon { None, Information, Error };
enum class SaveChoice { Save, Discard, Cancel };

// Every message box, question and file dialog goes through here, so that the logic runs
// without windows and tests can script the answers.
class Prompts {
  public:
    virtual ~Prompts() = default;

    // A message box without an owner window, with a single OK button.
    virtual void message(const std::string& text, const std::string& caption, MessageIcon icon) = 0;
    // A Yes/No question owned by the main window; true only for Yes.
    virtual bool askYesNo(const std::string& text, const std::string& caption) = 0;
    // File dialogs with the filter "GBX files (.gbx)"; none when cancelled.
    virtual std::optional<std::string> chooseOpenPath() = 0;
    virtual std::optional<std::string> chooseSavePath() = 0;
    // The modal block picker; the chosen catalogue index, or 0 when closed without a choice.
    virtual int pickBlock() = 0;
    // "Save changes to <name>?" with Save, Discard and Cancel, owned by the main window.
    virtual SaveChoice askSaveChanges(const std::string& text) = 0;
    // A line of text, offered as `initial`, owned by the main window; none when cancelled.
    virtual std::optional<std::string> askText(const std::string& text, const std::string& caption,
                                               const std::string& initial) = 0;
};

inline constexpr const char* kProgramCaption = "Blockyard 0.1 alpha";

// Prompts with nobody to ask: messages go unseen, questions get No, dialogs close, and unsaved
// changes are let go as they were before anyone could be asked.
class SilentPrompts : public Prompts {
  public:
    void message(const std::string&, const std::string&, MessageIcon) override {}
    bool askYesNo(const std::string&, const std::string&) override { return false; }
    std::optional<std::string> chooseOpenPath() override { return std::nullopt; }
    std::optional<std::string> chooseSavePath() override { return std::nullopt; }
    int pickBlock() override { return 0; }
    SaveChoice askSaveChanges(const std::string&) override { return SaveChoice::Discard; }
    std::optional<std::string> askText(const std::string&, const std::string&,
                                       const std::string&) override {
        return std::nullopt;
    }
};
