#include "WaylarkKit/Checklist/Qt/ChecklistDropdown.h"

#include <algorithm>
#include <optional>
#include <utility>

#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>

#include "WaylarkKit/Checklist/ChecklistTexts.h"
#include "WaylarkKit/Checklist/Qt/ChecklistDrawing.h"
#include "WaylarkKit/Style/Palette.h"
#include "WaylarkKit/Style/Qt/QtColor.h"

namespace WaylarkKit {

using namespace ChecklistDrawing;

namespace {

constexpr double dividerHeight = 1;
constexpr double rowPadding = 10;
constexpr double iconToText = 6;
constexpr double iconSize = 9;

// One row of the menu: a symbol (or the selected mark, kept in place when
// hidden so the names line up) and the shortened name, in the row's tint.
void paintRow(QPainter& painter, const QRectF& row, const std::string& text, bool isSelected, const QColor& tint,
              std::optional<Symbol> icon) {
    QColor colour = tint;
    colour.setAlphaF(colour.alphaF() * (isSelected ? 1.0f : 0.85f));
    const double iconW = symbolWidth(iconSize);
    const QPointF iconCentre(row.left() + rowPadding + iconW / 2, row.center().y());
    if (icon) {
        drawSymbol(painter, *icon, iconCentre, iconSize, 1, colour);
    } else if (isSelected) {
        drawSymbol(painter, Symbol::checkmark, iconCentre, iconSize, 1, colour);
    }
    const double textLeft = row.left() + rowPadding + iconW + iconToText;
    drawLine(painter, QRectF(textLeft, row.top(), row.right() - rowPadding - textLeft, row.height()), Qt::AlignLeft,
             interFont(12, isSelected ? FontWeight::semibold : FontWeight::regular), colour,
             QString::fromStdString(ChecklistTexts::shortened(text, ChecklistTexts::dropdownRowLimit)));
}

}  // namespace

ChecklistDropdown::ChecklistDropdown(QWidget* parent) : QWidget(parent) {}

void ChecklistDropdown::setEntries(std::vector<Entry> entries) {
    if (entries == entries_) return;
    entries_ = std::move(entries);
    relayout();
    update();
}

QRectF ChecklistDropdown::listRect() const {
    return QRectF(width() - menuWidth, menuTop, menuWidth, ChecklistTexts::dropdownListHeight(entries_.size()));
}

QRectF ChecklistDropdown::menuRect() const {
    const QRectF list = listRect();
    return QRectF(list.left(), list.top(), menuWidth, list.height() + dividerHeight + rowHeight);
}

QRectF ChecklistDropdown::rowRect(std::size_t index) const {
    const QRectF list = listRect();
    if (index >= entries_.size()) return QRectF(list.left(), list.bottom() + dividerHeight, menuWidth, rowHeight);
    return QRectF(list.left(), list.top() + static_cast<double>(index) * rowHeight - scroll_, menuWidth, rowHeight);
}

void ChecklistDropdown::relayout() {
    const double overflow = std::max(0.0, static_cast<double>(entries_.size()) * rowHeight - listRect().height());
    scroll_ = std::clamp(scroll_, 0.0, overflow);
    targets_.clear();
    const QRectF list = listRect();
    for (std::size_t i = 0; i < entries_.size(); ++i) {
        const QRectF visible = rowRect(i).intersected(list);
        if (visible.isEmpty()) continue;
        const Base::Uuid id = entries_[i].id;
        targets_.add(visible, [this, id] {
            if (onSelect_) onSelect_(id);
        });
    }
    targets_.add(rowRect(entries_.size()), [this] {
        if (onCreate_) onCreate_();
    });
}

void ChecklistDropdown::resizeEvent(QResizeEvent*) { relayout(); }

void ChecklistDropdown::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing, true);
    const QRectF menu = menuRect();
    fill(painter, roundedRect(menu, 8), QColor::fromRgbF(0.1f, 0.1f, 0.1f));
    painter.save();
    painter.setPen(QPen(white(0.12), 1));
    painter.drawRoundedRect(menu.adjusted(0.5, 0.5, -0.5, -0.5), 7.5, 7.5);
    painter.restore();

    const QRectF list = listRect();
    painter.save();
    painter.setClipRect(list);
    for (std::size_t i = 0; i < entries_.size(); ++i) {
        const QRectF row = rowRect(i);
        if (!row.intersects(list)) continue;
        paintRow(painter, row, entries_[i].name, entries_[i].isSelected, Qt::white, std::nullopt);
    }
    painter.restore();
    painter.fillRect(QRectF(list.left(), list.bottom(), menuWidth, dividerHeight), white(0.12));
    paintRow(painter, rowRect(entries_.size()), "Create new", false, toQColor(Palette::cyan), Symbol::plus);
}

void ChecklistDropdown::mousePressEvent(QMouseEvent* event) {
    pressedOutside_ = false;
    if (event->button() != Qt::LeftButton) return;
    if (targets_.press(event->position())) return;
    pressedOutside_ = !menuRect().contains(event->position());
}

void ChecklistDropdown::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    if (std::exchange(pressedOutside_, false)) {
        if (!menuRect().contains(event->position()) && onDismiss_) onDismiss_();
        return;
    }
    targets_.release(event->position());
}

void ChecklistDropdown::wheelEvent(QWheelEvent* event) {
    const double overflow = std::max(0.0, static_cast<double>(entries_.size()) * rowHeight - listRect().height());
    if (overflow <= 0 || !listRect().contains(event->position())) return;
    const QPoint pixels = event->pixelDelta();
    const double delta = !pixels.isNull() ? pixels.y() : event->angleDelta().y() / 120.0 * rowHeight;
    scroll_ = std::clamp(scroll_ - delta, 0.0, overflow);
    relayout();
    update();
}

}  // namespace WaylarkKit
