// Shows the timeline tab alone in a real window on an X server, playing the
// demonstration scenario on a manual clock, takes its screenshot and checks
// that a click outside the open profile menu only closes it.
// Usage: TimelineTabScreenChecks <screenshot folder>

#include <memory>

#include <QWindow>

#include "Base/ManualScheduler.h"
#include "TradingCore/Model/MarketTimeZone.h"
#include "WaylarkKit/Views/Qt/TimelineTabView.h"
#include "WaylarkKit/tests/Views/Qt/IslandModels.h"
#include "WaylarkKit/tests/xvfb/support/XvfbDriving.h"

using namespace WaylarkKit;
using namespace WaylarkKit::Xvfb;

int main(int argc, char** argv) {
    // Twice the pixels, so the screenshot shows the tab as a HiDPI screen would.
    qputenv("QT_SCALE_FACTOR", "2");
    Driver driver(argc, argv);

    // Tuesday 10 March 2026, 10:20 New York; the scenario plays five times faster.
    const Base::Calendar calendar(TradingCore::MarketTimeZone::newYork());
    Base::ManualScheduler scheduler(*calendar.date(2026, 3, 10, 10, 20, 0));
    Testing::IslandModels models(scheduler);
    TimingViewModel& timing = models.timing;
    timing.setExpanded(true);
    timing.start();
    // 52 s on the clock are 4 min 20 s of the scenario: inside its first window, in the
    // blackout of its first release, with the custom times and the second release ahead.
    scheduler.advance(52);
    int editorOpened = 0;
    timing.setOnOpenTimingEditor([&] { ++editorOpened; });

    constexpr int margin = 16;
    Painted window([](QPainter& painter, const QRect& area) { painter.fillRect(area, Qt::black); });
    window.setFixedSize(440 + 2 * margin, TimelineTabView::tabHeight + 2 * margin);
    auto* view = new TimelineTabView(timing, &window);
    view->setGeometry(margin, margin, 440, TimelineTabView::tabHeight);
    window.move(40, 40);
    window.show();
    check(waitFor([&] { return window.isVisible() && window.windowHandle()->isExposed(); }), "window shown");

    const QImage image = grab(window);
    check(image.save(driver.folder + "/tab-timeline.png"), "screenshot saved");
    const double ratio = image.width() / static_cast<double>(window.width());
    const QPointF nowLine = view->mapTo(&window, QPointF(view->width() / 2.0, TimelineTabView::canvasTop + 60));
    check(image.pixelColor((nowLine * ratio).toPoint()) == QColor(Qt::white), "the now line is white");
    const QPointF header = view->mapTo(&window, view->header().pencil.center());
    check(image.pixelColor((header * ratio).toPoint()).lightness() > 0, "the header is drawn");

    timing.setProfileMenuOpen(true);
    check(waitFor([&] { return view->openProfileMenu() != nullptr; }, 2000), "profile menu open");
    wait(200);
    grab(window).save(driver.folder + "/tab-timeline-menu.png");
    // A real pointer click, through the X server, in the screen's pixels.
    const QPoint pencil = view->mapToGlobal(view->header().pencil.center().toPoint()) * view->devicePixelRatio();
    click(pencil);
    check(!timing.isProfileMenuOpen() && view->openProfileMenu() == nullptr, "a click outside closes the menu");
    check(editorOpened == 0, "the click outside reaches nothing else");
    click(pencil);
    check(editorOpened == 1, "the next click opens the editor");
    return finish();
}
