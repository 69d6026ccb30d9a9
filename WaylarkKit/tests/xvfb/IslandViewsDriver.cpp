// The island with its real status, activity and panel views in real windows
// on an X server with a compositor.
//   IslandViewsDriver screenshots <folder>
//       the demo scenario on a manual clock: the compact island green (a
//       custom time running), red and gray, and the expanded panel; checks
//       the status colours on screen
//   IslandViewsDriver cpu <seconds> [--reduce-motion] [--no-checklist]
//       the compact island in a fixed status on the real clock and its real
//       one-second tick; prints the process's CPU use over that time
//   IslandViewsDriver bare <seconds> <width> <height>
//       the same measurement for a bare translucent window of that size
//       that repaints once a second

#include <memory>

#include <QDir>
#include <QScreen>
#include <QTimer>

#include "Base/ManualScheduler.h"
#include "IslandKit/Screen/ScreenMetricsReader.h"
#include "IslandKit/View/IslandSurface.h"
#include "IslandKit/Window/IslandWindowController.h"
#include "IslandKit/Window/QtScheduler.h"
#include "IslandKit/Window/XInputPointerTracker.h"
#include "TradingCore/Model/MarketTimeZone.h"
#include "WaylarkKit/Style/Qt/Fonts.h"
#include "WaylarkKit/Timing/DemoScenario.h"
#include "WaylarkKit/Views/StatusLabel.h"
#include "WaylarkKit/tests/Views/Qt/IslandModels.h"
#include "WaylarkKit/tests/xvfb/support/XvfbDriving.h"

using namespace WaylarkKit;
using namespace WaylarkKit::Xvfb;

namespace {

using Testing::IslandModels;

// One island on the primary screen, wired as the island host wires it.
struct Island {
    Island(IslandModels& models, Base::Scheduler& frames, bool reduceMotion)
        : screen(QGuiApplication::primaryScreen()),
          metrics(IslandKit::ScreenMetricsReader::metrics(screen)),
          shared{models.timing, models.checklist, models.checklistUI, models.calculator, frames,
                 fixedReduceMotion(reduceMotion)},
          model(Testing::islandWithViews(shared, metrics, "main", [] { QApplication::quit(); })),
          controller(*model, pointer, frames, keyboard) {
        TimingViewModel& timing = models.timing;
        model->setOnStateChange([&timing](IslandKit::IslandState state) {
            const bool expanded = state == IslandKit::IslandState::expanded;
            timing.setExpandedIsland(expanded ? "main" : "");
            timing.setExpanded(expanded);
        });
        controller.show(screen);
    }

    QRect rect() const {
        const IslandKit::IslandLayout l = model->layout();
        return QRect(static_cast<int>(l.rect.minX()), 0, static_cast<int>(l.rect.width),
                     static_cast<int>(l.rect.height));
    }

    QScreen* screen;
    IslandKit::ScreenMetrics metrics;
    IslandViews::Shared shared;
    IslandKit::XInputPointerTracker pointer;
    IslandKit::X11KeyboardHandover keyboard;
    std::unique_ptr<IslandKit::IslandModel> model;
    IslandKit::IslandWindowController controller;
};

// Whether any pixel of `area` is close to `colour`.
bool shows(const QImage& image, const QRect& area, const QColor& colour) {
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            if (near(image.pixelColor(x, y), colour, 9)) return true;
        }
    }
    return false;
}

int screenshots(const QString& folder) {
    QDir().mkpath(folder);
    // A plain desktop under the island, so the screenshots show its outline.
    Painted desktop([](QPainter& painter, const QRect& area) { painter.fillRect(area, QColor(40, 110, 150)); },
                    Qt::WindowStaysOnBottomHint);
    desktop.cover();
    const Base::Calendar calendar(TradingCore::MarketTimeZone::newYork());
    Base::ManualScheduler clock(*calendar.date(2026, 3, 10, 10, 20, 0));
    IslandKit::QtScheduler frames;
    IslandModels models(clock);
    models.play(0, 0);
    Island island(models, frames, false);
    constexpr int settle = 1200;  // the island's spring and the mascot's first moves

    const struct {
        const char* name;
        double offset;
        QColor word;
    } compact[] = {
        {"island-green.png", 270, QColor(0x30, 0xD1, 0x58)},
        {"island-red.png", 200, QColor(0xFF, 0x45, 0x3A)},
        {"island-gray.png", 700, QColor(140, 140, 140)},
    };
    for (const auto& shot : compact) {
        models.play(shot.offset, 0);
        const QImage image = screenshot(folder + "/" + shot.name, settle);
        check(!image.isNull(), std::string(shot.name) + " taken");
        check(shows(image, island.rect(), shot.word), std::string(shot.name) + " shows its status colour");
    }

    models.play(270, 0);
    island.model->expand();
    const QImage expanded = screenshot(folder + "/panel-expanded.png", settle);
    check(models.timing.isExpanded(), "the island expanded");
    check(shows(expanded, island.rect(), QColor(0xFF, 0x9F, 0x0A)), "the panel shows the timeline's orange macros");
    return finish();
}

void report(const char* what, double seconds, double cpu) {
    std::printf("%s, %.0f s: CPU %.3f s = %.3f %% of one core\n", what, seconds, cpu, 100 * cpu / seconds);
}

int measure(double seconds, bool reduceMotion, bool withChecklist) {
    IslandKit::QtScheduler clock;
    IslandModels models(clock);
    // A checklist with its count, or the badge's pulsing "!" without one.
    if (withChecklist) {
        const auto id = models.checklist.createTemplate("Pre-trade");
        if (id) models.checklist.addItem(*id, "Stop placed");
    }
    models.timing.start();
    // The demo scenario with its first release moved to 260 s, announced from
    // the start, and the second left out: from 80 s on, for well over a
    // minute, the island stays green in "Pre-session" with the window's
    // countdown and the release's ticking, and nothing comes, goes or pulses.
    DemoScenario scenario = DemoScenario::make(models.timing.now());
    const Base::Date base = scenario.events.front().time - 180;
    scenario.events.resize(1);
    scenario.events.front().time = base + 260;
    scenario.configuration.newsRule.leadSeconds = 600;
    models.timing.playScenario(scenario, base + 80, 1, false);
    Island island(models, clock, reduceMotion);
    // Start-up, the compositor, and the full status word's 5 s with the
    // island's spring to the short word's width.
    wait(8000);
    IslandKit::IslandRootView* root = island.controller.rootView();
    PaintCounter surface(root->surface());
    PaintCounter left(root->leadingView());
    PaintCounter right(root->trailingView());
    PaintCounter center(root->centerView());
    const double cpu = cpuOver(seconds);
    std::printf("paints: surface %d, left %d, right %d, centre %d; geometry changes %d\n", surface.paints,
                left.paints, right.paints, center.paints, surface.geometry + left.geometry + right.geometry);
    const std::string what = std::string("compact island, ") + (reduceMotion ? "Reduce Motion" : "mascot animating") +
                             (withChecklist ? "" : ", pulsing checklist badge");
    report(what.c_str(), seconds, cpu);
    const QRect shown = island.rect();
    std::printf("status \"%s\", island %dx%d\n", StatusLabel::word(models.timing.evaluation(), false).c_str(),
                shown.width(), shown.height());
    return 0;
}

int measureBare(double seconds, int width, int height) {
    // A translucent window of the island's size, repainting its black shape once a second.
    Painted bare(slab(12, false), floating, true);
    bare.resize(width, height);
    bare.move((QGuiApplication::primaryScreen()->geometry().width() - bare.width()) / 2, 0);
    bare.show();
    QTimer tick;
    QObject::connect(&tick, &QTimer::timeout, &bare, [&bare] { bare.update(); });
    tick.start(1000);
    wait(3000);
    report("bare window of the island's size, one repaint a second", seconds, cpuOver(seconds));
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "xcb");
    QApplication app(argc, argv);
    loadFonts();
    const QStringList args = QApplication::arguments();
    if (args.size() >= 3 && args[1] == "screenshots") return screenshots(args[2]);
    if (args.size() >= 3 && args[1] == "cpu") {
        return measure(args[2].toDouble(), args.contains("--reduce-motion"), !args.contains("--no-checklist"));
    }
    if (args.size() >= 5 && args[1] == "bare") return measureBare(args[2].toDouble(), args[3].toInt(), args[4].toInt());
    std::fprintf(stderr,
                 "usage: IslandViewsDriver screenshots <folder> | cpu <seconds> [--reduce-motion] "
                 "[--no-checklist] | bare <seconds> <width> <height>\n");
    return 2;
}
