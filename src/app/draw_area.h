#pragma once

#include <QOpenGLWidget>
#include <QPointF>

#include "edit/area_editor.h"
#include "edit/track_document.h"
#include "seams/view_port.h"
#include "view/view_state.h"

class PlacingMode;

// The 3D view window. Its framebuffer keeps the last frame: painting draws nothing new, so an
// expose shows that frame again without another camera step. Frames are drawn only through the
// view port, synchronously, in the handler that asks for them.
class DrawArea : public QOpenGLWidget {
    Q_OBJECT
  public:
    static constexpr int kWidth = 584;
    static constexpr int kHeight = 571;

    DrawArea(ViewState& view, TrackDocument& document, AreaEditor& areaEditor, QWidget* parent);
    // What frames are drawn and picks are read through; set once it exists.
    void setPort(ViewPort& port) { port_ = &port; }
    // Placing mode takes the pointer, the clicks and its keys while it is on.
    void setPlacing(PlacingMode* placing) { placing_ = placing; }

    // True once the GL context exists (after the widget was first shown).
    bool contextReady() const { return contextReady_; }
    // Makes the context current with the view's framebuffer bound; nested calls share one
    // makeCurrent. False (and nothing made current) before the context exists.
    bool acquireContext();
    void releaseContext();
    // Makes the context current again inside an acquired stretch, after an event loop (a modal
    // dialog) has let the window's compositing make its own context current.
    void restoreContext();

    // True when a display frame asked for now is put off. Input handled after a frame was drawn
    // for the view's input and before the event loop turned (the input that queued up while the
    // frame was drawn) draws no frame of its own: one frame follows once that input has been
    // handled, so a slow frame never makes queued pointer moves and key repeats wait for a frame
    // each.
    bool deferDisplayFrame();
    // A display frame was drawn: one put off is no longer needed.
    void displayFrameDrawn();

  signals:
    void contextCreated();

  protected:
    void initializeGL() override;
    void paintGL() override;
    void resizeEvent(QResizeEvent* event) override;

    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    // Tab is a key of the view like any other, never a move to the next control.
    bool focusNextPrevChild(bool next) override;

  private:
    // Makes the context current with the framebuffer bound and the viewport over all of it.
    void useContext();
    // Widget coordinates to framebuffer pixels, origin at the top left.
    ScreenPoint pixelAt(const QPointF& position) const;
    // Draws the frame put off, if any: before a click acts on what the view shows.
    void drawPendingFrame();
    // The one frame that follows a handled input.
    void frameAfterInput();
    // The event loop turned after a frame: the frame put off since, if any, is drawn now.
    void endInputBurst();
    bool placingOn() const;
    // The pointer's pixel position and the view's size in pixels, for placing mode.
    void pointPlacing(const ScreenPoint& p);

    // Marks the handling of one input event whose frames may be put off.
    class HandlingInput {
      public:
        explicit HandlingInput(DrawArea& view) : view_(view) { view_.handlingInput_ = true; }
        ~HandlingInput() { view_.handlingInput_ = false; }
        HandlingInput(const HandlingInput&) = delete;
        HandlingInput& operator=(const HandlingInput&) = delete;

      private:
        DrawArea& view_;
    };

    ViewState& view_;
    TrackDocument& document_;
    AreaEditor& areaEditor_;
    ViewPort* port_ = nullptr;
    PlacingMode* placing_ = nullptr;
    bool contextReady_ = false;
    int contextDepth_ = 0;
    bool handlingInput_ = false;
    bool framePending_ = false;
    bool frameInBurst_ = false;
};

// Holds the view's context current for a scope.
class CurrentContext {
  public:
    explicit CurrentContext(DrawArea& view) : view_(view), held_(view.acquireContext()) {}
    ~CurrentContext() {
        if (held_)
            view_.releaseContext();
    }
    CurrentContext(const CurrentContext&) = delete;
    CurrentContext& operator=(const CurrentContext&) = delete;

    bool held() const { return held_; }

  private:
    DrawArea& view_;
    bool held_;
};
