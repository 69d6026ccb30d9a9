#include "WaylarkKit/Calculator/Qt/CalculatorTabLayout.h"

#include <algorithm>

#include <QFontMetricsF>

#include "WaylarkKit/Calculator/CalculatorTabText.h"
#include "WaylarkKit/Calculator/Qt/CalculatorPainting.h"
#include "WaylarkKit/Style/Palette.h"
#include "WaylarkKit/Style/Qt/QtText.h"
#include "WaylarkKit/Style/Qt/Symbols.h"
#include "WaylarkKit/Style/Qt/TextDrawing.h"

namespace WaylarkKit {

namespace {

namespace P = CalculatorPainting;
using CalculatorKit::StopMode;
using Field = CalculatorModel::Field;

constexpr double headerHeight = 22;
constexpr double cardCaptionHeight = 12;
constexpr double cardValueHeight = 20;
constexpr double cardSpacing = 8;
constexpr double cardRowSpacing = 5;
constexpr double stepperWidth = 18;
constexpr double switchWidth = 16;
// The line edit's margins around its text, and room for the caret.
constexpr double fieldInset = 6;
constexpr double resultSpacing = 14;
constexpr double columnSpacing = 3;
constexpr double sizeBlockMinWidth = 84;
constexpr double toastTop = 70;
constexpr double toastHeight = 24;

QFont titleFont() { return P::font(13, FontWeight::semibold); }
QFont chipFont() { return P::font(11, FontWeight::semibold); }
QFont assumptionFont() { return P::font(10, FontWeight::regular); }
QFont directionFont() { return P::font(10, FontWeight::bold); }
QFont captionFont() { return P::font(9, FontWeight::bold, 0.5); }
QFont prefixFont() { return P::font(14, FontWeight::semibold); }
QFont valueFont() { return P::font(14, FontWeight::semibold); }
QFont unitFont() { return P::font(10, FontWeight::regular); }
QFont promptFont() { return P::font(12, FontWeight::regular); }
QFont toastFont() { return P::font(11, FontWeight::semibold); }

double chipWidth(const CalculatorTabState& state) {
    double inner = P::textWidth(chipFont(), qtText(state.instrument.name)) + 4 + 8;
    if (!state.instrument.isVerified) inner += 9 + 4;
    return inner + 16;
}

void layoutHeader(const CalculatorTabState& state, CalculatorTabGeometry& g, double left, double right) {
    const double titleWidth = P::textWidth(titleFont(), QStringLiteral("Lot size"));
    g.title = QRectF(left, 0, titleWidth, headerHeight);
    g.chip = QRectF(g.title.right() + 8, 0, chipWidth(state), headerHeight);
    g.edit = QRectF(right - 24, 0, 24, headerHeight);
    double trailing = g.edit.left() - 8;
    if (state.direction) {
        const double width = P::textWidth(directionFont(), qtText(CalculatorTabText::directionText(*state.direction))) + 16;
        g.direction = QRectF(trailing - width, (headerHeight - 20) / 2, width, 20);
        trailing = g.direction->left() - 8;
    }
    // The flexible space keeps its 4 points and its spacing; the assumption
    // gives way first, from its beginning, as the row narrows.
    const double room = std::max(0.0, trailing - (g.chip.right() + 8 + 4 + 8));
    const QString full = qtText(CalculatorTabText::assumption(state.instrument));
    const double width = std::min(room, P::textWidth(assumptionFont(), full));
    g.assumption = QRectF(trailing - width, 0, width, headerHeight);
    g.assumptionText = QFontMetricsF(assumptionFont()).elidedText(full, Qt::ElideLeft, width + 0.5);
}

CalculatorTabGeometry::Card layoutCard(const CalculatorCard& card, const QRectF& frame) {
    CalculatorTabGeometry::Card out{card, frame, {}, {}, {}, {}, {}, {}};
    const double padding = card.compact ? 2 : 4;
    const double captionTop = frame.top() + padding;
    out.caption = QRectF(frame.left() + 8, captionTop, P::textWidth(captionFont(), qtText(card.caption)), cardCaptionHeight);
    if (card.hasModeSwitch) out.modeSwitch = QRectF(out.caption.right() + 4, captionTop, switchWidth, 12);
    const double valueTop = captionTop + cardCaptionHeight + 1;
    double x = frame.left() + 8;
    if (!card.prefix.empty()) {
        const double width = P::textWidth(prefixFont(), qtText(card.prefix));
        out.prefix = QRectF(x, valueTop, width, cardValueHeight);
        x += width + 2;
    }
    double fieldRight = frame.right() - 8;
    if (card.hasSteppers) {
        out.plus = QRectF(fieldRight - stepperWidth, valueTop, stepperWidth, cardValueHeight);
        out.minus = QRectF(out.plus->left() - stepperWidth, valueTop, stepperWidth, cardValueHeight);
        fieldRight = out.minus->left() - 2;
    }
    out.textField = QRectF(x, valueTop, std::max(0.0, fieldRight - x), cardValueHeight);
    return out;
}

// The width a card needs to show its widest value, or what it holds now
// when that is wider, and its caption with the switch, all whole.
double cardNeed(const CalculatorCard& card) {
    const double value = std::max(P::textWidth(valueFont(), qtText(card.widestValue)),
                                  P::textWidth(valueFont(), qtText(card.text))) + fieldInset;
    double row = 8 + value + 8;
    if (!card.prefix.empty()) row += P::textWidth(prefixFont(), qtText(card.prefix)) + 2;
    if (card.hasSteppers) row += 2 + 2 * stepperWidth;
    double caption = 8 + P::textWidth(captionFont(), qtText(card.caption)) + 8;
    if (card.hasModeSwitch) caption += 4 + switchWidth;
    return std::max(row, caption);
}

// Equal shares while every card fits in one; otherwise each card gets what
// it needs and the rest is shared, or, when even that is too much, the room
// is shared in proportion to the needs.
std::vector<double> cardWidths(const std::vector<double>& needs, double room) {
    const auto count = static_cast<double>(needs.size());
    const double equal = room / count;
    if (std::all_of(needs.begin(), needs.end(), [equal](double need) { return need <= equal; })) {
        return std::vector<double>(needs.size(), equal);
    }
    double total = 0;
    for (const double need : needs) total += need;
    std::vector<double> widths;
    for (const double need : needs) {
        widths.push_back(total <= room ? need + (room - total) / count : room * need / total);
    }
    return widths;
}

double cardHeight(const CalculatorCard& card) {
    return (card.compact ? 4 : 8) + cardCaptionHeight + 1 + cardValueHeight;
}

// Stop in points puts its three cards in one row, unless the row cannot hold
// what they show: then balance and risk share the first row and the stop
// takes the second, in the compact look of the price mode, so that the
// result still fits under them.
bool stacksCards(const CalculatorTabState& state, double width) {
    if (state.stopMode == StopMode::price) return true;
    double needed = cardSpacing * static_cast<double>(state.cards.size() - 1);
    for (const CalculatorCard& card : state.cards) needed += cardNeed(card);
    return needed > width;
}

double layoutCards(const CalculatorTabState& state, CalculatorTabGeometry& g, double left, double width, double top,
                   bool stacked) {
    const std::size_t perRow = stacked ? 2 : 3;
    double y = top;
    for (std::size_t start = 0; start < state.cards.size(); start += perRow) {
        if (start > 0) y += cardRowSpacing;
        const std::size_t count = std::min(perRow, state.cards.size() - start);
        std::vector<double> needs;
        for (std::size_t i = 0; i < count; ++i) needs.push_back(cardNeed(state.cards[start + i]));
        const std::vector<double> widths =
            cardWidths(needs, std::max(0.0, width - cardSpacing * static_cast<double>(count - 1)));
        double rowHeight = 0;
        double x = left;
        for (std::size_t i = 0; i < count; ++i) {
            CalculatorCard card = state.cards[start + i];
            card.compact = card.compact || stacked;
            const QRectF frame(x, y, widths[i], cardHeight(card));
            x = frame.right() + cardSpacing;
            g.cards.push_back(layoutCard(card, frame));
            rowHeight = std::max(rowHeight, frame.height());
        }
        y += rowHeight;
    }
    return y;
}

void addLine(std::vector<CalculatorTabGeometry::Line>& lines, const QString& text, const QFont& font,
             const QColor& colour, double left, double width) {
    const double top = lines.empty() ? 0 : lines.back().rect.bottom() + columnSpacing;
    lines.push_back({QRectF(left, top, width, P::wrappedHeight(font, text, width)), text, font, colour, true});
}

// Under two rows of cards the result takes the compact look: a smaller
// number, centred on its column.
void layoutResult(const CalculatorTabState& state, CalculatorTabGeometry& g, double left, double width, double top,
                  bool compact) {
    if (state.prompt) {
        const double minimum = compact ? 34 : 56;
        const double height = std::max(minimum, P::wrappedHeight(promptFont(), qtText(*state.prompt), width));
        g.prompt = QRectF(left, top, width, height);
        return;
    }
    const double fullSize = compact ? 28 : 34;
    const QString sizeText = qtText(CalculatorTabText::sizeText(state.result));
    const double ideal = MonoDigits::width(P::font(fullSize, FontWeight::bold), sizeText);
    const double offered = std::max(sizeBlockMinWidth, (width - resultSpacing) / 2);
    g.sizeFontSize = fullSize * std::clamp(offered / std::max(ideal, 1.0), 0.6, 1.0);
    // The unit line under the number is as much a part of the block as the number.
    const double unitWidth =
        P::textWidth(unitFont(), qtText(CalculatorTabText::unitText(state.result, state.instrument, state.stopMode)));
    const double blockWidth = std::max(sizeBlockMinWidth, std::min(std::max(ideal, unitWidth), offered));
    const double numberHeight = P::lineHeight(P::font(fullSize, FontWeight::bold));
    const double blockHeight = numberHeight + P::lineHeight(unitFont());

    const double columnLeft = left + blockWidth + resultSpacing;
    const double columnWidth = std::max(0.0, left + width - columnLeft);
    std::vector<CalculatorTabGeometry::Line> lines;
    if (state.result.issue) {
        addLine(lines, qtText(CalculatorTabText::belowMinimumWarning(state.instrument, state.result)),
                P::font(11, FontWeight::semibold), P::colour(Palette::orange), columnLeft, columnWidth);
        if (state.micro) {
            const QString label =
                qtText(CalculatorTabText::microSuggestionLabel(state.micro->instrument, state.micro->result));
            const double labelWidth = P::textWidth(P::font(10, FontWeight::semibold), label) + 16;
            g.microButton = QRectF(columnLeft, lines.back().rect.bottom() + columnSpacing, labelWidth, 20);
        } else {
            addLine(lines, qtText(std::string(CalculatorTabText::belowMinimumAdvice)), P::font(10, FontWeight::regular),
                    P::white(0.5), columnLeft, columnWidth);
        }
    } else {
        addLine(lines, qtText(CalculatorTabText::riskLine(state.result)), P::font(11, FontWeight::semibold),
                P::colour(Palette::green, 0.9), columnLeft, columnWidth);
        if (const auto up = CalculatorTabText::stepUpLine(state.result)) {
            addLine(lines, qtText(*up), P::font(10, FontWeight::regular), P::white(0.45), columnLeft, columnWidth);
        }
    }
    const double columnHeight = g.microButton ? g.microButton->bottom() : lines.back().rect.bottom();
    const double rowHeight = std::max(blockHeight, columnHeight);
    // The compact look centres the size and the column on each other; otherwise their tops align.
    const double blockTop = top + (compact ? (rowHeight - blockHeight) / 2 : 0);
    const double columnTop = top + (compact ? (rowHeight - columnHeight) / 2 : 0);
    g.sizeBlock = QRectF(left, blockTop, blockWidth, blockHeight);
    g.sizeNumber = QRectF(left, blockTop, blockWidth, numberHeight);
    g.unitLine = QRectF(left, blockTop + numberHeight, blockWidth, blockHeight - numberHeight);
    for (auto& line : lines) line.rect.translate(0, columnTop);
    if (g.microButton) g.microButton->translate(0, columnTop);
    g.column = std::move(lines);
}

}  // namespace

CalculatorTabGeometry layoutCalculatorTab(const CalculatorTabState& state, const QSizeF& size) {
    CalculatorTabGeometry g;
    g.size = size;
    const double left = CalculatorTabGeometry::leadingPadding;
    const double right = size.width();
    const double width = std::max(0.0, right - left);
    const bool stacked = stacksCards(state, width);
    const double spacing = stacked ? 6 : 8;
    layoutHeader(state, g, left, right);
    const double cardsBottom = layoutCards(state, g, left, width, headerHeight + spacing, stacked);
    layoutResult(state, g, left, width, cardsBottom + spacing, stacked);
    if (state.toast) {
        const double toastWidth = P::textWidth(toastFont(), qtText(*state.toast)) + 20;
        g.toast = QRectF(right - toastWidth, toastTop, toastWidth, toastHeight);
    }
    return g;
}

namespace {

void paintHeader(QPainter& painter, const CalculatorTabState& state, const CalculatorTabGeometry& g) {
    P::drawLine(painter, g.title, titleFont(), P::white(1), QStringLiteral("Lot size"));

    P::fillCapsule(painter, g.chip, P::white(0.1));
    const QColor chipInk = P::white(0.9);
    QRectF name = g.chip.adjusted(8, 0, 0, 0);
    name.setWidth(P::textWidth(chipFont(), qtText(state.instrument.name)));
    P::drawLine(painter, name, chipFont(), chipInk, qtText(state.instrument.name));
    double x = name.right() + 4;
    if (!state.instrument.isVerified) {
        paintSymbol(painter, Symbol::exclamationCircleFill, QRectF(x, g.chip.center().y() - 4.5, 9, 9),
                    P::colour(Palette::yellow), 0);
        x += 9 + 4;
    }
    const QRectF chevron(x, g.chip.center().y() - 4, 8, 8);
    painter.save();
    if (state.menuOpen) {
        painter.translate(chevron.center());
        painter.rotate(180);
        painter.translate(-chevron.center());
    }
    paintSymbol(painter, Symbol::chevronDown, chevron, chipInk, symbolStroke(8, 1));
    painter.restore();

    const QColor assumptionInk = state.instrument.isVerified ? P::white(0.4) : P::colour(Palette::yellow, 0.85);
    P::drawLine(painter, g.assumption, assumptionFont(), assumptionInk, g.assumptionText);

    if (g.direction && state.direction) {
        // A chip the stop price decides cannot be tapped, and looks it.
        const double dim = state.stopMode == StopMode::price ? 0.5 : 1;
        P::fillCapsule(painter, *g.direction, P::white(0.08 * dim));
        const bool isLong = *state.direction == CalculatorKit::TradeDirection::long_;
        P::drawLine(painter, *g.direction, directionFont(), P::colour(isLong ? Palette::green : Palette::red, dim),
                    qtText(CalculatorTabText::directionText(*state.direction)), Qt::AlignHCenter);
    }

    P::fillCapsule(painter, g.edit, P::white(0.1));
    paintSymbol(painter, Symbol::pencil, QRectF(g.edit.center().x() - 5.5, g.edit.center().y() - 5.5, 11, 11),
                P::white(0.85), symbolStroke(11, 0.7));
}

void paintCard(QPainter& painter, const CalculatorTabGeometry::Card& card) {
    P::fillRounded(painter, card.frame, 8, P::white(0.07));
    P::drawLine(painter, card.caption, captionFont(), P::white(0.45), qtText(card.card.caption));
    if (card.modeSwitch) {
        const QRectF box(card.modeSwitch->center().x() - 4.5, card.modeSwitch->center().y() - 4.5, 9, 9);
        paintSymbol(painter, Symbol::arrowLeftRight, box, P::white(0.55), symbolStroke(8, 1));
    }
    if (card.prefix) P::drawLine(painter, *card.prefix, prefixFont(), P::white(0.5), qtText(card.card.prefix));
    for (const auto& [button, symbol] : {std::pair{card.minus, Symbol::minus}, std::pair{card.plus, Symbol::plus}}) {
        if (!button) continue;
        const QRectF box(button->center().x() - 4, button->center().y() - 4, 8, 8);
        paintSymbol(painter, symbol, box, P::white(0.7), symbolStroke(8, 1));
    }
}

void paintResult(QPainter& painter, const CalculatorTabState& state, const CalculatorTabGeometry& g) {
    if (g.prompt) {
        P::drawWrapped(
            painter,
            QRectF(g.prompt->left(),
                   g.prompt->center().y() - P::wrappedHeight(promptFont(), qtText(*state.prompt), g.prompt->width()) / 2,
                   g.prompt->width(), g.prompt->height()),
            promptFont(), P::white(0.45), qtText(*state.prompt));
        return;
    }
    painter.save();
    painter.setPen(P::white(state.result.isUsable() ? 1 : 0.3));
    MonoDigits::drawIn(painter, g.sizeNumber, Qt::AlignLeft, P::font(g.sizeFontSize, FontWeight::bold),
                       qtText(CalculatorTabText::sizeText(state.result)));
    painter.restore();
    P::drawLine(painter, g.unitLine, unitFont(), P::white(0.5),
                qtText(CalculatorTabText::unitText(state.result, state.instrument, state.stopMode)));
    for (const auto& line : g.column) P::drawWrapped(painter, line.rect, line.font, line.colour, line.text);
    if (g.microButton && state.micro) {
        P::fillCapsule(painter, *g.microButton, P::colour(Palette::orange));
        P::drawLine(painter, *g.microButton, P::font(10, FontWeight::semibold), P::colour(Palette::black),
                    qtText(CalculatorTabText::microSuggestionLabel(state.micro->instrument, state.micro->result)),
                    Qt::AlignHCenter);
    }
}

}  // namespace

void paintCalculatorTab(QPainter& painter, const CalculatorTabState& state, const CalculatorTabGeometry& geometry) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setRenderHint(QPainter::TextAntialiasing, true);
    paintHeader(painter, state, geometry);
    for (const auto& card : geometry.cards) paintCard(painter, card);
    paintResult(painter, state, geometry);
    painter.restore();
}

void paintCalculatorToast(QPainter& painter, const QString& text, const QRectF& rect) {
    P::fillCapsule(painter, rect, P::white(0.18));
    P::drawLine(painter, rect, toastFont(), P::white(1), text, Qt::AlignHCenter);
}

std::optional<CalculatorTabTarget> hitCalculatorTab(const CalculatorTabGeometry& g, const QPointF& point) {
    using T = CalculatorTabTarget;
    if (g.chip.contains(point)) return T::instrumentChip;
    if (g.assumption.contains(point)) return T::assumption;
    if (g.direction && g.direction->contains(point)) return T::direction;
    if (g.edit.contains(point)) return T::edit;
    for (const auto& card : g.cards) {
        const bool risk = card.card.field == Field::risk;
        if (card.modeSwitch && card.modeSwitch->contains(point)) return risk ? T::riskSwitch : T::stopSwitch;
        if (card.minus && card.minus->contains(point)) return risk ? T::riskMinus : T::stopMinus;
        if (card.plus && card.plus->contains(point)) return risk ? T::riskPlus : T::stopPlus;
    }
    if (g.microButton && g.microButton->contains(point)) return T::microButton;
    if (!g.prompt && g.sizeBlock.contains(point)) return T::sizeBlock;
    return std::nullopt;
}

QString calculatorTabTooltip(const CalculatorTabState& state, CalculatorTabTarget target) {
    switch (target) {
        case CalculatorTabTarget::assumption: return qtText(state.instrument.note);
        case CalculatorTabTarget::direction: return qtText(CalculatorTabText::directionTooltip(state.stopMode));
        case CalculatorTabTarget::edit: return QStringLiteral("Edit this instrument");
        case CalculatorTabTarget::riskSwitch:
        case CalculatorTabTarget::stopSwitch: return QStringLiteral("Switch");
        case CalculatorTabTarget::sizeBlock:
            return state.result.isUsable() ? qtText(std::string(CalculatorTabText::copyTooltip)) : QString();
        default: return {};
    }
}

}  // namespace WaylarkKit
