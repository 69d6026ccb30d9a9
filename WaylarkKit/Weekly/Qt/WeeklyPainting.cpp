#include "WaylarkKit/Weekly/Qt/WeeklyPainting.h"

#include <numbers>
#include <optional>

#include <QFontMetricsF>
#include <QPainterPath>

#include "WaylarkKit/Style/Qt/Fonts.h"
#include "WaylarkKit/Style/Qt/QtColor.h"
#include "WaylarkKit/Style/Qt/Symbols.h"
#include "WaylarkKit/Style/Qt/TextDrawing.h"
#include "WaylarkKit/Weekly/WeeklyLook.h"
#include "WaylarkKit/Weekly/WeeklyTexts.h"

namespace WaylarkKit::WeeklyPainting {

namespace {

using WeeklyTabLayout::Rect;

constexpr double chevronSize = 8;

// Made once: the tab redraws every second while it shows.
struct Fonts {
    QFont title = interFont(13, FontWeight::semibold);
    QFont subtitle = interFont(10);
    QFont filter = interFont(11, FontWeight::semibold);
    QFont heading = [] {
        QFont font = interFont(10, FontWeight::bold);
        font.setLetterSpacing(QFont::AbsoluteSpacing, 0.8);
        return font;
    }();
    QFont emptyDay = interFont(10);
    QFont time = interFont(11, FontWeight::medium);
    QFont main = interFont(12, FontWeight::semibold);
    QFont second = interFont(11);
    QFont detail = interFont(10);
    QFont menu = interFont(12);
    QFont menuChosen = interFont(12, FontWeight::semibold);
};

const Fonts& fonts() {
    static const Fonts shared;
    return shared;
}

QString text(std::string_view utf8) { return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size())); }

QRectF qrect(const Rect& r) { return {r.x, r.y, r.width, r.height}; }

double advance(const QFont& font, const QString& string) { return QFontMetricsF(font).horizontalAdvance(string); }

// One line of text in `box`, cut at its end when it does not fit, vertically
// centred on the font's ascent and descent.
void drawLine(QPainter& painter, const QRectF& box, const QFont& font, const Rgba& colour, const QString& string) {
    const QFontMetricsF metrics(font);
    const QString shown = elided(string, font, box.width() + 0.5);
    if (shown.isEmpty()) return;
    painter.setFont(font);
    painter.setPen(toQColor(colour));
    const double baseline = box.top() + (box.height() - (metrics.ascent() + metrics.descent())) / 2 + metrics.ascent();
    painter.drawText(QPointF(box.left(), baseline), shown);
}

// Digits in even cells; clipped rather than cut, as a cut would leave the cells.
void drawDigits(QPainter& painter, const QRectF& box, const QFont& font, const Rgba& colour, const QString& string) {
    painter.save();
    painter.setClipRect(box, Qt::IntersectClip);
    painter.setPen(toQColor(colour));
    MonoDigits::drawIn(painter, box, Qt::AlignLeft, font, string);
    painter.restore();
}

QRectF centredSquare(double x, double midY, double side) { return {x, midY - side / 2, side, side}; }

void paintCapsule(QPainter& painter, const QRectF& box, const Rgba& fill) {
    const double radius = box.height() / 2;
    painter.setPen(Qt::NoPen);
    painter.setBrush(toQColor(fill));
    painter.drawRoundedRect(box, radius, radius);
}

void paintFilterButton(QPainter& painter, const Rect& frame, const QString& label, bool open) {
    const QRectF box = qrect(frame);
    paintCapsule(painter, box, WeeklyLook::buttonFill);
    const double textWidth = advance(fonts().filter, label);
    drawLine(painter, QRectF(box.left() + 8, box.top(), textWidth, box.height()), fonts().filter,
             WeeklyLook::buttonText, label);
    const QRectF chevron = centredSquare(box.left() + 8 + textWidth + 4, box.center().y(), chevronSize);
    QPainterPath path = symbolPath(Symbol::chevronDown, chevron, symbolStroke(chevronSize, 1));
    if (open) {
        // Half a turn about its own centre while the button's menu shows.
        QTransform turn;
        turn.translate(chevron.center().x(), chevron.center().y());
        turn.rotateRadians(std::numbers::pi);
        turn.translate(-chevron.center().x(), -chevron.center().y());
        path = turn.map(path);
    }
    painter.fillPath(path, toQColor(WeeklyLook::buttonText));
}

void paintMenuPanel(QPainter& painter, const QRectF& box) {
    painter.setPen(Qt::NoPen);
    painter.setBrush(toQColor(WeeklyLook::menuPanel));
    painter.drawRoundedRect(box, 8, 8);
    painter.setPen(QPen(toQColor(WeeklyLook::menuBorder), 1));
    painter.setBrush(Qt::NoBrush);
    painter.drawRoundedRect(box.adjusted(0.5, 0.5, -0.5, -0.5), 7.5, 7.5);
}

// The ticked and empty boxes of the impact menu.
void paintCheckBox(QPainter& painter, const QRectF& box, bool on, const Rgba& colour) {
    const QRectF square = box.adjusted(box.width() * 0.08, box.height() * 0.08, -box.width() * 0.08,
                                       -box.height() * 0.08);
    const double radius = square.width() * 0.22;
    if (on) {
        QPainterPath filled;
        filled.addRoundedRect(square, radius, radius);
        const QRectF inner = square.adjusted(square.width() * 0.18, square.height() * 0.18, -square.width() * 0.18,
                                             -square.height() * 0.18);
        filled = filled.subtracted(symbolPath(Symbol::checkmark, inner, symbolStroke(box.width(), 0.8)));
        painter.fillPath(filled, toQColor(colour));
        return;
    }
    const double stroke = symbolStroke(box.width(), 0);
    painter.setPen(QPen(toQColor(colour), stroke));
    painter.setBrush(Qt::NoBrush);
    const double half = stroke / 2;
    painter.drawRoundedRect(square.adjusted(half, half, -half, -half), radius, radius);
}

}  // namespace

WeeklyTabLayout::HeaderGeometry headerGeometry(double width, const HeaderState& state) {
    const Fonts& f = fonts();
    return WeeklyTabLayout::header(
        width, {advance(f.title, text(WeeklyTexts::title)), advance(f.subtitle, text(WeeklyTexts::subtitle)),
                advance(f.filter, text(WeeklyTexts::impactFilter(state.includeMedium))),
                advance(f.filter, state.currency), chevronSize});
}

void paintHeader(QPainter& painter, const WeeklyTabLayout::HeaderGeometry& geometry, const HeaderState& state) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    drawLine(painter, qrect(geometry.title), fonts().title, WeeklyLook::title, text(WeeklyTexts::title));
    drawLine(painter, qrect(geometry.subtitle), fonts().subtitle, WeeklyLook::subtitle, text(WeeklyTexts::subtitle));
    paintFilterButton(painter, geometry.impactButton, text(WeeklyTexts::impactFilter(state.includeMedium)),
                      state.impactMenuOpen);
    paintFilterButton(painter, geometry.currencyButton, state.currency, state.currencyMenuOpen);
    const QRectF pencil = qrect(geometry.pencilButton);
    paintCapsule(painter, pencil, WeeklyLook::buttonFill);
    paintSymbol(painter, Symbol::pencil, centredSquare(pencil.center().x() - 5.5, pencil.center().y(), 11),
                toQColor(WeeklyLook::pencil), symbolStroke(11, 0.75));
    painter.restore();
}

void paintDayHeading(QPainter& painter, const QPointF& origin, const WeeklyDay& day) {
    painter.save();
    const QString heading = text(WeeklyTexts::dayHeading(day.start));
    const double width = advance(fonts().heading, heading);
    const QRectF box(origin, QSizeF(width, WeeklyTabLayout::dayHeadingHeight));
    drawLine(painter, box, fonts().heading, day.isToday ? WeeklyLook::todayHeading : WeeklyLook::dayHeading,
             heading);
    if (day.items.empty()) {
        const QString nothing = text(WeeklyTexts::emptyDay);
        drawLine(painter, QRectF(box.right() + 6, box.top(), advance(fonts().emptyDay, nothing), box.height()),
                 fonts().emptyDay, WeeklyLook::emptyDay, nothing);
    }
    painter.restore();
}

void paintRow(QPainter& painter, const QRectF& box, const WeeklyItem& item, bool focused) {
    const Fonts& f = fonts();
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.translate(box.topLeft());
    const double height = box.height();
    if (focused) {
        const QRectF frame(0, 0, box.width(), height);
        painter.setPen(Qt::NoPen);
        painter.setBrush(toQColor(WeeklyLook::focusFill));
        painter.drawRoundedRect(frame, 5, 5);
        painter.setPen(QPen(toQColor(WeeklyLook::focusBorder), 1));
        painter.setBrush(Qt::NoBrush);
        painter.drawRoundedRect(frame.adjusted(0.5, 0.5, -0.5, -0.5), 4.5, 4.5);
    }

    const QString main = item.label ? text(*item.label) : text(WeeklyTexts::shortTitle(item.title));
    const std::optional<QString> second =
        item.label ? std::optional<QString>(text(WeeklyTexts::shortTitle(item.title))) : std::nullopt;
    const std::optional<std::string> detailText = WeeklyTexts::detail(item);
    const std::optional<QString> detail =
        detailText ? std::optional<QString>(text(*detailText)) : std::nullopt;

    WeeklyTabLayout::RowWidths widths{advance(f.main, main), std::nullopt, std::nullopt};
    if (second) widths.second = advance(f.second, *second);
    if (detail) widths.detail = MonoDigits::width(f.detail, *detail);
    const WeeklyTabLayout::RowGeometry g = WeeklyTabLayout::row(box.width(), widths);
    const auto span = [&](const WeeklyTabLayout::Span& s) { return QRectF(s.x, 0, s.width, height); };

    drawDigits(painter, span(g.time), f.time, WeeklyLook::time, text(WeeklyTexts::time(item)));
    painter.setPen(Qt::NoPen);
    painter.setBrush(toQColor(WeeklyLook::dot(item)));
    painter.drawEllipse(centredSquare(g.dot.x, height / 2, 6));
    drawLine(painter, span(g.main), f.main, WeeklyLook::mainText(item), main);
    if (second && g.second) drawLine(painter, span(*g.second), f.second, WeeklyLook::secondText, *second);
    if (detail && g.detail) drawDigits(painter, span(*g.detail), f.detail, WeeklyLook::detail, *detail);
    painter.restore();
}

void paintCurrencyMenu(QPainter& painter, const Rect& panel, double scroll, const std::vector<std::string>& codes,
                       const std::string& chosen) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    const QRectF box = qrect(panel);
    paintMenuPanel(painter, box);
    QPainterPath clip;
    clip.addRoundedRect(box, 8, 8);
    painter.setClipPath(clip, Qt::IntersectClip);
    constexpr double rowHeight = WeeklyTabLayout::menuRowHeight;
    for (std::size_t i = 0; i < codes.size(); ++i) {
        const double top = box.top() + static_cast<double>(i) * rowHeight - scroll;
        if (top + rowHeight <= box.top() || top >= box.bottom()) continue;
        const bool isChosen = codes[i] == chosen;
        const double mid = top + rowHeight / 2;
        const double x = box.left() + 10;
        if (isChosen) {
            paintSymbol(painter, Symbol::checkmark, centredSquare(x, mid, 9), toQColor(WeeklyLook::menuText),
                        symbolStroke(9, 1));
        }
        const QFont& font = isChosen ? fonts().menuChosen : fonts().menu;
        drawLine(painter, QRectF(x + 9 + 6, top, box.right() - 10 - (x + 15), rowHeight), font,
                 WeeklyLook::menuText, text(codes[i]));
    }
    painter.restore();
}

void paintImpactMenu(QPainter& painter, const Rect& panel, bool includeMedium) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    const QRectF box = qrect(panel);
    paintMenuPanel(painter, box);
    struct Entry {
        std::string_view title;
        Rgba colour;
        bool isOn;
        bool locked;
    };
    const Entry entries[] = {{WeeklyTexts::high, ImpactColor::high, true, true},
                             {WeeklyTexts::medium, ImpactColor::medium, includeMedium, false}};
    constexpr double rowHeight = WeeklyTabLayout::menuRowHeight;
    constexpr double boxSide = 13;
    for (std::size_t i = 0; i < 2; ++i) {
        const Entry& e = entries[i];
        const double top = box.top() + static_cast<double>(i) * rowHeight;
        const double x = box.left() + 10;
        paintCheckBox(painter, centredSquare(x, top + rowHeight / 2, boxSide), e.isOn,
                      e.isOn ? e.colour : WeeklyLook::uncheckedBox);
        const QFont& font = e.isOn ? fonts().menuChosen : fonts().menu;
        drawLine(painter, QRectF(x + boxSide + 8, top, box.right() - 10 - (x + boxSide + 8), rowHeight), font,
                 e.locked ? WeeklyLook::lockedMenuText : WeeklyLook::menuText, text(e.title));
    }
    painter.restore();
}

}  // namespace WaylarkKit::WeeklyPainting
