#include <gtest/gtest.h>

#include <QRegion>
#include <QTransform>

#include "WaylarkKit/Motion/Qt/FigurePainter.h"

using namespace WaylarkKit;

// The changed parts of a figure overlap (a body breathing under its eyes and
// arms): they come back as one rectangle that covers each of them with its
// anti-aliased rim, while a part far off (a sleep letter) stays apart and the
// gap between is never repainted.
TEST(RepaintRegionTest, MeetingAreasBecomeOneRectangleFarOnesStayApart) {
    const QTransform twice = QTransform::fromScale(2, 2);
    const std::vector<IslandKit::Rect> body{{10, 10, 10, 12}, {16, 8, 8, 6}, {6, 18, 5, 5}, {14, 22, 4, 4}};
    const QRegion one = repaintRegion(body, twice);
    EXPECT_EQ(one.rectCount(), 1);
    for (const IslandKit::Rect& area : body) {
        const QRect widget = twice.mapRect(QRectF(area.x, area.y, area.width, area.height)).toAlignedRect();
        EXPECT_TRUE(one.contains(widget.adjusted(-1, -1, 1, 1)));
    }

    std::vector<IslandKit::Rect> apart = body;
    apart.push_back({40, 0, 3, 3});
    const QRegion two = repaintRegion(apart, twice);
    EXPECT_EQ(two.rectCount(), 2);
    EXPECT_TRUE(two.contains(QRect(79, -1, 8, 8)));
    EXPECT_FALSE(two.contains(QPoint(60, 10)));
    EXPECT_TRUE(repaintRegion({}, twice).isEmpty());
}
