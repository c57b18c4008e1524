#include "app_fixture.h"

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <set>

#include <QApplication>
#include <QCursor>
#include <QImage>
#include <QPushButton>
#include <QScreen>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

#include "app/main_window_ids.h"
#include "view/pick_table.h"

namespace fs = std::filesystem;

void ensureApplication() {
    if (QApplication::instance())
        return;
    // Per-user files (the recovery copies) go to a folder of the test program's own, or to the
    // one a test that starts another test program hands down.
    static TempFolder userData;
    const char* handedDown = std::getenv(kUserDataVariable);
    setenv("XDG_DATA_HOME", handedDown ? handedDown : userData.path().c_str(), 1);
    static int argc = 1;
    static char name[] = "app-tests";
    static char* argv[] = {name, nullptr};
    new QApplication(argc, argv);
    // Tests close windows; that must not end anything.
    QApplication::setQuitOnLastWindowClosed(false);
    // Never the user's own settings: a folder that goes when the test program ends.
    static QTemporaryDir settings;
    useSettingsFolder(settings.path().toStdString());
}

void useSettingsFolder(const std::filesystem::path& folder) {
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope,
                       QString::fromStdString(folder.string()));
}

std::vector<BlockShape> shapesOf(const Track& track) {
    std::vector<BlockShape> shapes;
    for (const BlockRecord& r : track.blocks)
        shapes.push_back({r.catalogIndex, r.x, r.y, r.z, r.rotation, r.variant});
    return shapes;
}

std::size_t coloursShown(const QImage& image) {
    std::set<QRgb> colours;
    for (int y = 0; y < image.height(); y += 4)
        for (int x = 0; x < image.width(); x += 4)
            colours.insert(image.pixel(x, y));
    return colours.size();
}

void AppFixture::SetUp() {
    ensureApplication();
    ASSERT_FALSE(base_.path().empty());
    const fs::path runtime = BLOCKYARD_RUNTIME_DIR;
    fs::create_directory_symlink(runtime / "data", base_.path() / "data");
    fs::create_directory(base_.path() / "GS");
    fs::copy_file(runtime / "GS" / "Gridsmith", base_.path() / "GS" / "Gridsmith");
    tracks_ = base_.path() / "tracks";
    fs::create_directory(tracks_);

    previousFolder_ = fs::current_path();
    fs::current_path(base_.path());
    useSettingsFolder(base_.path() / "settings");
    ctx_.setPrompts(&prompts_);
    startWindow();
    startUpMessages_ = prompts_.shown;
    prompts_.shown.clear();
}

void AppFixture::startWindow() {
    window_.reset();
    window_ = std::make_unique<MainWindow>(ctx_);
    window_->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window_.get()));
    window_->startUp();
    ASSERT_TRUE(window_->view()->contextReady());
}

void AppFixture::TearDown() {
    window_.reset();
    if (!previousFolder_.empty())
        fs::current_path(previousFolder_);
}

std::optional<std::string> AppFixture::copySample(const std::string& environment) {
    const fs::path samples = fs::path(BLOCKYARD_RUNTIME_DIR) / "samples";
    std::vector<fs::path> found;
    std::error_code ec;
    for (const fs::directory_entry& entry : fs::directory_iterator(samples, ec)) {
        const std::string name = entry.path().filename().string();
        if (name.starts_with(environment) && name.ends_with(".Challenge.Gbx"))
            found.push_back(entry.path());
    }
    if (found.empty())
        return std::nullopt;
    std::sort(found.begin(), found.end());
    const fs::path copy = tracks_ / found.front().filename();
    fs::copy_file(found.front(), copy, fs::copy_options::overwrite_existing);
    return copy.string();
}

void AppFixture::breakConverter() {
    const fs::path program = base_.path() / "GS" / "Gridsmith";
    fs::remove(program);
    std::ofstream(program) << "#!/bin/sh\nexit 1\n";
    fs::permissions(program, fs::perms::owner_all);
}

void AppFixture::openThroughButton(const std::string& path) {
    prompts_.openPaths.push_back(path);
    clickControl(kOpenTrackButton);
}

void AppFixture::clickControl(int id) {
    auto* button = qobject_cast<QPushButton*>(window_->control(id));
    ASSERT_NE(button, nullptr);
    QTest::mouseClick(button, Qt::LeftButton);
}

void AppFixture::activateWindow() {
    window_->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window_.get()));
}

std::optional<std::pair<QPoint, const BlockRecord*>>
AppFixture::findBlockPixel(const std::function<bool(const BlockRecord&)>& wanted) {
    // Pixels of the framebuffer, which has the device pixel ratio; the result is in widget
    // coordinates, as an event carries them.
    const double ratio = window_->view()->devicePixelRatioF();
    const int width = static_cast<int>(window_->view()->width() * ratio);
    const int height = static_cast<int>(window_->view()->height() * ratio);
    ViewPort& port = window_->viewPort();
    port.renderFrame(false);
    const int step = static_cast<int>(8 * ratio);
    for (int y = step / 2; y < height; y += step) {
        for (int x = step / 2; x < width; x += step) {
            const Rgb here = port.readPickColour(x, y);
            const BlockRecord* payload = port.blockOfColour(here);
            if (!payload || (wanted && !wanted(*payload)))
                continue;
            // Only a pixel whose neighbours show the same block: a click there cannot miss.
            const int near = static_cast<int>(2 * ratio);
            if (port.readPickColour(x + near, y) == here &&
                port.readPickColour(x, y + near) == here)
                return std::make_pair(
                    QPoint(static_cast<int>(x / ratio), static_cast<int>(y / ratio)), payload);
        }
    }
    return std::nullopt;
}

void ActiveViewFixture::SetUp() {
    AppFixture::SetUp();
    if (HasFatalFailure())
        return;
    activateWindow();
    if (HasFatalFailure())
        return;
    // The real pointer rests away from the window: a widget shown or hidden under it would
    // send the view a pointer move of the X server's own.
    if (QScreen* screen = window_->screen())
        QCursor::setPos(screen->geometry().bottomRight());
    QApplication::processEvents();
    window_->view()->setFocus();
}
