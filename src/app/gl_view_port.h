#pragma once

#include "seams/view_port.h"

class DrawArea;

// The view port the editing logic draws through: the renderer runs with the view's GL context
// current, and nothing is drawn or read before that context exists.
class GlViewPort : public ViewPort {
  public:
    GlViewPort(DrawArea& view, ViewPort& renderer) : view_(view), renderer_(renderer) {}

    void renderFrame(bool display) override;
    // White without a context: no block has a 255 component and white is no handle colour,
    // so nothing is picked.
    Rgb readPickColour(int x, int y) override;
    Rgb pickColourAt(int x, int y) override;
    const BlockRecord* blockOfColour(Rgb colour) const override {
        return renderer_.blockOfColour(colour);
    }

  private:
    DrawArea& view_;
    ViewPort& renderer_;
};
