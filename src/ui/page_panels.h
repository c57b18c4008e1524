#pragma once

#include <functional>
#include <string>

#include "seams/panels.h"

class AreaPage;
class BlocksPage;

// The panels seam over the two tab pages; the frame-rate line and the status messages go to
// whoever shows them.
class PagePanels : public Panels {
  public:
    PagePanels(BlocksPage& blocks, AreaPage& area,
               std::function<void(const std::string&)> frameRateText = {},
               std::function<void(const std::string&)> statusText = {});

    void markBlockLine(int index, bool marked) override;
    void unmarkAllBlockLines() override;
    void refillBlockList() override;
    void refreshProperties(const BlockRecord* record) override;
    void refreshCursorPosition() override;
    void refreshAreaCounts() override;
    void setFrameRateText(const std::string& text) override;
    void showStatusMessage(const std::string& text) override;

  private:
    BlocksPage& blocks_;
    AreaPage& area_;
    std::function<void(const std::string&)> frameRateText_;
    std::function<void(const std::string&)> statusText_;
};
