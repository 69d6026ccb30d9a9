// Real windows for the mascot on an X server.
//   MascotDriver screenshot <png>       every pose side by side; checks each one drew
//   MascotDriver cpu <seconds> [--reduce-motion]
//                                       the session pose alone in a translucent
//                                       window; prints the process's CPU use, the
//                                       frames painted and the frame ticks queued

#include <sys/resource.h>

#include <cmath>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QEvent>
#include <QEventLoop>
#include <QImage>
#include <QLabel>
#include <QPainter>
#include <QScreen>
#include <QTimer>
#include <QWidget>

#include "Base/Scheduler.h"
#include "WaylarkKit/Mascot/Qt/MascotView.h"
#include "WaylarkKit/Style/Qt/Fonts.h"

using namespace WaylarkKit;

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

class PaintCounter final : public QObject {
public:
    int paints = 0;

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint) ++paints;
        return false;
    }
};

// A dark rounded slab like the island's, on a translucent window.
class Slab final : public QWidget {
public:
    Slab() {
        setWindowFlags(Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint | Qt::Tool);
        setAttribute(Qt::WA_TranslucentBackground);
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(Qt::NoPen);
        painter.setBrush(Qt::black);
        if (qEnvironmentVariableIsSet("SLAB_CHEAP")) painter.fillRect(rect(), Qt::black); else painter.drawRoundedRect(rect(), 14, 14);
    }
};

void wait(int ms) {
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

double cpuSeconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
           static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

int screenshot(const QString& path) {
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
    MascotView probe(35, scheduler, fixedReduceMotion(true));
    const int labelTop = probe.contentRect().bottom() + 8;
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
    int failures = 0;
    for (std::size_t i = 0; i < views.size(); ++i) {
        const QRect square = QRect(views[i]->mapTo(&window, views[i]->contentRect().topLeft()),
                                   views[i]->contentRect().size());
        const QRect pixels(square.topLeft() * image.devicePixelRatio(), square.size() * image.devicePixelRatio());
        int lit = 0;
        for (int y = pixels.top(); y <= pixels.bottom(); ++y) {
            for (int x = pixels.left(); x <= pixels.right(); ++x) lit += qGray(image.pixel(x, y)) > 200 ? 1 : 0;
        }
        const bool ok = lit > pixels.width() * pixels.height() / 10;  // the face covers about a fifth
        std::printf("%s %s pose drew its face\n", ok ? "ok  " : "FAIL", poses[i].first);
        failures += ok ? 0 : 1;
    }
    std::printf("screenshot %dx%d at ratio %.1f\n", image.width(), image.height(), image.devicePixelRatio());
    QDir().mkpath(QFileInfo(path).absolutePath());
    if (!image.save(path)) {
        std::printf("FAIL could not write %s\n", qPrintable(path));
        ++failures;
    }
    return failures == 0 ? 0 : 1;
}

int measure(double seconds, bool reduceMotion) {
    CountingScheduler scheduler;
    PaintCounter counter;
    Slab slab;
    slab.resize(180, 60);
    auto* view = new MascotView(35, scheduler, fixedReduceMotion(reduceMotion), &slab);
    view->move(12, 0);
    view->installEventFilter(&counter);
    view->show(MascotKind::session(true));
    slab.move((slab.screen()->geometry().width() - slab.width()) / 2, 0);
    slab.show();
    wait(2000);  // settle: start-up, first frames, compositor
    const int queuedBefore = scheduler.queued;
    const int paintsBefore = counter.paints;
    const double cpuBefore = cpuSeconds();
    wait(static_cast<int>(seconds * 1000));
    const double cpu = cpuSeconds() - cpuBefore;
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
    if (args.size() >= 3 && args[1] == QStringLiteral("screenshot")) return screenshot(args[2]);
    if (args.size() >= 3 && args[1] == QStringLiteral("cpu")) {
        return measure(args[2].toDouble(), args.size() >= 4 && args[3] == QStringLiteral("--reduce-motion"));
    }
    std::fprintf(stderr, "usage: MascotDriver screenshot <png> | cpu <seconds> [--reduce-motion]\n");
    return 2;
}
