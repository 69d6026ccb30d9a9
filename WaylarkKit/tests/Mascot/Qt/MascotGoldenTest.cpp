#include <QPainter>
#include <gtest/gtest.h>

#include "Base/ManualScheduler.h"
#include "WaylarkKit/Mascot/Qt/MascotView.h"
#include "WaylarkKit/tests/support/WidgetTesting.h"

using namespace WaylarkKit;
using TradingCore::IntervalColor;

namespace {

// One pose at several moments of its cycle, side by side.
QImage poseSheet(const MascotKind& kind, const std::vector<double>& times, double ratio) {
    WaylarkKitTest::app();
    Base::ManualScheduler scheduler;
    MascotView view(35, scheduler, fixedReduceMotion(false));
    view.show(kind);
    const QSize cell = view.size();
    QImage sheet(QSize(cell.width() * static_cast<int>(times.size()), cell.height()) * ratio,
                 QImage::Format_ARGB32_Premultiplied);
    sheet.setDevicePixelRatio(ratio);
    QPainter painter(&sheet);
    double elapsed = 0;
    for (std::size_t i = 0; i < times.size(); ++i) {
        scheduler.advance(times[i] - elapsed);
        elapsed = times[i];
        painter.drawImage(QPoint(static_cast<int>(i) * cell.width(), 0), WaylarkKitTest::render(view, ratio));
    }
    return sheet;
}

struct PoseCase {
    const char* name;
    MascotKind kind;
    std::vector<double> times;
};

const PoseCase poseCases[] = {
    {"session-verified", MascotKind::session(true), {0.6, 2.4, 4.0}},
    {"session-unverified", MascotKind::session(false), {0.6, 2.4, 4.0}},
    {"session-tinted", MascotKind::session(true, IntervalColor::pink), {0.6, 2.4, 4.0}},
    {"session-unverified-tinted", MascotKind::session(false, IntervalColor::teal), {1.2, 3.0}},
    {"out", MascotKind::out(), {0.5, 3.2, 5.2}},
    {"restricted-high", MascotKind::restricted(false), {0.3, 1.2, 1.9}},
    {"restricted-medium", MascotKind::restricted(true), {0.3, 1.2, 1.9}},
    {"checklist-done", MascotKind::checklistDone(), {0.3, 1.0, 1.6, 6.5}},
};

}  // namespace

TEST(MascotGoldenTest, EveryPoseAtSeveralMomentsAndBothRatios) {
    for (const PoseCase& pose : poseCases) {
        for (const int ratio : {1, 2}) {
            const std::string name = std::string("mascot-") + pose.name + "-" + std::to_string(ratio) + "x";
            EXPECT_TRUE(WaylarkKitTest::matchesGolden(poseSheet(pose.kind, pose.times, ratio), name)) << name;
        }
    }
}
