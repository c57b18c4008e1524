#pragma once

#include <functional>
#include <utility>
#include <vector>

// Callbacks that hear of a change, each once, in the order they were added. A listener that
// throws is passed over: the change and the other listeners go on.
template <typename... Args> class Listeners {
  public:
    using Listener = std::function<void(Args...)>;

    // The id removes it.
    int add(Listener listener) {
        entries_.emplace_back(next_, std::move(listener));
        return next_++;
    }
    void remove(int id) {
        std::erase_if(entries_, [id](const auto& entry) { return entry.first == id; });
    }
    void notify(Args... args) const {
        // A listener may remove itself or another while it runs: go over a copy.
        const auto entries = entries_;
        for (const auto& entry : entries) {
            try {
                entry.second(args...);
            } catch (...) {
            }
        }
    }

  private:
    std::vector<std::pair<int, Listener>> entries_;
    int next_ = 1;
};
