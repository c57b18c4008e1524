#pragma once

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QToolButton>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "document_blocks.h"
#include "edit/editor_context.h"
#include "recording_prompts.h"
#include "ui/area_page.h"
#include "ui/arrow_spinner.h"
#include "ui/blocks_page.h"
#include "ui/control_ids.h"
#include "view/view_state.h"

// The fixtures' catalogues have as many kinds as the Stadium's.
inline constexpr std::size_t kFixtureKinds = 363;

inline void PrintTo(const QString& text, std::ostream* os) {
    *os << '"' << text.toStdString() << '"';
}

// The one application object of a widget test program, made before the first widget.
inline void ensureApplication() {
    if (QApplication::instance())
        return;
    static int argc = 1;
    static char name[] = "ui-test";
    static char* argv[] = {name, nullptr};
    new QApplication(argc, argv);
}

// Both pages over a fresh editor with recording seams and a catalogue of 308 one-unit kinds
// named "Kind<n>".
class PagesTest : public ::testing::Test {
  protected:
    EditorContext ctx;
    TrackDocument& doc = ctx.document;
    ViewState viewState;
    RecordingPrompts prompts;
    BlocksPage* blocks = nullptr;
    AreaPage* area = nullptr;
    // The frames the pages asked for after their commands, and how many handed the focus over.
    int frames = 0;
    int focusCalls = 0;

    PagesTest() {
        ensureApplication();
        ctx.setPrompts(&prompts);
        ctx.catalog.currentEnvironment = 0;
        auto& entries = ctx.catalog.catalogs[0].entries;
        entries.resize(kFixtureKinds);
        for (std::size_t i = 0; i < entries.size(); ++i) {
            entries[i].name = "Kind" + std::to_string(i + 1);
            entries[i].units = {BlockUnit{}};
        }
        blocks = new BlocksPage(ctx, viewState);
        area = new AreaPage(ctx);
        const auto done = [this](bool focusView) {
            ++frames;
            focusCalls += focusView ? 1 : 0;
        };
        blocks->setCommandDone(done);
        area->setCommandDone(done);
        blocks->show();
        area->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(blocks));
    }
    ~PagesTest() override {
        delete blocks;
        delete area;
    }

    // Added as an opened track holds it: with a new history, nothing selected.
    const BlockRecord& addBlock(std::uint32_t kind, int x, int y, int z, std::uint32_t flags = 0) {
        return addToDocument(doc, recordAt(x, y, z, kind, 0, flags));
    }
    const BlockRecord& block(int i) { return blockAt(doc, i); }

    QListWidget* list() const {
        return qobject_cast<QListWidget*>(blocks->control(control_id::kBlockList));
    }
    QStringList lines() const {
        QStringList out;
        for (int i = 0; i < list()->count(); ++i)
            out << list()->item(i)->text();
        return out;
    }
    std::vector<int> markedLines() const {
        std::vector<int> out;
        for (int i = 0; i < list()->count(); ++i)
            if (list()->item(i)->isSelected())
                out.push_back(i);
        return out;
    }
    void clickLine(int row) {
        QListWidget* l = list();
        l->scrollToItem(l->item(row));
        QTest::mouseClick(l->viewport(), Qt::LeftButton, {},
                          l->visualItemRect(l->item(row)).center());
    }
    QPushButton* button(QWidget* page, int id) const {
        return qobject_cast<QPushButton*>(page == blocks ? blocks->control(id) : area->control(id));
    }
    QString text(QWidget* page, int id) const {
        QWidget* w = page == blocks ? blocks->control(id) : area->control(id);
        if (auto* edit = qobject_cast<QLineEdit*>(w))
            return edit->text();
        if (auto* label = qobject_cast<QLabel*>(w))
            return label->text();
        return QStringLiteral("<no text control %1>").arg(id);
    }
    ArrowSpinner* spinner(int id) const { return qobject_cast<ArrowSpinner*>(blocks->control(id)); }
    void clickUp(int spinnerId) {
        QTest::mouseClick(spinner(spinnerId)->upButton(), Qt::LeftButton);
    }
    void clickDown(int spinnerId) {
        QTest::mouseClick(spinner(spinnerId)->downButton(), Qt::LeftButton);
    }
    void click(QWidget* page, int id) { QTest::mouseClick(button(page, id), Qt::LeftButton); }
};
