#include "gl_context.h"

#include <memory>

#include <QGuiApplication>
#include <QOffscreenSurface>
#include <QOpenGLContext>
#include <QOpenGLFramebufferObject>
#include <QSurfaceFormat>

#include <GL/gl.h>

namespace {

struct State {
    std::unique_ptr<QGuiApplication> app;
    std::unique_ptr<QOffscreenSurface> surface;
    std::unique_ptr<QOpenGLContext> context;
    std::unique_ptr<QOpenGLFramebufferObject> fbo;
    bool ok = false;
};

// Never destroyed: Qt's GL objects must not outlive the thread data that static destruction
// tears down first, and the process ends right after the tests anyway.
State& state() {
    static State* s = new State;
    return *s;
}

bool create(State& s) {
    if (!QGuiApplication::instance()) {
        static int argc = 1;
        static char name[] = "gl-test";
        static char* argv[] = {name, nullptr};
        s.app = std::make_unique<QGuiApplication>(argc, argv);
    }
    QSurfaceFormat format;
    format.setRenderableType(QSurfaceFormat::OpenGL);
    format.setProfile(QSurfaceFormat::CompatibilityProfile);
    format.setVersion(2, 1);
    format.setDepthBufferSize(24);
    s.surface = std::make_unique<QOffscreenSurface>();
    s.surface->setFormat(format);
    s.surface->create();
    s.context = std::make_unique<QOpenGLContext>();
    s.context->setFormat(format);
    if (!s.context->create() || !s.context->makeCurrent(s.surface.get()))
        return false;
    s.fbo = std::make_unique<QOpenGLFramebufferObject>(
        GlTestContext::kWidth, GlTestContext::kHeight,
        QOpenGLFramebufferObject::CombinedDepthStencil);
    return s.fbo->isValid();
}

} // namespace

bool GlTestContext::makeCurrent() {
    State& s = state();
    if (!s.context) {
        s.ok = create(s);
    }
    if (!s.ok)
        return false;
    s.context->makeCurrent(s.surface.get());
    s.fbo->bind();
    // As in the editor's view, the viewport is the view's whole size.
    glViewport(0, 0, kWidth, kHeight);
    return true;
}

QImage GlTestContext::grab() { return state().fbo ? state().fbo->toImage() : QImage(); }
