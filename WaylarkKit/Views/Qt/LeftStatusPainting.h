#pragma once

#include <QPainter>
#include <QRectF>

#include "WaylarkKit/Views/LeftStatus.h"

namespace WaylarkKit {

// Where the parts of the status row lie: the mascot's square (when it has
// one), the word and the countdown, in a row whose top-left is `origin`.
struct LeftStatusRow {
    QRectF row;
    QRectF mascot;
    QRectF word;
    QRectF countdown;

    static LeftStatusRow layOut(const LeftStatus& status, double mascotSide, QPointF origin);
    // The row's size before it is placed.
    static QSizeF size(const LeftStatus& status, double mascotSide);
};

// The word and the countdown, grown `scale` times about the row's centre;
// the mascot is a widget of its own.
void paintLeftStatusText(QPainter& painter, const LeftStatus& status, const LeftStatusRow& row, double scale);

}  // namespace WaylarkKit
