#pragma once

#include <ostream>

#include "seams/prompts.h"

// Prompts for a program without windows: messages go to a stream, nobody is asked anything.
class StreamPrompts : public SilentPrompts {
  public:
    explicit StreamPrompts(std::ostream& out) : out_(out) {}
    void message(const std::string& text, const std::string&, MessageIcon) override {
        out_ << text << '\n';
    }

  private:
    std::ostream& out_;
};
