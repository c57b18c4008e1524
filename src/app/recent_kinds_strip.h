#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include <QWidget>

class QHBoxLayout;

// A row of buttons for the kinds placed last, newest first, over the bottom of the view: a click
// takes the kind up again. Hidden while it holds none.
class RecentKindsStrip : public QWidget {
    Q_OBJECT
  public:
    static constexpr std::size_t kMostKinds = 8;

    RecentKindsStrip(std::function<void(std::uint32_t)> choose, QWidget* parent);

    // The kind was chosen: it goes first, once.
    void note(std::uint32_t catalogIndex, const std::string& name);
    // The open track's environment: another one has other kinds, and the strip starts empty.
    void setEnvironment(int environment);
    const std::vector<std::uint32_t>& kinds() const { return kinds_; }

  private:
    void rebuild();

    std::function<void(std::uint32_t)> choose_;
    int environment_ = -1;
    std::vector<std::uint32_t> kinds_;
    std::vector<std::string> names_;
    QHBoxLayout* row_ = nullptr;
};
