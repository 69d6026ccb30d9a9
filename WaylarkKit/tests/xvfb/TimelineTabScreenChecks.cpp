// Shows the timeline tab alone in a real window on an X server, playing the
// demonstration scenario on a manual clock, takes its screenshot and checks
// that a click outside the open profile menu only closes it.
// Usage: TimelineTabScreenChecks <screenshot folder>

#include <cstdio>
#include <functional>
#include <memory>
#include <string>

#include <QApplication>
#include <QDir>
#include <QEventLoop>
#include <QImage>
#include <QPixmap>
#include <QProcess>
#include <QScreen>
#include <QTimer>
#include <QWindow>

#include "Base/ManualScheduler.h"
#include "CalendarKit/Service/CalendarService.h"
#include "CalendarKit/tests/service/MemoryStore.h"
#include "CalendarKit/tests/service/ScriptedFetcher.h"
#include "SettingsKit/InMemorySettingsStore.h"
#include "SettingsKit/SettingsModel.h"
#include "TradingCore/Model/MarketTimeZone.h"
#include "WaylarkKit/Style/Qt/Fonts.h"
#include "WaylarkKit/TimingViewModel.h"
#include "WaylarkKit/Views/Qt/TimelineTabView.h"

using namespace WaylarkKit;

namespace {

int failures = 0;

void check(bool ok, const std::string& what) {
    std::printf("%s %s\n", ok ? "ok  " : "FAIL", what.c_str());
    if (!ok) ++failures;
}

void wait(int ms) {
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

bool waitFor(const std::function<bool()>& done, int ms) {
    for (int waited = 0; waited < ms && !done(); waited += 20) wait(20);
    return done();
}

// A real pointer click at a point of the view, through the X server.
void click(const QWidget& view, QPointF point) {
    const QPoint global = view.mapToGlobal(point.toPoint()) * view.devicePixelRatio();
    QProcess::execute("xdotool", {"mousemove", QString::number(global.x()), QString::number(global.y())});
    wait(150);
    QProcess::execute("xdotool", {"click", "1"});
    wait(300);
}

QImage shot(const QWidget& window) {
    wait(300);
    return window.screen()->grabWindow(0, window.x(), window.y(), window.width(), window.height()).toImage();
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <screenshot folder>\n", argv[0]);
        return 2;
    }
    // A real X window whatever the test run asks of Qt; twice the pixels, so the
    // screenshot shows the tab as a HiDPI screen would.
    qputenv("QT_QPA_PLATFORM", "xcb");
    qputenv("QT_SCALE_FACTOR", "2");
    QApplication app(argc, argv);
    loadFonts();
    const QString folder = QString::fromLocal8Bit(argv[1]);
    QDir().mkpath(folder);

    // Tuesday 10 March 2026, 10:20 New York; the scenario plays five times faster.
    const Base::Calendar calendar(TradingCore::MarketTimeZone::newYork());
    Base::ManualScheduler scheduler(*calendar.date(2026, 3, 10, 10, 20, 0));
    auto fetcher = std::make_shared<CalendarKit::Testing::ScriptedFetcher>(scheduler);
    auto store = std::make_shared<CalendarKit::Testing::MemoryStore>();
    CalendarKit::CalendarService service(fetcher, store, scheduler, CalendarKit::CalendarService::Settings::application());
    SettingsKit::SettingsModel settings(std::make_shared<SettingsKit::InMemorySettingsStore>(), scheduler, 0.4);
    TimingViewModel timing(service, settings, TimingViewModel::Mode::demo, 5.0, scheduler);
    timing.setExpanded(true);
    timing.start();
    // 52 s on the clock are 4 min 20 s of the scenario: inside its first window, in the
    // blackout of its first release, with the custom times and the second release ahead.
    scheduler.advance(52);
    int editorOpened = 0;
    timing.setOnOpenTimingEditor([&] { ++editorOpened; });

    QWidget window;
    window.setWindowFlag(Qt::FramelessWindowHint);
    window.setAutoFillBackground(true);
    QPalette palette;
    palette.setColor(QPalette::Window, Qt::black);
    window.setPalette(palette);
    constexpr int margin = 16;
    window.setFixedSize(440 + 2 * margin, TimelineTabView::tabHeight + 2 * margin);
    auto* view = new TimelineTabView(timing, &window);
    view->setGeometry(margin, margin, 440, TimelineTabView::tabHeight);
    window.move(40, 40);
    window.show();
    check(waitFor([&] { return window.isVisible() && window.windowHandle()->isExposed(); }, 5000), "window shown");

    const QImage image = shot(window);
    check(image.save(folder + "/tab-timeline.png"), "screenshot saved");
    const double ratio = image.width() / static_cast<double>(window.width());
    const QPointF nowLine = view->mapTo(&window, QPointF(view->width() / 2.0, TimelineTabView::canvasTop + 60));
    check(image.pixelColor((nowLine * ratio).toPoint()) == QColor(Qt::white), "the now line is white");
    const QPointF header = view->mapTo(&window, view->header().pencil.center());
    check(image.pixelColor((header * ratio).toPoint()).lightness() > 0, "the header is drawn");

    timing.setProfileMenuOpen(true);
    check(waitFor([&] { return view->openProfileMenu() != nullptr; }, 2000), "profile menu open");
    wait(200);
    const QImage withMenu = shot(window);
    withMenu.save(folder + "/tab-timeline-menu.png");
    click(*view, view->header().pencil.center());
    check(!timing.isProfileMenuOpen() && view->openProfileMenu() == nullptr, "a click outside closes the menu");
    check(editorOpened == 0, "the click outside reaches nothing else");
    click(*view, view->header().pencil.center());
    check(editorOpened == 1, "the next click opens the editor");

    std::printf("%s\n", failures == 0 ? "all checks passed" : "some checks failed");
    return failures == 0 ? 0 : 1;
}
