#include "WaylarkKit/Views/Qt/TimelineHeader.h"

#include <algorithm>

#include <QFontMetricsF>
#include <QPainterPath>

#include "WaylarkKit/Style/Palette.h"
#include "WaylarkKit/Style/Qt/Fonts.h"
#include "WaylarkKit/Style/Qt/QtColor.h"
#include "WaylarkKit/Style/Qt/Symbols.h"
#include "WaylarkKit/Style/Qt/TextDrawing.h"
#include "WaylarkKit/Views/Qt/TimelineSymbols.h"

namespace WaylarkKit {

namespace {

constexpr double spacing = 8;
constexpr double buttonWidth = 24;
constexpr double chevronSide = 8;

QFont titleFont() { return interFont(13, FontWeight::semibold); }
QFont spanFont() { return interFont(10, FontWeight::semibold); }
QFont profileFont() { return interFont(11, FontWeight::semibold); }

void fillCapsule(QPainter& painter, const QRectF& rect, const QColor& colour) {
    QPainterPath path;
    path.addRoundedRect(rect, rect.height() / 2, rect.height() / 2);
    painter.fillPath(path, colour);
}

QColor white(double opacity) { return toQColor(Palette::white.withOpacity(opacity)); }

}  // namespace

TimelineHeader TimelineHeader::layout(const Input& input) {
    TimelineHeader header;
    header.input = input;
    const double w = input.width;

    header.pencil = QRectF(w - buttonWidth, 0, buttonWidth, height);

    const double spanWidth = std::max(34.0, MonoDigits::width(spanFont(), input.span));
    const double zoomWidth = 2 + buttonWidth + spanWidth + buttonWidth + 2;
    const QString title = QStringLiteral("Timing & News");
    const double titleWidth = QFontMetricsF(titleFont()).horizontalAdvance(title);
    // A long profile name gives way before the title and the zoom do.
    const double nameRoom =
        std::max(0.0, w - buttonWidth - spacing - (8 + 4 + chevronSide + 8) - spacing - zoomWidth - spacing - titleWidth);
    const double nameWidth = std::min(QFontMetricsF(profileFont()).horizontalAdvance(input.profileName), nameRoom);
    const double profileWidth = 8 + nameWidth + 4 + chevronSide + 8;
    header.profileButton = QRectF(header.pencil.left() - spacing - profileWidth, 0, profileWidth, height);
    header.profileText = QRectF(header.profileButton.left() + 8, 0, nameWidth, height);
    header.chevron = QRectF(header.profileText.right() + 4, (height - chevronSide) / 2, chevronSide, chevronSide);

    header.zoomControl = QRectF(header.profileButton.left() - spacing - zoomWidth, 0, zoomWidth, height);
    header.zoomInButton = QRectF(header.zoomControl.left() + 2, 0, buttonWidth, height);
    header.spanText = QRectF(header.zoomInButton.right(), 0, spanWidth, height);
    header.zoomOutButton = QRectF(header.spanText.right(), 0, buttonWidth, height);

    header.title = QRectF(0, 0, std::max(0.0, header.zoomControl.left() - spacing), height);
    header.titleText = elided(title, titleFont(), header.title.width());
    header.profileLabel = elided(input.profileName, profileFont(), nameWidth + 0.5);
    return header;
}

QString TimelineHeader::helpText(const QPointF& point) const {
    if (zoomInButton.contains(point)) return QStringLiteral("Show less time");
    if (zoomOutButton.contains(point)) return QStringLiteral("Show more time");
    if (pencil.contains(point)) return QStringLiteral("Edit profiles and windows");
    return {};
}

void TimelineHeader::paint(QPainter& painter) const {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);

    painter.setFont(titleFont());
    painter.setPen(Qt::white);
    painter.drawText(title, Qt::AlignLeft | Qt::AlignVCenter, titleText);

    fillCapsule(painter, zoomControl, white(0.1));
    const double zoomStroke = symbolStroke(9, 1);
    paintTimelineSymbol(painter, Symbol::minus, zoomInButton.center(), 9, white(input.canZoomIn ? 0.9 : 0.25), zoomStroke);
    paintTimelineSymbol(painter, Symbol::plus, zoomOutButton.center(), 9, white(input.canZoomOut ? 0.9 : 0.25),
                        zoomStroke);
    painter.setPen(white(0.75));
    MonoDigits::drawIn(painter, spanText, Qt::AlignHCenter, spanFont(), input.span);

    fillCapsule(painter, profileButton, white(0.1));
    painter.setFont(profileFont());
    painter.setPen(white(0.9));
    painter.drawText(profileText, Qt::AlignLeft | Qt::AlignVCenter, profileLabel);
    paintTimelineSymbol(painter, input.isMenuOpen ? Symbol::chevronUp : Symbol::chevronDown, chevron.center(),
                        chevronSide, white(0.9), symbolStroke(8, 1));

    fillCapsule(painter, pencil, white(0.1));
    paintTimelineSymbol(painter, Symbol::pencil, pencil.center(), 11, white(0.85), symbolStroke(11, 0.8));
    painter.restore();
}

}  // namespace WaylarkKit
