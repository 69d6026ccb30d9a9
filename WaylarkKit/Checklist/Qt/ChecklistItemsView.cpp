#include "WaylarkKit/Checklist/Qt/ChecklistItemsView.h"

#include <algorithm>
#include <cmath>

#include <QMouseEvent>
#include <QPainter>

#include "WaylarkKit/Checklist/ChecklistTexts.h"
#include "WaylarkKit/Checklist/Qt/ChecklistDrawing.h"

namespace WaylarkKit {

using namespace ChecklistDrawing;

namespace {

constexpr double rowSpacing = 1;
constexpr double rowPadding = 4;
constexpr double boxToText = 9;
constexpr double textIndent = checkBoxSize + boxToText;
constexpr double pillHeight = 22;
constexpr double pillPadding = 9;
constexpr double pillGap = 4;
constexpr double chipHeight = 24;
constexpr double chipPadding = 10;
constexpr double chipSpacing = 6;
constexpr double chipsBottom = 6;
constexpr double chevronSize = 8;

QFont itemFont() { return interFont(12); }
QFont pillFont() { return interFont(11, FontWeight::semibold); }

double pillWidth(const QString& label) {
    return pillPadding + textWidth(pillFont(), label) + pillGap + symbolWidth(chevronSize) + pillPadding;
}

}  // namespace

ChecklistItemsView::ChecklistItemsView(QWidget* parent) : ClickableWidget(parent) {}

void ChecklistItemsView::setRows(std::vector<Row> rows, double width) {
    if (rows == rows_ && width == width_) return;
    rows_ = std::move(rows);
    width_ = width;
    relayout();
    update();
}

ChecklistItemsView::Laid ChecklistItemsView::layRow(const Row& row, double top) const {
    Laid laid;
    const QString text = QString::fromStdString(row.item.text);
    const double lineH = lineHeight(itemFont());
    if (!row.item.hasOptions()) {
        laid.lines = wrapped(itemFont(), text, std::max(0.0, width_ - textIndent), 2);
        const double inner = std::max(checkBoxSize, laid.lines.size() * lineH);
        laid.parts.row = QRectF(0, top, width_, rowPadding + inner + rowPadding);
        laid.parts.box = QRectF(0, top + rowPadding, checkBoxSize, checkBoxSize);
        laid.parts.text = QRectF(textIndent, top + rowPadding, std::max(0.0, width_ - textIndent), laid.lines.size() * lineH);
        return laid;
    }
    laid.pillLabel = QString::fromStdString(ChecklistTexts::pillLabel(row.choice));
    const double pillW = pillWidth(laid.pillLabel);
    const double textW = std::max(0.0, width_ - textIndent - boxToText - pillW);
    laid.lines = wrapped(itemFont(), text, textW, 2);
    const double textH = laid.lines.size() * lineH;
    const double inner = std::max({checkBoxSize, textH, pillHeight});
    const double middle = top + rowPadding + inner / 2;
    double height = rowPadding + inner + rowPadding;
    laid.parts.box = QRectF(0, middle - checkBoxSize / 2, checkBoxSize, checkBoxSize);
    laid.parts.text = QRectF(textIndent, middle - textH / 2, textW, textH);
    laid.parts.pill = QRectF(width_ - pillW, middle - pillHeight / 2, pillW, pillHeight);
    if (row.isOpen) {
        double x = textIndent;
        const double chipTop = top + height;
        for (const std::string& option : row.item.options) {
            const QString label = QString::fromStdString(ChecklistTexts::shortened(option, ChecklistTexts::chipLimit));
            const double chipW = chipPadding + textWidth(pillFont(), label) + chipPadding;
            laid.chipLabels.push_back(label);
            laid.parts.chips.emplace_back(x, chipTop, chipW, chipHeight);
            x += chipW + chipSpacing;
        }
        height += chipHeight + chipsBottom;
    }
    laid.parts.row = QRectF(0, top, width_, height);
    return laid;
}

void ChecklistItemsView::relayout() {
    laid_.clear();
    targets().clear();
    double top = 0;
    for (const Row& row : rows_) {
        Laid laid = layRow(row, top);
        const Base::Uuid id = row.item.id;
        if (!row.item.hasOptions()) {
            targets().add(laid.parts.row, [this, id] {
                if (onToggle_) onToggle_(id);
            });
        } else {
            const bool chosen = row.choice.has_value();
            targets().add(laid.parts.box, [this, id, chosen] {
                if (chosen) {
                    if (onChoose_) onChoose_(std::nullopt, id);
                } else if (onTogglePicker_) {
                    onTogglePicker_(id);
                }
            });
            targets().add(laid.parts.text, [this, id] {
                if (onTogglePicker_) onTogglePicker_(id);
            });
            targets().add(capsule(laid.parts.pill), [this, id] {
                if (onTogglePicker_) onTogglePicker_(id);
            });
            for (std::size_t i = 0; i < laid.parts.chips.size(); ++i) {
                const std::string option = row.item.options[i];
                const bool selected = row.choice == option;
                targets().add(capsule(laid.parts.chips[i]), [this, id, option, selected] {
                    if (onChoose_) onChoose_(selected ? std::nullopt : std::optional<std::string>(option), id);
                });
            }
        }
        top = laid.parts.row.bottom() + rowSpacing;
        laid_.push_back(std::move(laid));
    }
    contentHeight_ = rows_.empty() ? 0 : top - rowSpacing;
    setFixedSize(static_cast<int>(std::ceil(width_)), static_cast<int>(std::ceil(contentHeight_)));
}

std::optional<ChecklistItemsView::Parts> ChecklistItemsView::parts(const Base::Uuid& id) const {
    for (std::size_t i = 0; i < rows_.size(); ++i) {
        if (rows_[i].item.id == id) return laid_[i].parts;
    }
    return std::nullopt;
}

std::optional<QRectF> ChecklistItemsView::rowRect(const Base::Uuid& id) const {
    const std::optional<Parts> found = parts(id);
    return found ? std::optional<QRectF>(found->row) : std::nullopt;
}

void ChecklistItemsView::paintRow(QPainter& painter, const Row& row, const Laid& laid) const {
    const bool done = row.item.hasOptions() ? row.choice.has_value() : row.isChecked;
    drawCheckBox(painter, laid.parts.box.topLeft(), done);
    drawLines(painter, laid.parts.text, itemFont(), white(done ? 0.45 : 0.92), laid.lines);
    if (!row.item.hasOptions()) return;

    const QRectF& pill = laid.parts.pill;
    fill(painter, capsule(pill), white(row.isOpen ? 0.16 : 0.09));
    const QColor pillColour = row.choice ? tickGreen() : white(0.7);
    const double labelW = textWidth(pillFont(), laid.pillLabel);
    drawLine(painter, QRectF(pill.left() + pillPadding, pill.top(), labelW, pill.height()), Qt::AlignLeft, pillFont(),
             pillColour, laid.pillLabel);
    drawSymbol(painter, row.isOpen ? Symbol::chevronUp : Symbol::chevronDown,
               QPointF(pill.right() - pillPadding - symbolWidth(chevronSize) / 2, pill.center().y()), chevronSize, 1,
               pillColour);

    for (std::size_t i = 0; i < laid.parts.chips.size(); ++i) {
        const QRectF& chip = laid.parts.chips[i];
        const bool selected = row.choice == row.item.options[i];
        fill(painter, capsule(chip), selected ? tickGreen() : white(0.12));
        drawLine(painter, chip, Qt::AlignHCenter, pillFont(), selected ? QColor(Qt::black) : white(0.85),
                 laid.chipLabels[static_cast<int>(i)]);
    }
}

void ChecklistItemsView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setRenderHint(QPainter::TextAntialiasing, true);
    for (std::size_t i = 0; i < rows_.size(); ++i) paintRow(painter, rows_[i], laid_[i]);
}

}  // namespace WaylarkKit
