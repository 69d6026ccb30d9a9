#include <QImage>
#include <QPainter>
#include <gtest/gtest.h>

#include "WaylarkKit/Views/Qt/TimelinePainter.h"
#include "WaylarkKit/tests/support/WidgetTesting.h"

namespace WaylarkKit {
namespace {

// A macro piece 100 × 10 at twice the pixels: stripes rise at 45° with one
// through the top-left corner and the next 7 points on; between them only the
// faint fill; the outline orange, or white when selected.
QImage hatched(bool selected) {
    WaylarkKitTest::app();
    QImage image(200, 20, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(2);
    image.fill(Qt::black);
    QPainter painter(&image);
    paintHatchedOverlay(painter, QRectF(0, 0, 100, 10), selected);
    return image;
}

TEST(TimelinePainterTest, HatchedOverlay) {
    const QImage plain = hatched(false);
    const auto at = [&](double x, double y) { return plain.pixelColor(static_cast<int>(x * 2), static_cast<int>(y * 2)); };
    const QPointF onStripe[] = {{3.5, 3.5}, {2, 5}, {5, 2}, {10.5, 3.5}, {52.5, 3.5}, {94.5, 3.5}};  // x + y = 7k
    for (QPointF p : onStripe) EXPECT_GT(at(p.x(), p.y()).red(), 200) << p.x() << "," << p.y();
    const QPointF between[] = {{7, 3.5}, {14, 3.5}, {56, 3.5}, {2, 2}};
    for (QPointF p : between) EXPECT_LT(at(p.x(), p.y()).red(), 80) << p.x() << "," << p.y();
    EXPECT_GT(at(50, 0).red(), 200);
    EXPECT_LT(at(50, 0).blue(), 80);

    const QImage selected = hatched(true);
    const QColor edge = selected.pixelColor(100, 0);
    EXPECT_GT(edge.blue(), 200);
    EXPECT_GT(edge.green(), 200);
}

}  // namespace
}  // namespace WaylarkKit
