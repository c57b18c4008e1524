#include <cstdlib>
#include <filesystem>

#include <QAction>
#include <QDir>
#include <QLineEdit>
#include <QListWidget>
#include <QTabWidget>

#include "app/main_window_ids.h"
#include "app/piece_commands.h"
#include "app_fixture.h"
#include "file_bytes.h"
#include "track/piece_library.h"
#include "ui/pieces_page.h"

namespace fs = std::filesystem;

namespace {

class PiecesTest : public AppFixture {
  protected:
    void SetUp() override {
        AppFixture::SetUp();
        folder_ = piecesFolder(std::getenv("XDG_DATA_HOME"), "Stadium");
        fs::remove_all(folder_);
        const std::optional<std::string> sample = copySample("Stadium");
        ASSERT_TRUE(sample);
        openThroughButton(*sample);
        ASSERT_TRUE(prompts_.shown.empty());
    }

    // Selects `count` blocks from the list position `first` on and saves them under `name`.
    bool saveBlocks(int first, int count, const std::string& name) {
        std::vector<const BlockRecord*> blocks;
        auto record = std::next(ctx_.document.blocks().begin(), first);
        for (int i = 0; i < count; ++i)
            blocks.push_back(&*record++);
        ctx_.document.setSelection(blocks);
        prompts_.texts.push_back(name);
        QAction* save = window_->pieceCommands()->saveAction();
        if (!save->isEnabled())
            return false;
        save->trigger();
        return fs::exists(pieceFilePath(folder_, name));
    }

    std::vector<QString> shownNames() const {
        std::vector<QString> names;
        QListWidget* list = window_->piecesPage()->list();
        for (int i = 0; i < list->count(); ++i)
            if (!list->item(i)->isHidden())
                names.push_back(list->item(i)->text());
        return names;
    }

    fs::path folder_;
};

} // namespace

TEST_F(PiecesTest, SavedSelectionsAreListedWithPicturesSearchedPlacedRenamedAndDeleted) {
    ASSERT_TRUE(saveBlocks(0, 4, "Start line"));
    ASSERT_TRUE(saveBlocks(4, 6, "Curve"));
    EXPECT_EQ(shownNames(), (std::vector<QString>{"Curve", "Start line"}));
    std::string problem;
    const std::optional<Piece> curve =
        readPieceFile(pieceFilePath(folder_, "Curve"), "Stadium", problem);
    ASSERT_TRUE(curve) << problem;
    EXPECT_EQ(curve->blocks.size(), 6u);
    const QImage picture =
        QImage::fromData(curve->picture.data(), static_cast<int>(curve->picture.size()), "PNG");
    EXPECT_EQ(picture.size(), QSize(96, 96));
    EXPECT_GT(coloursShown(picture.scaled(384, 384)), 10u);

    PiecesPage& page = *window_->piecesPage();
    page.search()->setText("CUR");
    EXPECT_EQ(shownNames(), (std::vector<QString>{"Curve"}));

    auto* tabs = qobject_cast<QTabWidget*>(window_->control(kPageTabs));
    tabs->setCurrentWidget(&page);
    page.search()->clear();
    const QImage shot = window_->grab().toImage();
    QDir().mkpath(QStringLiteral(BLOCKYARD_SCREENSHOT_DIR));
    EXPECT_TRUE(shot.save(QStringLiteral(BLOCKYARD_SCREENSHOT_DIR "/pieces_page.png")));

    // Choosing a piece takes its blocks up for placing.
    const std::size_t blocks = ctx_.document.blocks().size();
    ASSERT_TRUE(window_->pieceCommands()->placePiece(pieceFilePath(folder_, "Curve")));
    EXPECT_TRUE(window_->placing().active());
    EXPECT_EQ(window_->placing().what(), "Curve");
    EXPECT_EQ(ctx_.document.blocks().size(), blocks);

    page.list()->setCurrentRow(1);
    prompts_.texts.push_back("Curve");
    page.renameCurrent();
    EXPECT_EQ(prompts_.shown.back().text, "A piece named \"Curve\" is kept already.");
    prompts_.texts.push_back("Grid start");
    page.renameCurrent();
    EXPECT_EQ(shownNames(), (std::vector<QString>{"Curve", "Grid start"}));
    EXPECT_FALSE(fs::exists(pieceFilePath(folder_, "Start line")));

    page.list()->setCurrentRow(0);
    prompts_.answers.push_back(true);
    page.deleteCurrent();
    EXPECT_EQ(shownNames(), (std::vector<QString>{"Grid start"}));

    // A track of another environment lists that environment's pieces.
    const std::optional<std::string> alpine = copySample("Alpine");
    ASSERT_TRUE(alpine);
    openThroughButton(*alpine);
    EXPECT_EQ(page.list()->count(), 0);
    EXPECT_EQ(page.folder()->filename(), "Alpine");
}

TEST_F(PiecesTest, RefusedPiecesSayWhyAndChangeNothing) {
    ASSERT_TRUE(saveBlocks(0, 3, "Three"));
    const fs::path file = pieceFilePath(folder_, "Three");
    std::vector<std::uint8_t> bytes = readFile(file);
    bytes[bytes.size() / 2] ^= 0xFF;
    writeFile(folder_ / "Damaged.bypiece", bytes);
    window_->piecesPage()->refresh();
    EXPECT_EQ(window_->piecesPage()->list()->count(), 1);

    const std::size_t blocks = ctx_.document.blocks().size();
    prompts_.shown.clear();
    EXPECT_FALSE(window_->pieceCommands()->placePiece(folder_ / "Damaged.bypiece"));
    ASSERT_EQ(prompts_.shown.size(), 1u);
    EXPECT_NE(prompts_.shown[0].text.find("damaged"), std::string::npos);

    // A piece of kinds this environment lacks.
    std::string problem;
    Piece foreign = *readPieceFile(file, "Stadium", problem);
    foreign.name = "Foreign";
    for (std::string& kind : foreign.kinds)
        kind = "NoSuch" + kind;
    ASSERT_TRUE(writePieceFile(folder_, foreign, problem));
    EXPECT_FALSE(window_->pieceCommands()->placePiece(pieceFilePath(folder_, "Foreign")));
    EXPECT_NE(prompts_.shown.back().text.find("None of the kinds"), std::string::npos);
    EXPECT_FALSE(window_->placing().active());
    EXPECT_EQ(ctx_.document.blocks().size(), blocks);
    EXPECT_FALSE(ctx_.document.modified());
}
