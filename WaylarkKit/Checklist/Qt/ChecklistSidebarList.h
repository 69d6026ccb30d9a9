#pragma once

#include <functional>
#include <string>
#include <vector>

#include "Base/Uuid.h"
#include "WaylarkKit/Checklist/Qt/ClickTargets.h"

namespace WaylarkKit {

// The checklist editor's list of checklists: one row per checklist with its
// name and the number of its counted items, the active one highlighted.
class ChecklistSidebarList final : public ClickableWidget {
public:
    static constexpr double rowHeight = 28;
    static constexpr double rowSpacing = 2;

    struct Row {
        Base::Uuid id;
        std::string name;
        int count = 0;
        bool isSelected = false;
        bool operator==(const Row&) const = default;
    };

    explicit ChecklistSidebarList(QWidget* parent = nullptr);

    void setOnSelect(std::function<void(const Base::Uuid&)> f) { onSelect_ = std::move(f); }
    void setRows(std::vector<Row> rows, int width);
    const std::vector<Row>& rows() const { return rows_; }
    QRectF rowRect(std::size_t index) const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::vector<Row> rows_;
    std::function<void(const Base::Uuid&)> onSelect_;
};

}  // namespace WaylarkKit
