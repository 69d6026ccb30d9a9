#pragma once

#include <functional>

#include <QObject>
#include <QPointer>

class QWidget;

namespace IslandKit {
class IslandRootView;
}

namespace WaylarkKit {

// Turns a right click on any part of an island into a request for the status
// menu, so that the menu is at hand where the desktop shows no tray. The
// views in the island's slots take every button over their text, so the
// click is caught on its way to them, in every view the island holds now or
// is given later. Only the expanded panel's content keeps its own right click
// (its fields have their own menu); what it leaves goes to the island. A
// left click goes where it always went.
class IslandRightClick final : public QObject {
public:
    // Lives as long as `root`, whose child it becomes.
    IslandRightClick(IslandKit::IslandRootView& root, std::function<void()> onMenuRequest);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void watch(QObject* object);
    // Whether a right click on `widget` is the business of the expanded content.
    bool keepsOwnRightClick(QWidget* widget) const;

    QPointer<IslandKit::IslandRootView> root_;
    std::function<void()> onMenuRequest_;
};

}  // namespace WaylarkKit
