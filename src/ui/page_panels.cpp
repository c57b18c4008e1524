#include "ui/page_panels.h"

#include "ui/area_page.h"
#include "ui/blocks_page.h"

PagePanels::PagePanels(BlocksPage& blocks, AreaPage& area,
                       std::function<void(const std::string&)> frameRateText,
                       std::function<void(const std::string&)> statusText)
    : blocks_(blocks), area_(area), frameRateText_(std::move(frameRateText)),
      statusText_(std::move(statusText)) {}

void PagePanels::markBlockLine(int index, bool marked) {
    blocks_.markBlockLine(index, marked);
}

void PagePanels::unmarkAllBlockLines() {
    blocks_.unmarkAllBlockLines();
}

void PagePanels::refillBlockList() {
    blocks_.fillBlockList();
}

void PagePanels::refreshProperties(const BlockRecord* record) {
    blocks_.refreshProperties(record);
}

void PagePanels::refreshCursorPosition() {
    area_.refreshCursorPosition();
}

void PagePanels::refreshAreaCounts() {
    blocks_.flushLineMarks();
    area_.refreshAreaCounts();
}

void PagePanels::setFrameRateText(const std::string& text) {
    if (frameRateText_)
        frameRateText_(text);
}

void PagePanels::showStatusMessage(const std::string& text) {
    if (statusText_)
        statusText_(text);
}
