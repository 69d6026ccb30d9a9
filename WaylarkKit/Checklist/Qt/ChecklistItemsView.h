#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include <QRectF>
#include <QStringList>
#include <QWidget>

#include "Base/Uuid.h"
#include "ChecklistKit/ChecklistItem.h"
#include "WaylarkKit/Checklist/Qt/ClickTargets.h"

namespace WaylarkKit {

// The checklist tab's column of items: a plain item is a row with a check box
// that a tap anywhere ticks; an item with options shows its choice in a pill
// and, while its picker is open, a line of option chips under it. The rows
// are painted from their data and report taps through the callbacks; they
// change nothing themselves.
class ChecklistItemsView final : public ClickableWidget {
public:
    struct Row {
        ChecklistKit::ChecklistItem item;
        bool isChecked = false;                // plain items
        std::optional<std::string> choice;     // items with options
        bool isOpen = false;                   // the options list shows
        bool operator==(const Row&) const = default;
    };

    explicit ChecklistItemsView(QWidget* parent = nullptr);

    void setOnToggle(std::function<void(const Base::Uuid&)> f) { onToggle_ = std::move(f); }
    void setOnTogglePicker(std::function<void(const Base::Uuid&)> f) { onTogglePicker_ = std::move(f); }
    void setOnChoose(std::function<void(const std::optional<std::string>&, const Base::Uuid&)> f) {
        onChoose_ = std::move(f);
    }

    // New rows, laid out at `width`; repaints only when something changed.
    void setRows(std::vector<Row> rows, double width);
    const std::vector<Row>& rows() const { return rows_; }
    double contentHeight() const { return contentHeight_; }
    // The row's rectangle, its open options list included.
    std::optional<QRectF> rowRect(const Base::Uuid& id) const;

    // Geometry of one row's parts, exposed for tests that click them.
    struct Parts {
        QRectF row;
        QRectF box;
        QRectF text;
        QRectF pill;
        std::vector<QRectF> chips;
    };
    std::optional<Parts> parts(const Base::Uuid& id) const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    struct Laid {
        Parts parts;
        QStringList lines;
        QString pillLabel;
        QStringList chipLabels;
    };
    void relayout();
    Laid layRow(const Row& row, double top) const;
    void paintRow(class QPainter& painter, const Row& row, const Laid& laid) const;

    std::vector<Row> rows_;
    std::vector<Laid> laid_;
    double width_ = 0;
    double contentHeight_ = 0;
    std::function<void(const Base::Uuid&)> onToggle_;
    std::function<void(const Base::Uuid&)> onTogglePicker_;
    std::function<void(const std::optional<std::string>&, const Base::Uuid&)> onChoose_;
};

}  // namespace WaylarkKit
