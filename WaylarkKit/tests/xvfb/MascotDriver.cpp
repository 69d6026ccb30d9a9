// Real windows for the mascot on an X server.
//   MascotDriver screenshot <png>       every pose side by side; checks each one drew
//   MascotDriver cpu <seconds> [--reduce-motion]
//                                       the session pose alone in a translucent
//                                       window; prints the process's CPU use, the
//                                       frames painted and the frame ticks queued

#include <cmath>
#include <memory>
#include <vector>

#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QScreen>
#include <QTimer>

#include "Base/Scheduler.h"
#include "WaylarkKit/Mascot/Qt/MascotView.h"
#include "WaylarkKit/Style/Qt/Fonts.h"
#include "WaylarkKit/tests/xvfb/support/XvfbDriving.h"

using namespace WaylarkKit;
using namespace WaylarkKit::Xvfb;

namespace {

// The application's scheduler on Qt timers, counting what it is asked to
// queue: an animation that has settled must queue nothing.
class CountingScheduler final : public Base::Scheduler {
public:
    Base::Date now() const override { return Base::Date::now(); }
    int queued = 0;

protected:
    void enqueue(double delaySeconds, Task task, std::shared_ptr<std::atomic<bool>> cancelled) override {
        ++queued;
        const int ms = static_cast<int>(std::ceil(std::max(delaySeconds, 0.0) * 1000));
        QTimer::singleShot(ms, Qt::PreciseTimer, &context_, [task = std::move(task), cancelled] {
            if (!cancelled->load()) task();
        });
    }

private:
    QObject context_;
};

int poses(const QString& path) {
    CountingScheduler scheduler;
    const std::vector<std::pair<const char*, MascotKind>> poses = {
        {"session", MascotKind::session(true)},
        {"unverified", MascotKind::session(false)},
        {"tinted", MascotKind::session(true, TradingCore::IntervalColor::pink)},
        {"out", MascotKind::out()},
        {"restricted", MascotKind::restricted(false)},
        {"medium", MascotKind::restricted(true)},
        {"checklist", MascotKind::checklistDone()},
    };
    QWidget window;
    window.setWindowFlags(Qt::FramelessWindowHint);
    window.setStyleSheet(QStringLiteral("background: black"));
    const QSize cell = MascotView(35, scheduler, fixedReduceMotion(false)).sizeHint() + QSize(16, 0);
    // Labels sit under the square; the canvas below it is room for the celebration's turn.
    const int labelTop = MascotView(35, scheduler, fixedReduceMotion(true)).contentRect().bottom() + 8;
    window.resize(cell.width() * static_cast<int>(poses.size()), labelTop + 20);
    std::vector<MascotView*> views;
    for (std::size_t i = 0; i < poses.size(); ++i) {
        auto* view = new MascotView(35, scheduler, fixedReduceMotion(false), &window);
        view->move(static_cast<int>(i) * cell.width() + 8, 0);
        view->show(poses[i].second);
        views.push_back(view);
        auto* label = new QLabel(QString::fromLatin1(poses[i].first), &window);
        label->setTextFormat(Qt::PlainText);
        label->setFont(interFont(10, FontWeight::medium));
        label->setStyleSheet(QStringLiteral("color: #a0a0a8"));
        label->setAlignment(Qt::AlignCenter);
        label->setGeometry(static_cast<int>(i) * cell.width(), labelTop, cell.width(), 16);
    }
    window.move(40, 40);
    window.show();
    wait(1100);  // mid-motion: marks up, the celebration in the air
    const QImage image = window.screen()->grabWindow(window.winId()).toImage();
    for (std::size_t i = 0; i < views.size(); ++i) {
        const QRect square = QRect(views[i]->mapTo(&window, views[i]->contentRect().topLeft()),
                                   views[i]->contentRect().size());
        const QRect pixels(square.topLeft() * image.devicePixelRatio(), square.size() * image.devicePixelRatio());
        int lit = 0;
        for (int y = pixels.top(); y <= pixels.bottom(); ++y) {
            for (int x = pixels.left(); x <= pixels.right(); ++x) lit += qGray(image.pixel(x, y)) > 200 ? 1 : 0;
        }
        // The face covers about a fifth.
        check(lit > pixels.width() * pixels.height() / 10, std::string(poses[i].first) + " pose drew its face");
    }
    std::printf("screenshot %dx%d at ratio %.1f\n", image.width(), image.height(), image.devicePixelRatio());
    QDir().mkpath(QFileInfo(path).absolutePath());
    check(image.save(path), "screenshot written to " + path.toStdString());
    return finish();
}

int measure(double seconds, bool reduceMotion) {
    CountingScheduler scheduler;
    Painted window(slab(14, false), floating, true);
    window.resize(180, 60);
    auto* view = new MascotView(35, scheduler, fixedReduceMotion(reduceMotion), &window);
    view->move(12, 0);
    PaintCounter counter(view);
    view->show(MascotKind::session(true));
    window.move((window.screen()->geometry().width() - window.width()) / 2, 0);
    window.show();
    wait(2000);  // settle: start-up, first frames, compositor
    const int queuedBefore = scheduler.queued;
    const int paintsBefore = counter.paints;
    const double cpu = cpuOver(seconds);
    std::printf("session pose, %s, %.0f s: CPU %.3f s = %.3f %% of one core; %d frames painted (%.1f/s), "
                "%d frame ticks queued (%.1f/s)\n",
                reduceMotion ? "Reduce Motion" : "animating", seconds, cpu, 100 * cpu / seconds,
                counter.paints - paintsBefore, (counter.paints - paintsBefore) / seconds,
                scheduler.queued - queuedBefore, (scheduler.queued - queuedBefore) / seconds);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    loadFonts();
    const QStringList args = QApplication::arguments();
    if (args.size() >= 3 && args[1] == "screenshot") return poses(args[2]);
    if (args.size() >= 3 && args[1] == "cpu") return measure(args[2].toDouble(), args.contains("--reduce-motion"));
    std::fprintf(stderr, "usage: MascotDriver screenshot <png> | cpu <seconds> [--reduce-motion]\n");
    return 2;
}
