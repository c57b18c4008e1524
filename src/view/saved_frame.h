#pragma once

#include <cstdint>
#include <optional>
#include <vector>

// The colour and depth of the viewport at one moment of a frame, with the scene signature they
// were drawn for, put back later instead of drawing the same scene again.
class SavedFrame {
  public:
    // Reads the whole viewport of the current framebuffer.
    void save(std::uint64_t signature);
    // Writes the saved colour and depth back over the whole viewport; false (nothing written)
    // unless a frame of this signature and of the viewport's size is saved.
    bool restore(std::uint64_t signature);
    void forget() { signature_.reset(); }

  private:
    std::optional<std::uint64_t> signature_;
    int width_ = 0;
    int height_ = 0;
    std::vector<std::uint8_t> colour_;
    std::vector<std::uint32_t> depth_;
};
