#pragma once

#include <string>

struct BlockRecord;

// What the editing logic tells the Blocks and Area pages and the main window's status line.
class Panels {
  public:
    virtual ~Panels() = default;

    // Marks or unmarks one line of the block list (0-based, track order).
    virtual void markBlockLine(int index, bool marked) = 0;
    virtual void unmarkAllBlockLines() = 0;
    // Empties the block list and fills it again from the current track.
    virtual void refillBlockList() = 0;
    // Shows one block in the "Current block" panel, or blanks it for none.
    virtual void refreshProperties(const BlockRecord* record) = 0;
    virtual void refreshCursorPosition() = 0;
    virtual void refreshAreaCounts() = 0;
    virtual void setFrameRateText(const std::string& text) = 0;
    // A short message for the status line (a step dropped from the history, blocks left out).
    virtual void showStatusMessage(const std::string& text) = 0;
};
