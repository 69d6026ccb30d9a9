#pragma once

#include <QPainter>
#include <QRectF>
#include <QString>

namespace WaylarkKit {

// The timeline tab's header row, 22 points tall: the title on the left; on
// the right the zoom control (minus, the span, plus), the profile button with
// its chevron and the editor's pencil, 8 points apart.
struct TimelineHeader {
    static constexpr double height = 22;

    struct Input {
        double width = 0;
        QString profileName;
        QString span;  // "±30m"
        bool canZoomIn = false;
        bool canZoomOut = false;
        bool isMenuOpen = false;
    };

    QRectF title;
    QString titleText;     // cut to its room
    QString profileLabel;  // cut to its room
    QRectF zoomControl;
    QRectF zoomInButton;   // "minus": less time
    QRectF spanText;
    QRectF zoomOutButton;  // "plus": more time
    QRectF profileButton;
    QRectF profileText;
    QRectF chevron;
    QRectF pencil;
    Input input;

    static TimelineHeader layout(const Input& input);
    // The help of the control under `point`, empty where there is none.
    QString helpText(const QPointF& point) const;
    void paint(QPainter& painter) const;
};

}  // namespace WaylarkKit
