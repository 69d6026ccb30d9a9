#pragma once

#include <optional>
#include <string>
#include <vector>

#include <QWidget>

#include "Base/Observable.h"
#include "Base/Scheduler.h"
#include "ChecklistKit/ChecklistModel.h"
#include "WaylarkKit/Checklist/ChecklistUIState.h"
#include "WaylarkKit/Checklist/Qt/ClickTargets.h"
#include "WaylarkKit/Motion/FrameClock.h"

class QScrollArea;

namespace WaylarkKit {

class ChecklistDropdown;
class ChecklistItemsView;
class EmptyChecklistView;
class HoldToResetButton;

// The expanded panel's checklist tab: the active checklist's items under a
// header with the checklist menu and the editor's pencil, above a footer with
// the count and the hold-to-reset. It keeps no state: everything comes from
// the checklist model and the shared interface state, and every click goes
// back to one of them. Leaving the screen closes the menu and the option picker.
class ChecklistTabView final : public QWidget {
public:
    // The main region the expanded panel gives its active tab.
    static constexpr int standardWidth = 420;
    static constexpr int standardHeight = 165;
    static constexpr double headerHeight = 22;
    static constexpr double footerHeight = 24;
    static constexpr double spacing = 8;

    ChecklistTabView(ChecklistKit::ChecklistModel& checklist, ChecklistUIState& ui, Base::Scheduler& scheduler,
                     QWidget* parent = nullptr);
    ~ChecklistTabView() override;
    ChecklistTabView(const ChecklistTabView&) = delete;
    ChecklistTabView& operator=(const ChecklistTabView&) = delete;

    QSize sizeHint() const override { return {standardWidth, standardHeight}; }

    QRectF pillRect() const;
    QRectF pencilRect() const;
    ChecklistItemsView& items() const { return *items_; }
    ChecklistDropdown& dropdown() const { return *dropdown_; }
    HoldToResetButton& resetButton() const { return *resetButton_; }
    EmptyChecklistView& emptyView() const { return *emptyView_; }
    QScrollArea& scrollArea() const { return *scroll_; }

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    // What the tab paints itself; a redraw happens only when it changes.
    struct Painted {
        bool isEmpty = true;
        std::string name;
        bool isDropdownOpen = false;
        bool hasActive = false;
        bool hasNoItems = true;
        std::optional<std::string> count;
        bool operator==(const Painted&) const = default;
    };

    void refresh();
    void layoutChildren();
    void closeMenus();
    // Scrolls just far enough to show the row whole, easing out over `seconds`.
    void scrollToRow(const Base::Uuid& id, double seconds);

    ChecklistKit::ChecklistModel& checklist_;
    ChecklistUIState& ui_;
    FrameClock frames_;
    Painted painted_;
    ClickTargets targets_;
    QScrollArea* scroll_;
    ChecklistItemsView* items_;
    HoldToResetButton* resetButton_;
    EmptyChecklistView* emptyView_;
    ChecklistDropdown* dropdown_;
    Base::TaskHandle scrollAnimation_;
    // Last: they go first.
    std::vector<Base::Subscription> subscriptions_;
};

}  // namespace WaylarkKit
