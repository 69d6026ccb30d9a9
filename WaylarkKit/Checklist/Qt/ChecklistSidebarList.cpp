#include "WaylarkKit/Checklist/Qt/ChecklistSidebarList.h"

#include <QPainter>

#include "WaylarkKit/Checklist/ChecklistTexts.h"
#include "WaylarkKit/Checklist/Qt/ChecklistDrawing.h"
#include "WaylarkKit/Style/Qt/TextDrawing.h"

namespace WaylarkKit {

using namespace ChecklistDrawing;

namespace {

constexpr double padding = 8;
constexpr double nameToCount = 8;

QFont countFont() { return interFont(10); }

}  // namespace

ChecklistSidebarList::ChecklistSidebarList(QWidget* parent) : ClickableWidget(parent) {}

QRectF ChecklistSidebarList::rowRect(std::size_t index) const {
    return QRectF(0, static_cast<double>(index) * (rowHeight + rowSpacing), width(), rowHeight);
}

void ChecklistSidebarList::setRows(std::vector<Row> rows, int width) {
    if (rows == rows_ && width == this->width()) return;
    rows_ = std::move(rows);
    const double height = rows_.empty() ? 0 : static_cast<double>(rows_.size()) * (rowHeight + rowSpacing) - rowSpacing;
    setFixedSize(width, static_cast<int>(height));
    targets().clear();
    for (std::size_t i = 0; i < rows_.size(); ++i) {
        const Base::Uuid id = rows_[i].id;
        targets().add(rowRect(i), [this, id] {
            if (onSelect_) onSelect_(id);
        });
    }
    update();
}

void ChecklistSidebarList::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing, true);
    for (std::size_t i = 0; i < rows_.size(); ++i) {
        const Row& row = rows_[i];
        const QRectF rect = rowRect(i);
        if (row.isSelected) fill(painter, roundedRect(rect, 6), white(0.12));
        const QString count = QString::number(row.count);
        const double countWidth = MonoDigits::width(countFont(), count);
        painter.setPen(white(0.4));
        MonoDigits::drawIn(painter, rect.adjusted(0, 0, -padding, 0), Qt::AlignRight | Qt::AlignVCenter, countFont(),
                           count);
        const QString name =
            QString::fromStdString(ChecklistTexts::shortened(row.name, ChecklistTexts::sidebarNameLimit));
        painter.save();
        painter.setClipRect(rect.adjusted(padding, 0, -padding - countWidth - nameToCount, 0));
        drawLine(painter, rect.adjusted(padding, 0, 0, 0), Qt::AlignLeft,
                 interFont(12, row.isSelected ? FontWeight::semibold : FontWeight::regular),
                 white(row.isSelected ? 1.0 : 0.7), name);
        painter.restore();
    }
}

}  // namespace WaylarkKit
