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
#include "edit/editor_context.h"
#include "edit/seam_calls.h"
#include "edit/view_input.h"

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

DrawArea::DrawArea(EditorContext& ctx, QWidget* parent) : QOpenGLWidget(parent), ctx_(ctx) {
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
        displayFrame(ctx_);
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
    onViewResized(ctx_, width(), height());
}

ScreenPoint DrawArea::pixelAt(const QPointF& position) const {
    const double ratio = devicePixelRatioF();
    return ScreenPoint{static_cast<float>(std::floor(position.x() * ratio)),
                       static_cast<float>(std::floor(position.y() * ratio))};
}

void DrawArea::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton)
        return;
    setFocus(Qt::MouseFocusReason);
    drawPendingFrame();
    const ScreenPoint p = pixelAt(event->position());
    onLeftButtonDown(ctx_, p.x, p.y);
}

void DrawArea::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton)
        return;
    // A click picks what the view shows: the area cursor of the pointer's last position.
    drawPendingFrame();
    const ScreenPoint p = pixelAt(event->position());
    onLeftButtonUp(ctx_, p.x, p.y);
}

void DrawArea::mouseMoveEvent(QMouseEvent* event) {
    // The release went elsewhere (outside the window, to a grab): the drag is over.
    if (!(event->buttons() & Qt::LeftButton))
        onLeftButtonLost(ctx_);
    HandlingInput handling(*this);
    const ScreenPoint p = pixelAt(event->position());
    onMouseMove(ctx_, p.x, p.y);
}

void DrawArea::wheelEvent(QWheelEvent* event) {
    const int delta = event->angleDelta().y();
    // A purely horizontal wheel has no vertical delta; it is not a wheel step of the view.
    if (delta != 0) {
        HandlingInput handling(*this);
        onWheel(ctx_, delta);
    }
    event->accept();
}

void DrawArea::keyPressEvent(QKeyEvent* event) {
    // Ctrl with a letter is a command (copy, paste, duplicate), never a camera key or a toggle.
    if (event->modifiers() & Qt::ControlModifier)
        return;
    // An auto-repeated press is another key-down, as the keyboard's repeat produces.
    HandlingInput handling(*this);
    onKeyDown(ctx_, virtualKey(*event));
}

void DrawArea::keyReleaseEvent(QKeyEvent* event) {
    // The X server pairs each auto-repeated press with a release; only the last release is real.
    if (event->isAutoRepeat())
        return;
    HandlingInput handling(*this);
    onKeyUp(ctx_, virtualKey(*event));
}

void DrawArea::focusOutEvent(QFocusEvent* event) {
    onFocusLost(ctx_);
    QOpenGLWidget::focusOutEvent(event);
}

bool DrawArea::focusNextPrevChild(bool) {
    return false;
}
