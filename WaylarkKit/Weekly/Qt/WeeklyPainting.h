#pragma once

#include <optional>
#include <string>
#include <vector>

#include <QPainter>
#include <QPainterPath>
#include <QRectF>
#include <QString>

#include "WaylarkKit/Style/Rgba.h"
#include "WaylarkKit/Weekly/WeeklyItem.h"
#include "WaylarkKit/Weekly/WeeklyTabLayout.h"

// The weekly tab's parts drawn with a painter: the one routine serves the
// widget, test images and the showreel alike. Each part is first prepared
// (its words measured, cut to their room and placed by WeeklyTabLayout) and
// then painted; a prepared part stays good until what it was made from
// changes, so a redraw of unchanged rows measures nothing.
namespace WaylarkKit::WeeklyPainting {

struct HeaderState {
    bool includeMedium = false;
    QString currency;
    bool impactMenuOpen = false;
    bool currencyMenuOpen = false;
    bool operator==(const HeaderState&) const = default;
};

struct PreparedHeader {
    double width = 0;
    HeaderState state;
    WeeklyTabLayout::HeaderGeometry geometry;
    QString subtitle;  // cut to its room
    QPainterPath impactChevron;
    QPainterPath currencyChevron;
    QPainterPath pencil;
};
PreparedHeader prepareHeader(double width, const HeaderState& state);
void paintHeader(QPainter& painter, const PreparedHeader& header);

struct PreparedHeading {
    QString text;  // "MON 3 NOV"
    double width = 0;
    bool isToday = false;
    bool isEmpty = false;
};
PreparedHeading prepareHeading(const WeeklyDay& day);
// The heading line with its top left at `origin`.
void paintHeading(QPainter& painter, const QPointF& origin, const PreparedHeading& heading);

struct PreparedRow {
    WeeklyTabLayout::RowGeometry geometry;
    QString time;
    QString main;
    std::optional<QString> second;
    std::optional<QString> detail;
    Rgba dot;
    Rgba mainColour;
};
PreparedRow prepareRow(const WeeklyItem& item, double width);
// The row 22 high and `width` wide from `origin`, lit when focused.
void paintRow(QPainter& painter, const QPointF& origin, double width, const PreparedRow& row, bool focused);

// The currency panel, its list moved up by `scroll`, the chosen code ticked.
void paintCurrencyMenu(QPainter& painter, const WeeklyTabLayout::Rect& panel, double scroll,
                       const std::vector<std::string>& codes, const std::string& chosen);
// The impact panel: "High" always ticked and dim, "Medium" ticked with medium news listed.
void paintImpactMenu(QPainter& painter, const WeeklyTabLayout::Rect& panel, bool includeMedium);

}  // namespace WaylarkKit::WeeklyPainting
