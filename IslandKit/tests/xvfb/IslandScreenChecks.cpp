// Shows a real island, its expansion and an overlay card on an X server with
// a compositor, takes screenshots, checks their pixels and clicks with xdotool.
// Usage: IslandScreenChecks <screenshot folder> | --idle <seconds>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QEventLoop>
#include <QImage>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QProcess>
#include <QScreen>
#include <QTimer>
#include <QVBoxLayout>

#include "IslandKit/Model/IslandModel.h"
#include "IslandKit/Overlay/OverlayPanel.h"
#include "IslandKit/Overlay/OverlayWindowController.h"
#include "IslandKit/Screen/ScreenMetricsReader.h"
#include "IslandKit/Window/IslandPanel.h"
#include "IslandKit/Window/IslandWindowController.h"
#include "IslandKit/Window/QtScheduler.h"
#include "IslandKit/Window/XInputPointerTracker.h"

using namespace IslandKit;

namespace {

const QColor desktopColor(40, 110, 150);
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

void run(const QString& program, const QStringList& arguments) {
    if (QProcess::execute(program, arguments) != 0) {
        check(false, (program + " " + arguments.join(' ')).toStdString());
    }
}

void click(int x, int y, int button = 1) {
    run("xdotool", {"mousemove", QString::number(x), QString::number(y)});
    wait(150);
    run("xdotool", {"click", QString::number(button)});
    wait(250);
}

QImage screenshot(const QString& path) {
    wait(300);
    run("import", {"-window", "root", path});
    return QImage(path).convertToFormat(QImage::Format_RGB32);
}

bool isBlack(const QImage& image, int x, int y) { return image.pixelColor(x, y) == QColor(Qt::black); }

bool isDesktop(const QImage& image, int x, int y) {
    const QColor c = image.pixelColor(x, y);
    return std::abs(c.red() - desktopColor.red()) <= 2 && std::abs(c.green() - desktopColor.green()) <= 2 &&
           std::abs(c.blue() - desktopColor.blue()) <= 2;
}

std::string at(int x, int y) { return " at (" + std::to_string(x) + ", " + std::to_string(y) + ")"; }

// The window below the island, in a process of its own (another
// application): a plain coloured desktop that logs each click to a file.
class Desktop final : public QWidget {
public:
    explicit Desktop(QString log) : QWidget(nullptr, Qt::FramelessWindowHint), log_(std::move(log)) {}

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.fillRect(rect(), desktopColor);
        // A strip of candles low on the screen, so the overlay's blur has something to blur.
        for (int i = 0; i < 40; ++i) {
            const int x = 300 + i * 24;
            const int mid = 820 + static_cast<int>(60 * std::sin(i * 0.45));
            const bool up = i % 3 != 0;
            painter.fillRect(x + 6, mid - 50, 2, 100, QColor(230, 230, 230));
            painter.fillRect(x, mid - 30, 14, 60, up ? QColor(52, 211, 153) : QColor(239, 68, 68));
        }
    }
    void mousePressEvent(QMouseEvent*) override {
        QFile file(log_);
        if (file.open(QIODevice::Append)) file.write("click\n");
    }

private:
    QString log_;
};

int desktopClicks(const QString& log) {
    QFile file(log);
    if (!file.open(QIODevice::ReadOnly)) return 0;
    return static_cast<int>(file.readAll().count('\n'));
}

QWidget* text(const QString& value, const QString& colour, QWidget* parent) {
    auto* label = new QLabel(value, parent);
    label->setStyleSheet("color: " + colour + "; font: 600 12px 'DejaVu Sans'; background: transparent;");
    return label;
}

// A column of labels, each with its colour, as placeholder content.
QWidget* column(const QList<QPair<QString, QString>>& lines, QWidget* parent) {
    auto* panel = new QWidget(parent);
    auto* layout = new QVBoxLayout(panel);
    for (const auto& [value, colour] : lines) layout->addWidget(text(value, colour, panel));
    layout->addStretch();
    return panel;
}

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "xcb");
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    QScreen* screen = QGuiApplication::primaryScreen();
    if (args.size() >= 3 && args[1] == "--desktop") {
        Desktop desktop(args[2]);
        desktop.setGeometry(screen->geometry());
        desktop.show();
        return app.exec();
    }
    const bool idle = args.size() >= 3 && args[1] == "--idle";
    const QString folder = args.size() >= 2 && !idle ? args[1] : QDir::tempPath();
    QDir().mkpath(folder);

    QtScheduler scheduler;
    const QString clickLog = QDir::temp().filePath("island-desktop-clicks-" + QString::number(app.applicationPid()));
    QFile::remove(clickLog);
    QProcess desktopProcess;
    desktopProcess.start(app.applicationFilePath(), {"--desktop", clickLog});
    desktopProcess.waitForStarted();
    wait(1500);
    auto desktopClicksSoFar = [&] { return desktopClicks(clickLog); };

    IslandModel model(ScreenMetricsReader::metrics(screen), IslandSlots{}, IslandStyle{},
                      [](QWidget* p) { return text("In session", "#34d399", p); },
                      [](QWidget* p) { return text("NFP 12:04", "white", p); },
                      [](QWidget* p) {
                          return column({{"TIMELINE", "#9ca3af"},
                                         {"09:30 ET  London close", "white"},
                                         {"10:00 ET  ISM Manufacturing PMI", "white"}},
                                        p);
                      });
    XInputPointerTracker tracker;
    IslandWindowController island(model, tracker, scheduler);
    island.show(screen);

    if (idle) {
        // Shown and left alone, for measuring what an idle island costs.
        QTimer::singleShot(static_cast<int>(args[2].toDouble() * 1000), &app, &QApplication::quit);
        const int status = app.exec();
        island.hide();
        desktopProcess.kill();
        desktopProcess.waitForFinished();
        return status;
    }

    check(tracker.hasRawEvents(), "XInput2 raw events are available");
    const auto stableID = ScreenMetricsReader::stableID(screen);
    check(ScreenMetricsReader::displayID(screen) && stableID && *stableID == ScreenMetricsReader::stableID(screen) &&
              !ScreenMetricsReader::isBuiltIn(screen),
          "the screen's RandR output numbers it and names it stably; it is not built in");
    wait(800);
    const QRect canvas = island.panel()->geometry();
    auto islandRect = [&] {
        const IslandLayout l = model.layout();
        return QRect(static_cast<int>(l.rect.minX()), 0, static_cast<int>(l.rect.width),
                     static_cast<int>(l.rect.height));
    };

    // Compact.
    QRect r = islandRect();
    std::printf("compact island %d,%d %dx%d in canvas %d,%d %dx%d\n", r.x(), r.y(), r.width(), r.height(),
                canvas.x(), canvas.y(), canvas.width(), canvas.height());
    check(r.center().x() - 756 <= 1 && 756 - r.center().x() <= 1, "the island is centred");
    QImage shot = screenshot(folder + "/island-compact.png");
    check(!shot.isNull(), "compact screenshot taken");
    if (!shot.isNull()) {
        const int notchLeft = static_cast<int>(r.x() + model.layout().virtualNotch.minX());
        check(isBlack(shot, r.x() + 10, 2), "island black near its top-left" + at(r.x() + 10, 2));
        check(isBlack(shot, notchLeft + 3, r.height() / 2), "virtual notch black beside its label");
        check(isBlack(shot, r.right() - 22, r.height() - 2), "island black near its bottom-right");
        check(isDesktop(shot, r.x() - 20, r.height() / 2), "transparent 20 px beside the island");
        check(isDesktop(shot, r.x() + 1, r.height() - 2), "transparent in the flared corner's cut");
        check(isDesktop(shot, r.center().x(), r.height() + 20), "transparent below the island");
        check(isDesktop(shot, canvas.right() - 5, canvas.bottom() - 5), "the rest of the canvas is transparent");
    }

    // Pointer moves from the raw events, in desktop coordinates (y upward).
    std::vector<std::optional<Point>> hovers;
    model.setPointerMoved([&](std::optional<Point> p) { hovers.push_back(p); });
    run("xdotool", {"mousemove", QString::number(r.x() + 30), "10"});
    check(waitFor([&] { return !hovers.empty(); }, 1000) && hovers.back() &&
              *hovers.back() == (Point{static_cast<double>(r.x() + 30), 982.0 - 10}),
          "a pointer move over the island is reported in desktop coordinates");
    // Relative moves go through the input devices, as a real mouse does, so
    // they raise raw motion events even where no window of ours lies.
    run("xdotool", {"mousemove_relative", "--", "0", "290"});
    check(waitFor([&] { return !hovers.back(); }, 1000), "leaving the island is reported");
    const std::size_t hoverCount = hovers.size();
    run("xdotool", {"mousemove_relative", "--", "0", "100"});
    wait(200);
    check(hovers.size() == hoverCount, "and only once");
    model.setPointerMoved({});

    // A click 20 px beside the island reaches the window below.
    click(r.x() - 20, r.height() / 2);
    check(desktopClicksSoFar() == 1, "a click beside the island reaches the window below");
    check(model.state() == IslandState::compact, "and leaves the island compact");

    // A click on the island expands it.
    click(r.x() + static_cast<int>(model.layout().leadingSlot.midX()), r.height() / 2);
    check(model.state() == IslandState::expanded, "a click on the island expands it");
    check(desktopClicksSoFar() == 1, "the island's click does not reach the window below");
    wait(900);
    r = islandRect();
    check(r.height() == static_cast<int>(model.layout().rect.height) && r.height() == 24 + 170 + 16,
          "expanded height is notch + content + padding");
    shot = screenshot(folder + "/island-expanded.png");
    if (!shot.isNull()) {
        check(isBlack(shot, r.x() + 10, r.height() - 20), "expanded island black low on the left");
        check(isBlack(shot, r.right() - 10, 5), "expanded island black at the top right");
        check(isDesktop(shot, r.x() - 20, r.height() / 2), "transparent beside the expanded island");
        check(isDesktop(shot, r.x() + 2, r.height() - 3), "rounded bottom-left corner");
    }

    // A click elsewhere collapses it (and still reaches the window below).
    click(200, 600);
    check(waitFor([&] { return model.state() == IslandState::compact; }, 1000),
          "a click elsewhere collapses the expanded island");
    check(desktopClicksSoFar() == 2, "that click reached the window below too");
    wait(900);

    // Overlay card.
    OverlayWindowController overlay([](QWidget* p) {
        return column({{"Checklist", "white"},
                       {"Trend on the 15-minute chart agrees", "#d1d5db"},
                       {"Stop placed beyond the last swing", "#d1d5db"}},
                      p);
    }, Size{640, 400}, scheduler);
    std::vector<bool> reports;
    overlay.onVisibilityChange = [&](bool visible) { reports.push_back(visible); };
    overlay.present(screen);
    check(reports == std::vector<bool>{true}, "onVisibilityChange(true) at once");
    wait(600);
    const QRect card((1512 - 640) / 2, (982 - 400) / 2, 640, 400);
    shot = screenshot(folder + "/island-overlay.png");
    r = islandRect();
    if (!shot.isNull()) {
        const QColor inCard = shot.pixelColor(card.x() + 10, card.bottom() - 10);
        check(inCard.red() < 25 && inCard.green() < 25 && inCard.blue() < 25, "the card is near black");
        const QColor backdrop = shot.pixelColor(100, 700);
        check(backdrop.blue() < desktopColor.blue() - 30 && backdrop.blue() > 40, "the backdrop is dimmed");
        check(isBlack(shot, r.x() + 10, 2) && isBlack(shot, r.right() - 22, r.height() - 2),
              "the island stays on top of the card");
    }
    const int clicksBefore = desktopClicksSoFar();
    click(card.x() + 8, card.y() + 8);
    check(overlay.isPresented(), "a click in the card's margin does not dismiss");
    run("xdotool", {"mousemove", "100", "700"});
    wait(150);
    run("xdotool", {"click", "1"});
    QElapsedTimer sinceDismiss;
    check(waitFor([&] { return !overlay.isPresented(); }, 1000), "a click on the backdrop dismisses");
    sinceDismiss.start();
    check(waitFor([&] { return reports.size() == 2; }, 1000) && reports.back() == false,
          "onVisibilityChange(false) after the fade-out");
    check(sinceDismiss.elapsed() >= 120, "false came only after the fade (" +
                                              std::to_string(sinceDismiss.elapsed()) + " ms)");
    check(desktopClicksSoFar() == clicksBefore, "the backdrop takes the clicks");
    check(overlay.panel() == nullptr, "the panel is gone");

    overlay.present(screen);
    wait(400);
    run("xdotool", {"key", "Escape"});
    wait(100);
    check(!overlay.isPresented(), "Escape dismisses the card");
    wait(400);

    // Presenting during a fade-out keeps the new card.
    reports.clear();
    overlay.present(screen);
    wait(300);
    overlay.dismiss();
    wait(50);
    overlay.present(screen);
    wait(600);
    check(overlay.isPresented() && overlay.panel() && overlay.panel()->isVisible(),
          "a card presented during a fade-out stays");
    check(reports == (std::vector<bool>{true, true}), "and is never reported hidden");
    shot = screenshot(folder + "/overlay-after-refade.png");
    if (!shot.isNull()) {
        const QColor inCard = shot.pixelColor(card.x() + 10, card.bottom() - 10);
        check(inCard.red() < 25 && inCard.green() < 25 && inCard.blue() < 25, "the new card is on screen");
    }
    QFile::remove(folder + "/overlay-after-refade.png");
    overlay.dismiss();
    wait(400);

    island.hide();
    desktopProcess.kill();
    desktopProcess.waitForFinished();
    QFile::remove(clickLog);
    std::printf("%d failure(s)\n", failures);
    return failures == 0 ? 0 : 1;
}
