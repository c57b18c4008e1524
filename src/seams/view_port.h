#pragma once

#include <cstdint>

struct BlockRecord;

struct Rgb {
    std::uint8_t r = 0;
    std::uint8_t g = 0;
    std::uint8_t b = 0;
    bool operator==(const Rgb&) const = default;
};

// The 3D view as the editing logic sees it: draw a frame, read one pixel of the last render.
class ViewPort {
  public:
    virtual ~ViewPort() = default;

    // A display render (presented) or a picking render (never presented).
    virtual void renderFrame(bool display) = 0;
    // Colour under the pointer, in view pixels with y counted downward from the top.
    virtual Rgb readPickColour(int x, int y) = 0;
    // A picking render read at one pixel. A renderer may draw only what can cover that pixel,
    // leaving the rest of the buffer undefined.
    virtual Rgb pickColourAt(int x, int y) {
        renderFrame(false);
        return readPickColour(x, y);
    }
    // The block the last picking render drew in that colour, or none.
    virtual const BlockRecord* blockOfColour(Rgb colour) const = 0;
};
