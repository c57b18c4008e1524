#include <fstream>
#include <functional>

#include <QAbstractButton>
#include <QApplication>
#include <QFileDialog>
#include <QLabel>
#include <QMessageBox>
#include <QOpenGLContext>
#include <QPushButton>
#include <QTimer>

#include "app/main_window_ids.h"
#include "app/qt_prompts.h"
#include "app_fixture.h"

namespace fs = std::filesystem;

namespace {

// Runs `act` on the modal dialog as soon as one is shown by the code that follows.
void whenModal(std::function<void(QWidget*)> act) {
    auto* timer = new QTimer;
    QObject::connect(timer, &QTimer::timeout, [timer, act] {
        if (QWidget* modal = QApplication::activeModalWidget()) {
            timer->stop();
            timer->deleteLater();
            act(modal);
        }
    });
    timer->start(10);
}

} // namespace

class QtPromptsTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ensureApplication();
        owner_ = std::make_unique<QWidget>();
        owner_->resize(200, 100);
        owner_->show();
        prompts_.setOwner(owner_.get());
    }

    EditorContext ctx_;
    std::unique_ptr<QWidget> owner_;
    QtPrompts prompts_{ctx_};
};

TEST_F(QtPromptsTest, MessagesHaveNoOwnerAndTheirTextCaptionAndIcon) {
    struct Seen {
        QString text, caption;
        QMessageBox::Icon icon = QMessageBox::NoIcon;
        QWidget* parent = nullptr;
        int buttons = 0;
    } seen;
    whenModal([&seen](QWidget* modal) {
        auto* box = qobject_cast<QMessageBox*>(modal);
        ASSERT_NE(box, nullptr);
        seen = {box->text(), box->windowTitle(), box->icon(), box->parentWidget(),
                static_cast<int>(box->buttons().size())};
        box->accept();
    });
    prompts_.message("a\n\nb", "Saved!", MessageIcon::Information);
    EXPECT_EQ(seen.text, "a\n\nb");
    EXPECT_EQ(seen.caption, "Saved!");
    EXPECT_EQ(seen.icon, QMessageBox::Information);
    EXPECT_EQ(seen.parent, nullptr);
    EXPECT_EQ(seen.buttons, 1);

    whenModal([&seen](QWidget* modal) {
        auto* box = qobject_cast<QMessageBox*>(modal);
        ASSERT_NE(box, nullptr);
        seen.icon = box->icon();
        box->accept();
    });
    prompts_.message("ERROR!!!!!11", kProgramCaption, MessageIcon::None);
    EXPECT_EQ(seen.icon, QMessageBox::NoIcon);

    whenModal([&seen](QWidget* modal) {
        seen.icon = qobject_cast<QMessageBox*>(modal)->icon();
        qobject_cast<QMessageBox*>(modal)->accept();
    });
    prompts_.message("x", kProgramCaption, MessageIcon::Error);
    EXPECT_EQ(seen.icon, QMessageBox::Critical);
}

TEST_F(QtPromptsTest, QuestionsBelongToTheOwnerAndOnlyYesGoesAhead) {
    QWidget* parent = nullptr;
    whenModal([&parent](QWidget* modal) {
        auto* box = qobject_cast<QMessageBox*>(modal);
        ASSERT_NE(box, nullptr);
        parent = box->parentWidget();
        box->button(QMessageBox::Yes)->click();
    });
    EXPECT_TRUE(prompts_.askYesNo("Are you sure?", kProgramCaption));
    EXPECT_EQ(parent, owner_.get());

    whenModal([](QWidget* modal) {
        qobject_cast<QMessageBox*>(modal)->button(QMessageBox::No)->click();
    });
    EXPECT_FALSE(prompts_.askYesNo("Are you sure?", kProgramCaption));

    whenModal([](QWidget* modal) { modal->close(); });
    EXPECT_FALSE(prompts_.askYesNo("Are you sure?", kProgramCaption));
}

TEST_F(QtPromptsTest, SaveAsCanNameANewFile) {
    TempFolder folder;
    const QString fresh = QString::fromStdString((folder.path() / "new-track.gbx").string());
    QStringList filters;
    QFileDialog::FileMode mode = QFileDialog::ExistingFile;
    whenModal([&](QWidget* modal) {
        auto* dialog = qobject_cast<QFileDialog*>(modal);
        ASSERT_NE(dialog, nullptr);
        filters = dialog->nameFilters();
        mode = dialog->fileMode();
        dialog->selectFile(fresh);
        static_cast<QDialog*>(dialog)->accept();
    });
    const std::optional<std::string> chosen = prompts_.chooseSavePath();
    ASSERT_TRUE(chosen);
    EXPECT_EQ(*chosen, fresh.toStdString());
    EXPECT_EQ(mode, QFileDialog::AnyFile);
    EXPECT_EQ(filters, QStringList{"GBX files (.gbx) (*.gbx)"});
}

TEST_F(QtPromptsTest, OpenPicksAnExistingFileAndCancelGivesNone) {
    TempFolder folder;
    const std::filesystem::path file = folder.path() / "t.Challenge.Gbx";
    std::ofstream(file) << "x";
    QFileDialog::FileMode mode = QFileDialog::AnyFile;
    QStringList filters;
    whenModal([&](QWidget* modal) {
        auto* dialog = qobject_cast<QFileDialog*>(modal);
        ASSERT_NE(dialog, nullptr);
        mode = dialog->fileMode();
        filters = dialog->nameFilters();
        dialog->selectFile(QString::fromStdString(file.string()));
        static_cast<QDialog*>(dialog)->accept();
    });
    const std::optional<std::string> chosen = prompts_.chooseOpenPath();
    ASSERT_TRUE(chosen);
    EXPECT_EQ(*chosen, file.string());
    EXPECT_EQ(mode, QFileDialog::ExistingFile);
    EXPECT_EQ(filters, QStringList{"GBX files (.gbx) (*.gbx)"});

    whenModal([](QWidget* modal) { qobject_cast<QFileDialog*>(modal)->reject(); });
    EXPECT_FALSE(prompts_.chooseOpenPath());
}

using QtPromptsOverViewTest = AppFixture;

TEST_F(QtPromptsOverViewTest, TheViewContextIsCurrentAgainAfterADialog) {
    QtPrompts prompts(ctx_);
    window_->ownDialogs(prompts);
    CurrentContext current(*window_->view());
    ASSERT_TRUE(current.held());
    MainWindow* window = window_.get();
    whenModal([window](QWidget* modal) {
        // The window composes its frame while the dialog is up, with a context of its own.
        window->view()->update();
        window->repaint();
        QApplication::processEvents();
        qobject_cast<QMessageBox*>(modal)->accept();
    });
    prompts.message("Error while opening texture file:  x.bmp", "Message", MessageIcon::None);
    EXPECT_EQ(QOpenGLContext::currentContext(), window_->view()->context());
}

TEST_F(QtPromptsOverViewTest, OpenTrackThroughTheRealDialogs) {
    QtPrompts prompts(ctx_);
    ctx_.setPrompts(&prompts);
    window_->ownDialogs(prompts);
    const std::optional<std::string> sample = copySample("Bay");
    ASSERT_TRUE(sample);

    QWidget* dialogOwner = nullptr;
    whenModal([&](QWidget* modal) {
        auto* dialog = qobject_cast<QFileDialog*>(modal);
        ASSERT_NE(dialog, nullptr);
        dialogOwner = dialog->parentWidget();
        dialog->selectFile(QString::fromStdString(*sample));
        static_cast<QDialog*>(dialog)->accept();
    });
    auto* open = qobject_cast<QPushButton*>(window_->control(kOpenTrackButton));
    open->click();
    EXPECT_EQ(dialogOwner, window_.get());
    EXPECT_EQ(ctx_.document.path(), *sample);
    EXPECT_EQ(qobject_cast<QLabel*>(window_->control(kEnvironmentLabel))->text(), "Bay");

    // A broken converter: the open-error box, owned by no window.
    breakConverter();
    QString text;
    QWidget* boxOwner = window_.get();
    whenModal([&](QWidget* modal) {
        auto* dialog = qobject_cast<QFileDialog*>(modal);
        ASSERT_NE(dialog, nullptr);
        dialog->selectFile(QString::fromStdString(*sample));
        static_cast<QDialog*>(dialog)->accept();
        whenModal([&](QWidget* next) {
            auto* box = qobject_cast<QMessageBox*>(next);
            ASSERT_NE(box, nullptr);
            text = box->text();
            boxOwner = box->parentWidget();
            box->accept();
        });
    });
    open->click();
    EXPECT_TRUE(text.startsWith("An error occurred while opening your file."));
    EXPECT_EQ(boxOwner, nullptr);
}

TEST_F(QtPromptsOverViewTest, TheDialogsStartInTheFolderOfTheLastChoiceAfterARestart) {
    QtPrompts prompts(ctx_);
    window_->ownDialogs(prompts);
    EXPECT_EQ(prompts.dialogFolder(), "");
    const fs::path saved = tracks_ / "saved";
    fs::create_directory(saved);
    whenModal([&](QWidget* modal) {
        auto* dialog = qobject_cast<QFileDialog*>(modal);
        ASSERT_NE(dialog, nullptr);
        dialog->selectFile(QString::fromStdString((saved / "New").string()));
        static_cast<QDialog*>(dialog)->accept();
    });
    ASSERT_TRUE(prompts.chooseSavePath());

    startWindow();
    QtPrompts again(ctx_);
    window_->ownDialogs(again);
    EXPECT_EQ(again.dialogFolder(), saved.string());
    QString shownFolder;
    whenModal([&](QWidget* modal) {
        shownFolder = qobject_cast<QFileDialog*>(modal)->directory().absolutePath();
        qobject_cast<QFileDialog*>(modal)->reject();
    });
    EXPECT_FALSE(again.chooseOpenPath());
    EXPECT_EQ(shownFolder.toStdString(), saved.string());
}
