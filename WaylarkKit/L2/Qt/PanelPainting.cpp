#include "WaylarkKit/L2/Qt/PanelPainting.h"

#include <QFontMetricsF>
#include <QPainterPath>

#include "WaylarkKit/Style/Palette.h"
#include "WaylarkKit/Style/Qt/Fonts.h"
#include "WaylarkKit/Style/Qt/QtColor.h"
#include "WaylarkKit/Style/Qt/TextDrawing.h"

namespace WaylarkKit::PanelPainting {

namespace {

constexpr double footerLineSpacing = 3;
constexpr double buttonSpacing = 12;
constexpr double statusOpacity = 0.45;

QFont stripFont() {
    QFont font = interFont(StripLook::labelSize, FontWeight::bold);
    font.setLetterSpacing(QFont::AbsoluteSpacing, StripLook::labelTracking);
    return font;
}

double lineHeight(const QFont& font) {
    const QFontMetricsF metrics(font);
    return metrics.ascent() + metrics.descent();
}

void drawLine(QPainter& painter, const QRectF& box, const QFont& font, const QColor& colour, const QString& text) {
    painter.setPen(colour);
    MonoDigits::drawIn(painter, box, Qt::AlignLeft, font, text);
}

}  // namespace

QFont statusFont() { return interFont(10); }
QFont buttonFont() { return interFont(10, FontWeight::semibold); }

void paintStrip(QPainter& painter, const QRectF& rect, const StripLook& look, const QString& label,
                double labelOpacity) {
    if (rect.width() <= 0 || rect.height() <= 0) return;
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    QPainterPath shape;
    shape.addRoundedRect(rect, StripLook::cornerRadius, StripLook::cornerRadius);
    painter.fillPath(shape, toQColor(look.fill));
    // Stroked inside the border: the path inset by half the line.
    const double half = StripLook::borderWidth / 2;
    QPainterPath border;
    border.addRoundedRect(rect.adjusted(half, half, -half, -half), StripLook::cornerRadius - half,
                          StripLook::cornerRadius - half);
    painter.strokePath(border, QPen(toQColor(look.border), StripLook::borderWidth));

    const QFont font = stripFont();
    const QFontMetricsF metrics(font);
    // The tracking follows every letter, the last one too; the text is centred without it.
    const double textWidth = metrics.horizontalAdvance(label) - StripLook::labelTracking;
    painter.translate(rect.center());
    painter.rotate(-90);
    painter.scale(look.labelScale, look.labelScale);
    QColor colour = toQColor(look.label);
    colour.setAlphaF(static_cast<float>(colour.alphaF() * labelOpacity));
    painter.setPen(colour);
    painter.setFont(font);
    painter.drawText(QPointF(-textWidth / 2, (metrics.ascent() - metrics.descent()) / 2), label);
    painter.restore();
}

FooterLayout footerLayout(const QRectF& area, const std::vector<PanelFooter::Button>& buttons) {
    const double statusHeight = lineHeight(statusFont());
    const double buttonHeight = lineHeight(buttonFont());
    const double top = area.bottom() - (statusHeight + footerLineSpacing + buttonHeight);
    FooterLayout layout;
    layout.statusLine = QRectF(area.left(), top, area.width(), statusHeight);
    const double row = layout.statusLine.bottom() + footerLineSpacing;
    double x = area.left();
    for (std::size_t i = 0; i < buttons.size(); ++i) {
        const double w = MonoDigits::width(buttonFont(), QString::fromStdString(buttons[i].title));
        // A flexible space before the last button puts it at the right edge.
        const double left = i + 1 == buttons.size() ? std::max(x, area.right() - w) : x;
        layout.buttons.emplace_back(left, row, w, buttonHeight);
        x = left + w + buttonSpacing;
    }
    return layout;
}

void paintFooter(QPainter& painter, const FooterLayout& layout, const std::string& statusLine,
                 const std::vector<PanelFooter::Button>& buttons) {
    painter.save();
    const QFont status = statusFont();
    drawLine(painter, layout.statusLine, status, toQColor(Palette::white.withOpacity(statusOpacity)),
             elided(QString::fromStdString(statusLine), status, layout.statusLine.width()));
    for (std::size_t i = 0; i < buttons.size() && i < layout.buttons.size(); ++i) {
        drawLine(painter, layout.buttons[i], buttonFont(), toQColor(buttons[i].colour),
                 QString::fromStdString(buttons[i].title));
    }
    painter.restore();
}

}  // namespace WaylarkKit::PanelPainting
