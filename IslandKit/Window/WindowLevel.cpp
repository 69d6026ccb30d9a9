#include "IslandKit/Window/WindowLevel.h"

#include <algorithm>
#include <vector>

#include <QPointer>
#include <QWidget>

namespace IslandKit::WindowLevel {

namespace {

struct Entry {
    QPointer<QWidget> window;
    int level;
};

std::vector<Entry>& entries() {
    static std::vector<Entry> list;
    return list;
}

}  // namespace

void assign(QWidget* window, int level) {
    auto& list = entries();
    std::erase_if(list, [window](const Entry& e) { return !e.window || e.window == window; });
    list.push_back({window, level});
}

void restack() {
    auto& list = entries();
    std::erase_if(list, [](const Entry& e) { return !e.window; });
    std::vector<Entry> order = list;
    std::stable_sort(order.begin(), order.end(), [](const Entry& a, const Entry& b) { return a.level < b.level; });
    for (const Entry& e : order) {
        if (e.window && e.window->isVisible()) e.window->raise();
    }
}

}  // namespace IslandKit::WindowLevel
