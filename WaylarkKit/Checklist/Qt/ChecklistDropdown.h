#pragma once

#include <functional>
#include <string>
#include <vector>

#include <QWidget>

#include "Base/Uuid.h"
#include "WaylarkKit/Checklist/Qt/ClickTargets.h"

namespace WaylarkKit {

// The checklist tab's template menu, laid over the whole tab: the menu under
// the header's right end lists the checklists (four rows show, more scroll)
// and ends with "Create new"; a click anywhere else only closes it.
class ChecklistDropdown final : public QWidget {
public:
    static constexpr double menuWidth = 170;
    static constexpr double menuTop = 28;
    static constexpr double rowHeight = 26;

    struct Entry {
        Base::Uuid id;
        std::string name;
        bool isSelected = false;
        bool operator==(const Entry&) const = default;
    };

    explicit ChecklistDropdown(QWidget* parent = nullptr);

    void setOnSelect(std::function<void(const Base::Uuid&)> f) { onSelect_ = std::move(f); }
    void setOnCreate(std::function<void()> f) { onCreate_ = std::move(f); }
    void setOnDismiss(std::function<void()> f) { onDismiss_ = std::move(f); }

    void setEntries(std::vector<Entry> entries);
    const std::vector<Entry>& entries() const { return entries_; }

    QRectF menuRect() const;
    QRectF listRect() const;
    // Where the row of entry `index`, or "Create new" for the index past the
    // last entry, lies now (after scrolling).
    QRectF rowRect(std::size_t index) const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    void relayout();

    std::vector<Entry> entries_;
    double scroll_ = 0;
    bool pressedOutside_ = false;
    ClickTargets targets_;
    std::function<void(const Base::Uuid&)> onSelect_;
    std::function<void()> onCreate_;
    std::function<void()> onDismiss_;
};

}  // namespace WaylarkKit
