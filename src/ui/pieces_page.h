#pragma once

#include <QWidget>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>

#include "edit/editor_context.h"

class QLabel;
class QLineEdit;
class QListWidget;
class QListWidgetItem;
class QPushButton;

// The "Pieces" page: the open environment's pieces with their pictures, narrowed by a search
// field. Clicking one (or Place) hands its file to whoever places it; Rename... and Delete act on
// the current one, from the buttons or the list's context menu. The list is read again when a
// track of another environment opens and whenever refresh() is called.
class PiecesPage : public QWidget {
    Q_OBJECT
  public:
    // `dataFolder` is the user's data folder; none leaves the page without pieces.
    PiecesPage(EditorContext& ctx, std::optional<std::filesystem::path> dataFolder,
               QWidget* parent = nullptr);
    ~PiecesPage() override;

    // Who places a chosen piece, given its file.
    void setChoose(std::function<void(const std::filesystem::path&)> choose) {
        choose_ = std::move(choose);
    }
    // The folder of the open environment's pieces; none without a data folder.
    std::optional<std::filesystem::path> folder() const;
    // Lists the folder's pieces again, keeping the search; the piece kept in `current`, or else
    // the one that was current, stays the current one.
    void refresh(const std::filesystem::path& current = {});
    // The pieces shown (those the search lets through), for tests.
    QListWidget* list() const { return list_; }
    QLineEdit* search() const { return search_; }

    void renameCurrent();
    void deleteCurrent();

  private:
    void createControls();
    void applySearch();
    void chooseItem(QListWidgetItem* item);
    std::string environment() const;

    EditorContext& ctx_;
    std::optional<std::filesystem::path> dataFolder_;
    std::function<void(const std::filesystem::path&)> choose_;
    std::string listedEnvironment_;
    int documentListener_ = 0;
    QLineEdit* search_ = nullptr;
    QListWidget* list_ = nullptr;
    QLabel* note_ = nullptr;
    QPushButton* place_ = nullptr;
    QPushButton* rename_ = nullptr;
    QPushButton* delete_ = nullptr;
};
