#pragma once

#include <QPainter>
#include <QRectF>
#include <QRegion>

#include "WaylarkKit/Style/Qt/Fonts.h"

#include "WaylarkKit/Views/LeftStatus.h"
#include "WaylarkKit/Views/Qt/TextWidths.h"

namespace WaylarkKit {

// The status row's fonts with the widths measured in them: the word's, and
// the countdown's with its digits in equal cells.
struct LeftStatusFonts {
    TextWidths word{interFont(LeftStatus::fontSize, FontWeight::semibold), false};
    TextWidths countdown{interFont(LeftStatus::fontSize, FontWeight::semibold), true};
};

// Where the parts of the status row lie: the mascot's square (when it has
// one), the word and the countdown, in a row whose top-left is `origin`.
struct LeftStatusRow {
    QRectF row;
    QRectF mascot;
    QRectF word;
    QRectF countdown;

    static LeftStatusRow layOut(const LeftStatus& status, double mascotSide, QPointF origin, LeftStatusFonts& fonts);
    // The row's size before it is placed.
    static QSizeF size(const LeftStatus& status, double mascotSide, LeftStatusFonts& fonts);
};

// The word and the countdown, grown `scale` times about the row's centre,
// each only where `exposed` asks for it; the mascot is a widget of its own.
void paintLeftStatusText(QPainter& painter, const LeftStatus& status, const LeftStatusRow& row, double scale,
                         LeftStatusFonts& fonts, const QRegion& exposed);

}  // namespace WaylarkKit
