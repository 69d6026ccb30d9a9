#pragma once

#include <string>
#include <vector>

#include <QPainter>
#include <QRectF>
#include <QString>

#include "WaylarkKit/Weekly/WeeklyItem.h"
#include "WaylarkKit/Weekly/WeeklyTabLayout.h"

// The weekly tab's parts drawn with a painter: the one routine serves the
// widget, test images and the showreel alike. Positions come from
// WeeklyTabLayout; the words from WeeklyTexts.
namespace WaylarkKit::WeeklyPainting {

struct HeaderState {
    bool includeMedium = false;
    QString currency;
    bool impactMenuOpen = false;
    bool currencyMenuOpen = false;
};

WeeklyTabLayout::HeaderGeometry headerGeometry(double width, const HeaderState& state);
void paintHeader(QPainter& painter, const WeeklyTabLayout::HeaderGeometry& geometry, const HeaderState& state);

// A day's heading line with its top left at `origin`.
void paintDayHeading(QPainter& painter, const QPointF& origin, const WeeklyDay& day);

// One row filling `box` (22 high).
void paintRow(QPainter& painter, const QRectF& box, const WeeklyItem& item, bool focused);

// The currency panel, its list moved up by `scroll`, the chosen code ticked.
void paintCurrencyMenu(QPainter& painter, const WeeklyTabLayout::Rect& panel, double scroll,
                       const std::vector<std::string>& codes, const std::string& chosen);
// The impact panel: "High" always ticked and dim, "Medium" ticked with medium news listed.
void paintImpactMenu(QPainter& painter, const WeeklyTabLayout::Rect& panel, bool includeMedium);

}  // namespace WaylarkKit::WeeklyPainting
