#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPushButton>
#include <QTest>
#include <QWheelEvent>

#include "app/main_window_ids.h"
#include "app_fixture.h"

class ViewInputTest : public ActiveViewFixture {
  protected:
    ViewState& viewState() { return window_->viewState(); }

    void openStadiumSample() {
        const std::optional<std::string> sample = copySample("Stadium");
        ASSERT_TRUE(sample);
        openThroughButton(*sample);
        ASSERT_TRUE(prompts_.shown.empty());
    }

    void mouse(QEvent::Type type, Qt::MouseButton button, Qt::MouseButtons held, QPointF at) {
        DrawArea* view = window_->view();
        QMouseEvent event(type, at, view->mapToGlobal(at), button, held, Qt::NoModifier);
        QApplication::sendEvent(view, &event);
    }

    void key(QEvent::Type type, Qt::Key code, bool autoRepeat) {
        QKeyEvent event(type, code, Qt::NoModifier, QString(), autoRepeat);
        QApplication::sendEvent(window_->view(), &event);
    }

    void wheel(int delta) {
        const QPointF at(100, 100);
        QWheelEvent event(at, window_->view()->mapToGlobal(at), QPoint(), QPoint(0, delta),
                          Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(window_->view(), &event);
    }
};

TEST_F(ViewInputTest, AClickOnABlockSelectsIt) {
    openStadiumSample();
    const auto target = findBlockPixel();
    ASSERT_TRUE(target) << "no block in view";
    mouse(QEvent::MouseButtonPress, Qt::LeftButton, Qt::LeftButton, target->first);
    mouse(QEvent::MouseButtonRelease, Qt::LeftButton, Qt::NoButton, target->first);
    ASSERT_EQ(ctx_.document.selection().count(), 1);
    EXPECT_EQ(ctx_.document.selection().first(), target->second);
    EXPECT_TRUE(Selection::contains(*target->second));
}

TEST_F(ViewInputTest, AOnePixelDragTurnsAndPicksNothing) {
    openStadiumSample();
    const auto target = findBlockPixel();
    ASSERT_TRUE(target);
    Camera expected = viewState().camera;
    expected.turn(static_cast<double>(-1.0f * 0.005f));
    expected.pitch(0.0);

    // One framebuffer pixel to the right, whatever the device pixel ratio.
    const QPointF press = target->first;
    const QPointF moved = press + QPointF(1.0 / window_->view()->devicePixelRatioF(), 0);
    mouse(QEvent::MouseButtonPress, Qt::LeftButton, Qt::LeftButton, press);
    mouse(QEvent::MouseMove, Qt::NoButton, Qt::LeftButton, moved);
    mouse(QEvent::MouseButtonRelease, Qt::LeftButton, Qt::NoButton, moved);

    EXPECT_EQ(ctx_.document.selection().count(), 0);
    EXPECT_NEAR(viewState().camera.direction.x, expected.direction.x, 1e-12);
    EXPECT_NEAR(viewState().camera.direction.y, expected.direction.y, 1e-12);
    EXPECT_NEAR(viewState().camera.direction.z, expected.direction.z, 1e-12);
    EXPECT_FALSE(viewState().leftButtonDown);
}

TEST_F(ViewInputTest, TheRightButtonDoesNothing) {
    openStadiumSample();
    const auto target = findBlockPixel();
    ASSERT_TRUE(target);
    const Camera before = viewState().camera;
    mouse(QEvent::MouseButtonPress, Qt::RightButton, Qt::RightButton, target->first);
    mouse(QEvent::MouseButtonRelease, Qt::RightButton, Qt::NoButton, target->first);
    EXPECT_EQ(ctx_.document.selection().count(), 0);
    EXPECT_FALSE(viewState().leftButtonDown);
    EXPECT_TRUE(viewState().camera.direction == before.direction);
    EXPECT_TRUE(viewState().camera.position == before.position);
}

TEST_F(ViewInputTest, GTogglesTheGridOnReleaseOnly) {
    key(QEvent::KeyPress, Qt::Key_G, false);
    EXPECT_FALSE(viewState().switches.showGrid);
    // Auto-repeat arrives as release and press pairs; those releases are not key-ups.
    for (int i = 0; i < 3; ++i) {
        key(QEvent::KeyRelease, Qt::Key_G, true);
        key(QEvent::KeyPress, Qt::Key_G, true);
        EXPECT_FALSE(viewState().switches.showGrid);
    }
    key(QEvent::KeyRelease, Qt::Key_G, false);
    EXPECT_TRUE(viewState().switches.showGrid);
}

TEST_F(ViewInputTest, ZTogglesAtEveryAutoRepeat) {
    ASSERT_TRUE(viewState().switches.solidFill);
    key(QEvent::KeyPress, Qt::Key_Z, false);
    EXPECT_FALSE(viewState().switches.solidFill);
    key(QEvent::KeyRelease, Qt::Key_Z, true);
    key(QEvent::KeyPress, Qt::Key_Z, true);
    EXPECT_TRUE(viewState().switches.solidFill);
    key(QEvent::KeyRelease, Qt::Key_Z, true);
    key(QEvent::KeyPress, Qt::Key_Z, true);
    EXPECT_FALSE(viewState().switches.solidFill);
    key(QEvent::KeyRelease, Qt::Key_Z, false);
    EXPECT_FALSE(viewState().switches.solidFill);
}

TEST_F(ViewInputTest, HeldKeysAreLetGoWhenTheViewLosesTheFocus) {
    key(QEvent::KeyPress, Qt::Key_W, false);
    key(QEvent::KeyPress, Qt::Key_F, false);
    EXPECT_TRUE(viewState().keys.forward);
    EXPECT_TRUE(viewState().fKeyDown);
    window_->control(kOpenTrackButton)->setFocus();
    QApplication::processEvents();
    EXPECT_FALSE(viewState().keys.forward);
    EXPECT_FALSE(viewState().fKeyDown);

    // A left press takes the focus back; the right button does not.
    mouse(QEvent::MouseButtonPress, Qt::RightButton, Qt::RightButton, QPoint(50, 50));
    EXPECT_FALSE(window_->view()->hasFocus());
    mouse(QEvent::MouseButtonPress, Qt::LeftButton, Qt::LeftButton, QPoint(50, 50));
    mouse(QEvent::MouseButtonRelease, Qt::LeftButton, Qt::NoButton, QPoint(50, 50));
    EXPECT_TRUE(window_->view()->hasFocus());
}

TEST_F(ViewInputTest, TheWheelChangesTheLevelOnlyInAreaModeWithinTheGrid) {
    AreaEditor& area = ctx_.areaEditor;
    area.setLevel(5);
    wheel(120);
    EXPECT_EQ(area.level(), 5);

    area.setEditing(true);
    wheel(120);
    EXPECT_EQ(area.level(), 6);
    wheel(-120);
    wheel(-120);
    EXPECT_EQ(area.level(), 4);

    area.setLevel(31);
    wheel(120);
    EXPECT_EQ(area.level(), 31);
    area.setLevel(0);
    wheel(-120);
    EXPECT_EQ(area.level(), 0);
}

TEST_F(ViewInputTest, TabIsAViewKeyNotAFocusMove) {
    key(QEvent::KeyPress, Qt::Key_Tab, false);
    EXPECT_TRUE(window_->view()->hasFocus());
}

TEST_F(ViewInputTest, TabDoesNotMoveBetweenTheWindowsControls) {
    QWidget* button = window_->control(kSaveTrackButton);
    button->setFocus();
    QApplication::processEvents();
    ASSERT_TRUE(button->hasFocus());
    QTest::keyClick(button, Qt::Key_Tab);
    EXPECT_TRUE(button->hasFocus());
}

TEST_F(ViewInputTest, QueuedMovesAndKeyRepeatsDrawOneFrameAndTheCameraEndsWithThePointer) {
    FrameStats& stats = window_->renderer().frameStats();
    stats.interval = 0xFFFFFFFFu; // frames are counted, never a window of the rate closed
    QApplication::processEvents();
    DrawArea* view = window_->view();
    auto post = [&](QEvent::Type type, Qt::MouseButton button, Qt::MouseButtons held, QPointF at) {
        QApplication::postEvent(
            view, new QMouseEvent(type, at, view->mapToGlobal(at), button, held, Qt::NoModifier));
    };

    // A drag whose forty moves are all queued when the view gets to them.
    const double ratio = view->devicePixelRatioF();
    const QPointF start(200, 200);
    Camera expected = viewState().camera;
    mouse(QEvent::MouseButtonPress, Qt::LeftButton, Qt::LeftButton, start);
    std::uint32_t before = stats.frameCount;
    QPointF at = start;
    for (int i = 1; i <= 40; ++i) {
        const QPointF next = start + QPointF(i, i % 3);
        expected.turn((std::floor(at.x() * ratio) - std::floor(next.x() * ratio)) * 0.005f);
        expected.pitch((std::floor(at.y() * ratio) - std::floor(next.y() * ratio)) * 0.002f);
        post(QEvent::MouseMove, Qt::NoButton, Qt::LeftButton, next);
        at = next;
    }
    post(QEvent::MouseButtonRelease, Qt::LeftButton, Qt::NoButton, at);
    QApplication::processEvents();
    QApplication::processEvents();
    EXPECT_LE(stats.frameCount - before, 2u);
    EXPECT_GE(stats.frameCount - before, 1u);
    EXPECT_NEAR(viewState().camera.direction.x, expected.direction.x, 1e-9);
    EXPECT_NEAR(viewState().camera.direction.y, expected.direction.y, 1e-9);
    EXPECT_NEAR(viewState().camera.direction.z, expected.direction.z, 1e-9);
    EXPECT_NEAR(viewState().camera.up.z, expected.up.z, 1e-9);

    // W held with thirty auto-repeats queued, then let go: each frame steps the camera once.
    const Vec3 position = viewState().camera.position;
    before = stats.frameCount;
    auto postKey = [&](QEvent::Type type, bool autoRepeat) {
        QApplication::postEvent(
            view, new QKeyEvent(type, Qt::Key_W, Qt::NoModifier, QString(), autoRepeat));
    };
    postKey(QEvent::KeyPress, false);
    for (int i = 0; i < 30; ++i) {
        postKey(QEvent::KeyRelease, true);
        postKey(QEvent::KeyPress, true);
    }
    postKey(QEvent::KeyRelease, false);
    QApplication::processEvents();
    QApplication::processEvents();
    const std::uint32_t frames = stats.frameCount - before;
    EXPECT_GE(frames, 1u);
    EXPECT_LE(frames, 2u);
    const double flown = (viewState().camera.position - position).length();
    EXPECT_GT(flown, 0.0);
    EXPECT_LE(flown, 10.0 * frames + 1e-9);
    // Nothing more is drawn once the input is handled.
    before = stats.frameCount;
    QApplication::processEvents();
    EXPECT_EQ(stats.frameCount, before);
    EXPECT_FALSE(viewState().keys.forward);
}

TEST_F(ViewInputTest, ADragEndsWhenTheReleaseGoesElsewhere) {
    const Camera before = viewState().camera;
    // A move without the left button: its release was missed.
    mouse(QEvent::MouseButtonPress, Qt::LeftButton, Qt::LeftButton, QPointF(100, 100));
    mouse(QEvent::MouseMove, Qt::NoButton, Qt::NoButton, QPointF(140, 120));
    EXPECT_FALSE(viewState().leftButtonDown);
    EXPECT_TRUE(viewState().camera.direction == before.direction);

    // The focus goes elsewhere while the button is held.
    mouse(QEvent::MouseButtonPress, Qt::LeftButton, Qt::LeftButton, QPointF(100, 100));
    window_->control(kOpenTrackButton)->setFocus();
    QApplication::processEvents();
    EXPECT_FALSE(viewState().leftButtonDown);
    mouse(QEvent::MouseMove, Qt::NoButton, Qt::LeftButton, QPointF(140, 120));
    EXPECT_TRUE(viewState().camera.direction == before.direction);
}

TEST_F(ViewInputTest, LetterKeysOfANonLatinLayoutActByPosition) {
    // A Russian layout: the keys at W, Z and G type Cyrillic letters (Qt's key is the capital's
    // code point); the X key codes of the positions stay those of a US keyboard.
    constexpr int kTse = 0x0426, kYa = 0x042F, kPe = 0x041F, kE = 0x042D;
    const auto native = [this](QEvent::Type type, int code, quint32 scanCode, bool repeat) {
        QKeyEvent event(type, code, Qt::NoModifier, scanCode, 0, 0, QString(), repeat);
        QApplication::sendEvent(window_->view(), &event);
    };
    native(QEvent::KeyPress, kTse, 25, false);
    EXPECT_TRUE(viewState().keys.forward);
    native(QEvent::KeyRelease, kTse, 25, false);
    EXPECT_FALSE(viewState().keys.forward);

    native(QEvent::KeyPress, kYa, 52, false);
    EXPECT_FALSE(viewState().switches.solidFill);
    native(QEvent::KeyRelease, kPe, 42, false);
    EXPECT_TRUE(viewState().switches.showGrid);
    // A key off the letter rows stays no view key.
    native(QEvent::KeyPress, kE, 48, false);
    EXPECT_FALSE(viewState().switches.solidFill);
}

TEST_F(ViewInputTest, TheViewMenusKeysStillReachTheView) {
    // The View menu names G, Z and X; they must not become shortcuts that take the keys away.
    QTest::keyClick(window_->view(), Qt::Key_G);
    EXPECT_TRUE(viewState().switches.showGrid);
    QTest::keyClick(window_->view(), Qt::Key_Z);
    EXPECT_FALSE(viewState().switches.solidFill);
    QTest::keyPress(window_->view(), Qt::Key_W);
    EXPECT_TRUE(viewState().keys.forward);
    QTest::keyRelease(window_->view(), Qt::Key_W);
}
