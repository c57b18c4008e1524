#include "app/draw_area.h"

#include <cmath>

#include <QKeyEvent>
#include <QMouseEvent>
#include <QOpenGLContext>
#include <QOpenGLFunctions>
#include <QSurfaceFormat>
#include <QTimer>
#include <QWheelEvent>

#include "app/virtual_key.h"
#include "view/placing_mode.h"
#include "view/view_input.h"

namespace {

QSurfaceFormat viewFormat() {
    QSurfaceFormat format;
    format.setRenderableType(QSurfaceFormat::OpenGL);
    format.setProfile(QSurfaceFormat::CompatibilityProfile);
    format.setVersion(2, 1);
    format.setSwapBehavior(QSurfaceFormat::DoubleBuffer);
    format.setRedBufferSize(8);
    format.setGreenBufferSize(8);
    format.setBlueBufferSize(8);
    format.setAlphaBufferSize(0);
    format.setDepthBufferSize(24);
    format.setStencilBufferSize(0);
    return format;
}

} // namespace

DrawArea::DrawArea(ViewState& view, TrackDocument& document, AreaEditor& areaEditor,
                   QWidget* parent)
    : QOpenGLWidget(parent), view_(view), document_(document), areaEditor_(areaEditor) {
    setFormat(viewFormat());
    // The framebuffer is not cleared before a paint: it keeps the frame drawn last.
    setUpdateBehavior(QOpenGLWidget::PartialUpdate);
    setMouseTracking(true);
    // The view takes the focus itself on a left-button press.
    setFocusPolicy(Qt::TabFocus);
    setAttribute(Qt::WA_InputMethodEnabled, false);
}

bool DrawArea::acquireContext() {
    if (!contextReady_)
        return false;
    if (contextDepth_++ == 0)
        useContext();
    return true;
}

void DrawArea::releaseContext() {
    if (contextDepth_ > 0 && --contextDepth_ == 0)
        doneCurrent();
}

void DrawArea::restoreContext() {
    if (contextDepth_ > 0)
        useContext();
}

void DrawArea::useContext() {
    makeCurrent();
    // The renderer draws into, and picks from, the whole framebuffer; only a paint would set
    // this viewport otherwise, and frames are drawn outside paints.
    const qreal ratio = devicePixelRatioF();
    context()->functions()->glViewport(0, 0, static_cast<int>(width() * ratio),
                                       static_cast<int>(height() * ratio));
}

bool DrawArea::deferDisplayFrame() {
    if (!handlingInput_ || !frameInBurst_)
        return false;
    framePending_ = true;
    return true;
}

void DrawArea::displayFrameDrawn() {
    framePending_ = false;
    // Only the view's own input waits: a frame drawn for an edit or a file lets the next move or
    // key draw at once.
    if (frameInBurst_ || !handlingInput_)
        return;
    frameInBurst_ = true;
    // Queued to run after the events delivered so far.
    QTimer::singleShot(0, this, &DrawArea::endInputBurst);
}

void DrawArea::drawPendingFrame() {
    if (framePending_)
        frameAfterInput();
}

void DrawArea::frameAfterInput() {
    if (port_)
        port_->renderFrame(true);
}

void DrawArea::endInputBurst() {
    frameInBurst_ = false;
    drawPendingFrame();
}

void DrawArea::initializeGL() {
    contextReady_ = context() != nullptr && context()->isValid();
    if (contextReady_)
        emit contextCreated();
}

void DrawArea::paintGL() {}

void DrawArea::resizeEvent(QResizeEvent* event) {
    // The base class makes the framebuffer of the new size; the frame is then drawn into it.
    QOpenGLWidget::resizeEvent(event);
    onViewResized(view_, width(), height());
    if (width() > 0 && height() > 0)
        frameAfterInput();
}

ScreenPoint DrawArea::pixelAt(const QPointF& position) const {
    const double ratio = devicePixelRatioF();
    return ScreenPoint{static_cast<float>(std::floor(position.x() * ratio)),
                       static_cast<float>(std::floor(position.y() * ratio))};
}

bool DrawArea::placingOn() const {
    return placing_ && placing_->active();
}

void DrawArea::pointPlacing(const ScreenPoint& p) {
    const double ratio = devicePixelRatioF();
    placing_->pointAt(p.x, p.y, static_cast<int>(width() * ratio),
                      static_cast<int>(height() * ratio));
}

void DrawArea::mousePressEvent(QMouseEvent* event) {
    // A right click leaves placing mode.
    if (event->button() == Qt::RightButton && placingOn()) {
        placing_->leave();
        frameAfterInput();
        return;
    }
    if (event->button() != Qt::LeftButton)
        return;
    setFocus(Qt::MouseFocusReason);
    drawPendingFrame();
    const ScreenPoint p = pixelAt(event->position());
    onLeftButtonDown(view_, p.x, p.y);
}

void DrawArea::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton)
        return;
    // A click picks what the view shows: the area cursor of the pointer's last position.
    drawPendingFrame();
    const ScreenPoint p = pixelAt(event->position());
    const bool click =
        view_.leftButtonDown && p.x == view_.pressPointer.x && p.y == view_.pressPointer.y;
    if (click && placingOn()) {
        onLeftButtonLost(view_);
        const double ratio = devicePixelRatioF();
        placing_->clickAt(p.x, p.y, static_cast<int>(width() * ratio),
                          static_cast<int>(height() * ratio));
    } else if (port_) {
        onLeftButtonUp(view_, document_, areaEditor_, *port_, p.x, p.y);
    }
    if (click)
        frameAfterInput();
}

void DrawArea::mouseMoveEvent(QMouseEvent* event) {
    // The release went elsewhere (outside the window, to a grab): the drag is over.
    if (!(event->buttons() & Qt::LeftButton))
        onLeftButtonLost(view_);
    HandlingInput handling(*this);
    const ScreenPoint p = pixelAt(event->position());
    onMouseMove(view_, p.x, p.y);
    if (placingOn() && !view_.leftButtonDown)
        pointPlacing(p);
    frameAfterInput();
}

void DrawArea::wheelEvent(QWheelEvent* event) {
    const int delta = event->angleDelta().y();
    // A purely horizontal wheel has no vertical delta; it is not a wheel step of the view.
    if (delta != 0) {
        HandlingInput handling(*this);
        // Placing and the levels shown step the cursor level as area editing does.
        if (placingOn() || view_.levelLimit)
            stepLevel(view_, areaEditor_, delta > 0 ? 1 : -1);
        else
            onWheel(areaEditor_, delta);
        frameAfterInput();
    }
    event->accept();
}

void DrawArea::keyPressEvent(QKeyEvent* event) {
    // Ctrl with a letter is a command (copy, paste, duplicate), never a camera key or a toggle.
    if (event->modifiers() & Qt::ControlModifier)
        return;
    // An auto-repeated press is another key-down, as the keyboard's repeat produces.
    HandlingInput handling(*this);
    if (event->key() == Qt::Key_Escape && placingOn()) {
        placing_->leave();
    } else {
        const int key = virtualKey(*event);
        if (!(placingOn() && onPlacingKey(*placing_, key)) && !onLevelKey(view_, areaEditor_, key))
            onKeyDown(view_, key);
    }
    frameAfterInput();
}

void DrawArea::keyReleaseEvent(QKeyEvent* event) {
    // The X server pairs each auto-repeated press with a release; only the last release is real.
    if (event->isAutoRepeat())
        return;
    HandlingInput handling(*this);
    onKeyUp(view_, virtualKey(*event));
    frameAfterInput();
}

void DrawArea::focusOutEvent(QFocusEvent* event) {
    onFocusLost(view_);
    QOpenGLWidget::focusOutEvent(event);
}

bool DrawArea::focusNextPrevChild(bool) {
    return false;
}
