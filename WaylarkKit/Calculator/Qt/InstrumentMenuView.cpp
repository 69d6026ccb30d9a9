#include "WaylarkKit/Calculator/Qt/InstrumentMenuView.h"

#include <algorithm>

#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QWheelEvent>

#include "WaylarkKit/Calculator/Qt/CalculatorPainting.h"
#include "WaylarkKit/Style/Palette.h"
#include "WaylarkKit/Style/Qt/Symbols.h"
#include "WaylarkKit/Style/Qt/TextDrawing.h"

namespace WaylarkKit {

namespace {

namespace P = CalculatorPainting;

constexpr double rowHeight = 24;
constexpr double titleTop = 6;
constexpr double horizontalPadding = 10;

QFont titleFont() { return P::font(9, FontWeight::bold, 0.8); }

}  // namespace

InstrumentMenuView::InstrumentMenuView(CalculatorModel& model, QWidget* parent) : QWidget(parent), model_(model) {}

void InstrumentMenuView::setContent(const std::vector<CalculatorTabText::MenuSection>& sections,
                                    const std::string& selectedID) {
    titles_.clear();
    rows_.clear();
    selectedID_ = selectedID;
    double y = 0;
    for (const auto& section : sections) {
        const double height = titleTop + P::lineHeight(titleFont());
        titles_.push_back(
            {QRectF(0, y + titleTop, box.width(), height - titleTop), QString::fromStdString(section.title)});
        y += height;
        for (const auto& instrument : section.instruments) {
            rows_.push_back({QRectF(0, y, box.width(), rowHeight), instrument});
            y += rowHeight;
        }
    }
    contentHeight_ = y;
    scrollBy(0);
    update();
}

QRectF InstrumentMenuView::rowRect(const Row& row) const {
    return row.rect.translated(box.left(), box.top() - offset_);
}

void InstrumentMenuView::scrollBy(double delta) {
    offset_ = std::clamp(offset_ + delta, 0.0, std::max(0.0, contentHeight_ - box.height()));
}

void InstrumentMenuView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing, true);
    QPainterPath outline;
    outline.addRoundedRect(box, 8, 8);
    painter.fillPath(outline, QColor::fromRgbF(0.1f, 0.1f, 0.1f));

    painter.save();
    painter.setClipPath(outline);
    painter.translate(box.left(), box.top() - offset_);
    for (const auto& title : titles_) {
        P::drawLine(painter, title.rect.adjusted(horizontalPadding, 0, -horizontalPadding, 0), titleFont(),
                    P::white(0.35), title.text);
    }
    const QColor ink = P::white(0.9);
    for (const auto& row : rows_) {
        const bool selected = row.instrument.id == selectedID_;
        double x = horizontalPadding;
        const QRectF mark(x, row.rect.center().y() - 4.5, 9, 9);
        if (selected) paintSymbol(painter, Symbol::checkmark, mark, ink, symbolStroke(9, 1));
        x += 9 + 6;
        const QFont nameFont = P::font(12, selected ? FontWeight::semibold : FontWeight::regular);
        const QString name = QString::fromStdString(row.instrument.name);
        const double nameWidth = P::textWidth(nameFont, name);
        P::drawLine(painter, QRectF(x, row.rect.top(), nameWidth, rowHeight), nameFont, ink, name);
        x += nameWidth + 6;
        if (!row.instrument.isVerified) {
            paintSymbol(painter, Symbol::exclamationCircleFill, QRectF(x, row.rect.center().y() - 4.5, 9, 9),
                        P::colour(Palette::yellow), 0);
        }
        painter.setPen(P::white(0.4));
        MonoDigits::drawIn(painter, row.rect.adjusted(0, 0, -horizontalPadding, 0), Qt::AlignRight,
                           P::font(10, FontWeight::regular),
                           QString::fromStdString(CalculatorTabText::pointPrice(row.instrument)));
    }
    painter.restore();

    QPainterPath border;
    border.addRoundedRect(box.adjusted(0.5, 0.5, -0.5, -0.5), 7.5, 7.5);
    painter.setPen(QPen(P::white(0.12), 1));
    painter.drawPath(border);
}

void InstrumentMenuView::mousePressEvent(QMouseEvent* event) {
    const QPointF point = event->position();
    event->accept();
    if (box.contains(point)) {
        for (const auto& row : rows_) {
            if (rowRect(row).contains(point)) {
                model_.selectInstrument(row.instrument.id);
                return;
            }
        }
        return;
    }
    model_.setInstrumentMenuOpen(false);
}

void InstrumentMenuView::wheelEvent(QWheelEvent* event) {
    const QPoint pixels = event->pixelDelta();
    const double delta = pixels.isNull() ? -event->angleDelta().y() / 120.0 * rowHeight : -pixels.y();
    scrollBy(delta);
    event->accept();
    update();
}

}  // namespace WaylarkKit
