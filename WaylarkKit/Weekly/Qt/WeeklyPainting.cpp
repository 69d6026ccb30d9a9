#include "WaylarkKit/Weekly/Qt/WeeklyPainting.h"

#include <optional>

#include <QFontMetricsF>
#include <QTextBoundaryFinder>

#include "WaylarkKit/Style/Qt/Fonts.h"
#include "WaylarkKit/Style/Qt/QtColor.h"
#include "WaylarkKit/Style/Qt/QtText.h"
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

QRectF qrect(const Rect& r) { return {r.x, r.y, r.width, r.height}; }

double advance(const QFont& font, const QString& string) { return QFontMetricsF(font).horizontalAdvance(string); }

// One line of text already cut to its room.
void drawLine(QPainter& painter, const QRectF& box, const QFont& font, const Rgba& colour, const QString& string) {
    if (string.isEmpty()) return;
    painter.setFont(font);
    painter.setPen(toQColor(colour));
    painter.drawText(QPointF(box.left(), centredBaseline(font, box)), string);
}

QString cutTo(const QString& string, const QFont& font, double width) { return elided(string, font, width + 0.5); }

// `string` cut at its end to `width` as digits in even cells measure it, only
// between grapheme clusters.
QString cutDigitsTo(const QString& string, const QFont& font, double width) {
    width += 0.5;
    if (MonoDigits::width(font, string) <= width) return string;
    const QString ellipsis(QChar(0x2026));
    QTextBoundaryFinder clusters(QTextBoundaryFinder::Grapheme, string);
    qsizetype kept = 0;
    for (qsizetype next = clusters.toNextBoundary(); next > 0; next = clusters.toNextBoundary()) {
        if (MonoDigits::width(font, string.left(next).trimmed() + ellipsis) > width) break;
        kept = next;
    }
    return kept == 0 ? QString() : string.left(kept).trimmed() + ellipsis;
}

// Times and values: digits in even cells.
void drawDigits(QPainter& painter, const QRectF& box, const QFont& font, const Rgba& colour, const QString& string) {
    if (string.isEmpty()) return;
    painter.setPen(toQColor(colour));
    MonoDigits::drawIn(painter, box, Qt::AlignLeft, font, string);
}

QRectF centredSquare(double x, double midY, double side) { return {x, midY - side / 2, side, side}; }

void paintCapsule(QPainter& painter, const QRectF& box, const Rgba& fill) {
    const double radius = box.height() / 2;
    painter.setPen(Qt::NoPen);
    painter.setBrush(toQColor(fill));
    painter.drawRoundedRect(box, radius, radius);
}

// The chevron after a filter button's text, pointing up while the button's menu shows.
QPainterPath chevron(const Rect& frame, double textWidth, bool open) {
    return symbolPath(open ? Symbol::chevronUp : Symbol::chevronDown,
                      centredSquare(frame.x + 8 + textWidth + 4, frame.midY(), chevronSize), symbolStroke(chevronSize, 1));
}

void paintFilterButton(QPainter& painter, const Rect& frame, const QString& label, const QPainterPath& chevronPath) {
    const QRectF box = qrect(frame);
    paintCapsule(painter, box, WeeklyLook::buttonFill);
    drawLine(painter, box.adjusted(8, 0, 0, 0), fonts().filter, WeeklyLook::buttonText, label);
    painter.fillPath(chevronPath, toQColor(WeeklyLook::buttonText));
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
    const double inset = box.width() * 0.08;
    painter.fillPath(symbolPath(on ? Symbol::checkmarkSquareFill : Symbol::square,
                                box.adjusted(inset, inset, -inset, -inset), symbolStroke(box.width(), on ? 0.8 : 0)),
                     toQColor(colour));
}

}  // namespace

PreparedHeader prepareHeader(double width, const HeaderState& state) {
    const Fonts& f = fonts();
    const QString impact = qtText(WeeklyTexts::impactFilter(state.includeMedium));
    const QString subtitle = qtText(WeeklyTexts::subtitle);
    const double impactWidth = advance(f.filter, impact);
    const double currencyWidth = advance(f.filter, state.currency);
    PreparedHeader header{width, state, {}, {}, {}, {}, {}};
    header.geometry = WeeklyTabLayout::header(width, {advance(f.title, qtText(WeeklyTexts::title)),
                                                      advance(f.subtitle, subtitle), impactWidth, currencyWidth,
                                                      chevronSize});
    header.subtitle = cutTo(subtitle, f.subtitle, header.geometry.subtitle.width);
    header.impactChevron = chevron(header.geometry.impactButton, impactWidth, state.impactMenuOpen);
    header.currencyChevron = chevron(header.geometry.currencyButton, currencyWidth, state.currencyMenuOpen);
    const QRectF pencil = qrect(header.geometry.pencilButton);
    header.pencil = symbolPath(Symbol::pencil, centredSquare(pencil.center().x() - 5.5, pencil.center().y(), 11),
                               symbolStroke(11, 0.75));
    return header;
}

void paintHeader(QPainter& painter, const PreparedHeader& header) {
    const WeeklyTabLayout::HeaderGeometry& g = header.geometry;
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    drawLine(painter, qrect(g.title), fonts().title, WeeklyLook::title, qtText(WeeklyTexts::title));
    drawLine(painter, qrect(g.subtitle), fonts().subtitle, WeeklyLook::subtitle, header.subtitle);
    paintFilterButton(painter, g.impactButton, qtText(WeeklyTexts::impactFilter(header.state.includeMedium)),
                      header.impactChevron);
    paintFilterButton(painter, g.currencyButton, header.state.currency, header.currencyChevron);
    paintCapsule(painter, qrect(g.pencilButton), WeeklyLook::buttonFill);
    painter.fillPath(header.pencil, toQColor(WeeklyLook::pencil));
    painter.restore();
}

PreparedHeading prepareHeading(const WeeklyDay& day) {
    const QString heading = qtText(WeeklyTexts::dayHeading(day.start));
    return {heading, advance(fonts().heading, heading), day.isToday, day.items.empty()};
}

void paintHeading(QPainter& painter, const QPointF& origin, const PreparedHeading& heading) {
    painter.save();
    const QRectF box(origin, QSizeF(heading.width, WeeklyTabLayout::dayHeadingHeight));
    drawLine(painter, box, fonts().heading, heading.isToday ? WeeklyLook::todayHeading : WeeklyLook::dayHeading,
             heading.text);
    if (heading.isEmpty) {
        drawLine(painter, QRectF(box.right() + 6, box.top(), 0, box.height()), fonts().emptyDay,
                 WeeklyLook::emptyDay, qtText(WeeklyTexts::emptyDay));
    }
    painter.restore();
}

PreparedRow prepareRow(const WeeklyItem& item, double width) {
    const Fonts& f = fonts();
    const QString main = item.label ? qtText(*item.label) : qtText(WeeklyTexts::shortTitle(item.title));
    std::optional<QString> second;
    if (item.label) second = qtText(WeeklyTexts::shortTitle(item.title));
    std::optional<QString> detail;
    if (const auto value = WeeklyTexts::detail(item)) detail = qtText(*value);

    WeeklyTabLayout::RowWidths widths{advance(f.main, main), std::nullopt, std::nullopt};
    if (second) widths.second = advance(f.second, *second);
    if (detail) widths.detail = MonoDigits::width(f.detail, *detail);
    PreparedRow row{WeeklyTabLayout::row(width, widths), {}, {}, std::nullopt, std::nullopt,
                    WeeklyLook::dot(item), WeeklyLook::mainText(item)};
    const WeeklyTabLayout::RowGeometry& g = row.geometry;
    row.time = cutDigitsTo(qtText(WeeklyTexts::time(item)), f.time, g.time.width);
    row.main = cutTo(main, f.main, g.main.width);
    if (second && g.second) row.second = cutTo(*second, f.second, g.second->width);
    if (detail && g.detail) row.detail = cutDigitsTo(*detail, f.detail, g.detail->width);
    return row;
}

void paintRow(QPainter& painter, const QPointF& origin, double width, const PreparedRow& row, bool focused) {
    const Fonts& f = fonts();
    constexpr double height = WeeklyTabLayout::rowHeight;
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.translate(origin);
    if (focused) {
        const QRectF frame(0, 0, width, height);
        painter.setPen(Qt::NoPen);
        painter.setBrush(toQColor(WeeklyLook::focusFill));
        painter.drawRoundedRect(frame, 5, 5);
        painter.setPen(QPen(toQColor(WeeklyLook::focusBorder), 1));
        painter.setBrush(Qt::NoBrush);
        painter.drawRoundedRect(frame.adjusted(0.5, 0.5, -0.5, -0.5), 4.5, 4.5);
    }
    const WeeklyTabLayout::RowGeometry& g = row.geometry;
    const auto span = [&](const WeeklyTabLayout::Span& s) { return QRectF(s.x, 0, s.width, height); };
    drawDigits(painter, span(g.time), f.time, WeeklyLook::time, row.time);
    painter.setPen(Qt::NoPen);
    painter.setBrush(toQColor(row.dot));
    painter.drawEllipse(centredSquare(g.dot.x, height / 2, 6));
    drawLine(painter, span(g.main), f.main, row.mainColour, row.main);
    if (row.second && g.second) drawLine(painter, span(*g.second), f.second, WeeklyLook::secondText, *row.second);
    if (row.detail && g.detail) drawDigits(painter, span(*g.detail), f.detail, WeeklyLook::detail, *row.detail);
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
        const QRectF label(x + 9 + 6, top, box.right() - 10 - (x + 15), rowHeight);
        drawLine(painter, label, font, WeeklyLook::menuText, cutTo(qtText(codes[i]), font, label.width()));
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
        drawLine(painter, QRectF(x + boxSide + 8, top, 0, rowHeight), font,
                 e.locked ? WeeklyLook::lockedMenuText : WeeklyLook::menuText, qtText(e.title));
    }
    painter.restore();
}

}  // namespace WaylarkKit::WeeklyPainting
