#pragma once

#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "seams/prompts.h"

// Records every message and question; answers come from queues that the test fills.
class RecordingPrompts : public Prompts {
  public:
    struct Shown {
        std::string text;
        std::string caption;
        MessageIcon icon = MessageIcon::None;
        bool question = false;
    };

    std::vector<Shown> shown;
    std::deque<bool> answers;
    std::deque<std::optional<std::string>> openPaths;
    std::deque<std::optional<std::string>> savePaths;
    std::deque<int> pickedBlocks;
    std::deque<SaveChoice> saveChoices;
    std::deque<std::optional<std::string>> texts;

    void message(const std::string& text, const std::string& caption, MessageIcon icon) override {
        shown.push_back({text, caption, icon, false});
    }
    bool askYesNo(const std::string& text, const std::string& caption) override {
        shown.push_back({text, caption, MessageIcon::None, true});
        return pop(answers, false);
    }
    std::optional<std::string> chooseOpenPath() override { return pop(openPaths, {}); }
    std::optional<std::string> chooseSavePath() override { return pop(savePaths, {}); }
    int pickBlock() override { return pop(pickedBlocks, 0); }
    SaveChoice askSaveChanges(const std::string& text) override {
        shown.push_back({text, kProgramCaption, MessageIcon::None, true});
        return pop(saveChoices, SaveChoice::Discard);
    }
    std::optional<std::string> askText(const std::string& text, const std::string& caption,
                                       const std::string&) override {
        shown.push_back({text, caption, MessageIcon::None, true});
        return pop(texts, {});
    }

  private:
    template <typename T> static T pop(std::deque<T>& queue, T fallback) {
        if (queue.empty())
            return fallback;
        T value = queue.front();
        queue.pop_front();
        return value;
    }
};
