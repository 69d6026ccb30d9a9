// Shows a real island, its expansion and an overlay card on an X server with
// a compositor, takes screenshots, checks their pixels and clicks with xdotool.
// Usage: IslandScreenChecks <screenshot folder> | --idle <seconds>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <optional>
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
#include <QPointer>
#include <QProcess>
#include <QScreen>
#include <QTimer>
#include <QVBoxLayout>

#include "IslandKit/Model/IslandModel.h"
#include "IslandKit/Overlay/OverlayPanel.h"
#include "IslandKit/Overlay/OverlayRootView.h"
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

// Runs the event loop for a short slice: the poll step of waitFor, never a
// wait for something to have happened.
void processFor(int ms) {
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

// Waits, with the event loop running, until `done` holds. The bound is
// generous: it is reached only when the condition never comes.
bool waitFor(const std::function<bool()>& done, int ms = 15000) {
    QElapsedTimer timer;
    timer.start();
    while (!done()) {
        if (timer.elapsed() > ms) return false;
        processFor(15);
    }
    return true;
}

void run(const QString& program, const QStringList& arguments) {
    if (QProcess::execute(program, arguments) != 0) {
        check(false, (program + " " + arguments.join(' ')).toStdString());
    }
}

// Moves the pointer there and clicks, through the input devices as a real
// mouse does. xdotool returns once the X server has the events.
void click(int x, int y) {
    run("xdotool", {"mousemove", QString::number(x), QString::number(y), "click", "1"});
}

QImage grabScreen() {
    return QGuiApplication::primaryScreen()->grabWindow(0).toImage().convertToFormat(QImage::Format_RGB32);
}

// The screen as soon as it shows what `ready` expects (the compositor draws
// on its own time), saved to `path`; the last grab when it never does.
QImage screenshot(const QString& path, const std::function<bool(const QImage&)>& ready) {
    QImage shot;
    if (!waitFor([&] {
            shot = grabScreen();
            return ready(shot);
        })) {
        std::printf("note: %s never showed what was expected\n", qPrintable(path));
    }
    shot.save(path);
    return shot;
}

bool isBlack(const QImage& image, int x, int y) { return image.pixelColor(x, y) == QColor(Qt::black); }

bool nearBlack(const QColor& c) { return c.red() < 25 && c.green() < 25 && c.blue() < 25; }

bool near(const QColor& a, const QColor& b, int tolerance) {
    return std::abs(a.red() - b.red()) <= tolerance && std::abs(a.green() - b.green()) <= tolerance &&
           std::abs(a.blue() - b.blue()) <= tolerance;
}

bool isDesktop(const QImage& image, int x, int y) { return near(image.pixelColor(x, y), desktopColor, 2); }

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

// Placeholder content that counts the presses it gets.
class Column final : public QWidget {
public:
    Column(int* presses, QWidget* parent) : QWidget(parent), presses_(presses) {}

protected:
    void mousePressEvent(QMouseEvent*) override {
        if (presses_) ++*presses_;
    }

private:
    int* presses_;
};

// A column of labels, each with its colour, as placeholder content.
QWidget* column(const QList<QPair<QString, QString>>& lines, QWidget* parent, int* presses = nullptr) {
    auto* panel = new Column(presses, parent);
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
    check(waitFor([] { return isDesktop(grabScreen(), 10, 500); }), "the window below is on screen");
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
    auto settled = [&] {
        return model.slots().leading > 0 && model.slots().trailing > 0 && !island.rootView()->isAnimating();
    };
    check(waitFor(settled), "the island measures its slots and settles");
    const QRect canvas = island.panel()->geometry();
    auto islandRect = [&] {
        const IslandLayout l = model.layout();
        return QRect(static_cast<int>(l.rect.minX()), 0, static_cast<int>(l.rect.width),
                     static_cast<int>(l.rect.height));
    };

    // Compact. Translucency needs the compositor, which starts beside this
    // program: the first screenshot waits for it.
    QRect r = islandRect();
    std::printf("compact island %d,%d %dx%d in canvas %d,%d %dx%d\n", r.x(), r.y(), r.width(), r.height(),
                canvas.x(), canvas.y(), canvas.width(), canvas.height());
    check(r.center().x() - 756 <= 1 && 756 - r.center().x() <= 1, "the island is centred");
    const int notchLeft = static_cast<int>(r.x() + model.layout().virtualNotch.minX());
    const std::vector<std::pair<bool, std::pair<QPoint, std::string>>> compactPixels = {
        {true, {{r.x() + 10, 2}, "island black near its top-left"}},
        {true, {{notchLeft + 3, r.height() / 2}, "virtual notch black beside its label"}},
        {true, {{r.right() - 22, r.height() - 2}, "island black near its bottom-right"}},
        {false, {{r.x() - 20, r.height() / 2}, "transparent 20 px beside the island"}},
        {false, {{r.x() + 1, r.height() - 2}, "transparent in the flared corner's cut"}},
        {false, {{r.center().x(), r.height() + 20}, "transparent below the island"}},
        {false, {{canvas.right() - 5, canvas.bottom() - 5}, "the rest of the canvas is transparent"}},
    };
    auto shows = [](const QImage& shot, bool black, QPoint p) {
        return black ? isBlack(shot, p.x(), p.y()) : isDesktop(shot, p.x(), p.y());
    };
    QImage shot = screenshot(folder + "/island-compact.png", [&](const QImage& image) {
        return std::all_of(compactPixels.begin(), compactPixels.end(),
                           [&](const auto& c) { return shows(image, c.first, c.second.first); });
    });
    for (const auto& [black, where] : compactPixels) {
        check(shows(shot, black, where.first), where.second + at(where.first.x(), where.first.y()));
    }

    // Pointer moves from the raw events, in desktop coordinates (y upward).
    std::vector<std::optional<Point>> hovers;
    model.setPointerMoved([&](std::optional<Point> p) { hovers.push_back(p); });
    run("xdotool", {"mousemove", QString::number(r.x() + 30), "10"});
    check(waitFor([&] { return !hovers.empty(); }) && hovers.back() &&
              *hovers.back() == (Point{static_cast<double>(r.x() + 30), 982.0 - 10}),
          "a pointer move over the island is reported in desktop coordinates");
    // Relative moves go through the input devices, as a real mouse does, so
    // they raise raw motion events even where no window of ours lies.
    run("xdotool", {"mousemove_relative", "--", "0", "290"});
    check(waitFor([&] { return !hovers.back(); }), "leaving the island is reported");
    const std::size_t left = hovers.size();
    run("xdotool", {"mousemove_relative", "--", "0", "100"});
    // Coming back is reported, and nothing between the two.
    run("xdotool", {"mousemove", QString::number(r.x() + 30), "10"});
    check(waitFor([&] { return hovers.back().has_value(); }) &&
              std::all_of(hovers.begin() + static_cast<std::ptrdiff_t>(left), hovers.end(),
                          [](const std::optional<Point>& p) { return p.has_value(); }),
          "and only once");
    model.setPointerMoved({});

    // A click 20 px beside the island reaches the window below.
    click(r.x() - 20, r.height() / 2);
    check(waitFor([&] { return desktopClicksSoFar() == 1; }), "a click beside the island reaches the window below");
    check(model.state() == IslandState::compact, "and leaves the island compact");

    // A click on the island expands it; the X server gives a click to one
    // window only, so once the island has it the window below has not.
    click(r.x() + static_cast<int>(model.layout().leadingSlot.midX()), r.height() / 2);
    check(waitFor([&] { return model.state() == IslandState::expanded; }), "a click on the island expands it");
    check(desktopClicksSoFar() == 1, "the island's click does not reach the window below");
    check(waitFor([&] { return !island.rootView()->isAnimating(); }), "the expansion settles");
    r = islandRect();
    check(r.height() == static_cast<int>(model.layout().rect.height) && r.height() == 24 + 170 + 16,
          "expanded height is notch + content + padding");
    const std::vector<std::pair<bool, std::pair<QPoint, std::string>>> expandedPixels = {
        {true, {{r.x() + 10, r.height() - 20}, "expanded island black low on the left"}},
        {true, {{r.right() - 10, 5}, "expanded island black at the top right"}},
        {false, {{r.x() - 20, r.height() / 2}, "transparent beside the expanded island"}},
        {false, {{r.x() + 2, r.height() - 3}, "rounded bottom-left corner"}},
    };
    shot = screenshot(folder + "/island-expanded.png", [&](const QImage& image) {
        return std::all_of(expandedPixels.begin(), expandedPixels.end(),
                           [&](const auto& c) { return shows(image, c.first, c.second.first); });
    });
    for (const auto& [black, where] : expandedPixels) {
        check(shows(shot, black, where.first), where.second + at(where.first.x(), where.first.y()));
    }

    // A click elsewhere collapses it (and still reaches the window below).
    click(200, 600);
    check(waitFor([&] { return model.state() == IslandState::compact; }),
          "a click elsewhere collapses the expanded island");
    check(waitFor([&] { return desktopClicksSoFar() == 2; }), "that click reached the window below too");
    check(waitFor([&] { return !island.rootView()->isAnimating(); }), "the collapse settles");

    // Overlay card.
    int contentPresses = 0;
    OverlayWindowController overlay(
        [&contentPresses](QWidget* p) {
            return column({{"Checklist", "white"},
                           {"Trend on the 15-minute chart agrees", "#d1d5db"},
                           {"Stop placed beyond the last swing", "#d1d5db"}},
                          p, &contentPresses);
        },
        Size{640, 400}, scheduler);
    std::vector<bool> reports;
    overlay.onVisibilityChange = [&](bool visible) { reports.push_back(visible); };
    auto fadedIn = [&] { return overlay.rootView() && overlay.rootView()->fade() == 1; };
    overlay.present(screen);
    check(reports == std::vector<bool>{true}, "onVisibilityChange(true) at once");
    check(waitFor(fadedIn), "the card fades in");
    const QRect card((1512 - 640) / 2, (982 - 400) / 2, 640, 400);
    r = islandRect();
    auto cardOnScreen = [&](const QImage& image) { return nearBlack(image.pixelColor(card.x() + 10, card.bottom() - 10)); };
    auto dimmed = [&](const QImage& image) {
        const QColor backdrop = image.pixelColor(100, 700);
        return backdrop.blue() < desktopColor.blue() - 30 && backdrop.blue() > 40;
    };
    auto islandOnTop = [&](const QImage& image) {
        return isBlack(image, r.x() + 10, 2) && isBlack(image, r.right() - 22, r.height() - 2);
    };
    shot = screenshot(folder + "/island-overlay.png", [&](const QImage& image) {
        return cardOnScreen(image) && dimmed(image) && islandOnTop(image);
    });
    check(cardOnScreen(shot), "the card is near black");
    check(dimmed(shot), "the backdrop is dimmed");
    check(islandOnTop(shot), "the island stays on top of the card");

    // A click in the card's 20-point margin, then one on its content: once
    // the content has its click, the margin's has been handled too.
    const int clicksBefore = desktopClicksSoFar();
    click(card.x() + 8, card.y() + 8);
    click(card.x() + 60, card.y() + 60);
    check(waitFor([&] { return contentPresses == 1; }) && overlay.isPresented(),
          "a click in the card's margin does not dismiss");
    click(100, 700);
    QElapsedTimer sinceDismiss;
    check(waitFor([&] { return !overlay.isPresented(); }), "a click on the backdrop dismisses");
    sinceDismiss.start();
    check(waitFor([&] { return reports.size() == 2; }) && reports.back() == false,
          "onVisibilityChange(false) after the fade-out");
    check(sinceDismiss.elapsed() >= 120, "false came only after the fade (" +
                                              std::to_string(sinceDismiss.elapsed()) + " ms)");
    check(desktopClicksSoFar() == clicksBefore, "the backdrop takes the clicks");
    check(overlay.panel() == nullptr, "the panel is gone");

    overlay.present(screen);
    check(waitFor([&] {
              return fadedIn() && QGuiApplication::focusWindow() == overlay.panel()->windowHandle();
          }),
          "the card takes the keyboard");
    run("xdotool", {"key", "Escape"});
    check(waitFor([&] { return !overlay.isPresented(); }), "Escape dismisses the card");
    check(waitFor([&] { return overlay.panel() == nullptr; }), "and it fades out");

    // Presenting during a fade-out keeps the new card.
    reports.clear();
    overlay.present(screen);
    waitFor(fadedIn);
    const QPointer<QWidget> fadingPanel = overlay.panel();
    overlay.dismiss();
    overlay.present(screen);
    check(waitFor([&] { return fadingPanel.isNull() || !fadingPanel->isVisible(); }), "the old card fades out");
    check(overlay.isPresented() && overlay.panel() && overlay.panel()->isVisible(),
          "a card presented during a fade-out stays");
    check(reports == (std::vector<bool>{true, true}), "and is never reported hidden");
    shot = screenshot(folder + "/overlay-after-refade.png", cardOnScreen);
    check(cardOnScreen(shot), "the new card is on screen");
    QFile::remove(folder + "/overlay-after-refade.png");
    overlay.dismiss();
    check(waitFor([&] { return overlay.panel() == nullptr; }), "the new card goes too");

    // The application collapses the island and opens a card in one turn. The
    // backdrop must show the desktop where the expanded island was, blurred
    // and dimmed like the rest, not a black ghost of it.
    model.expand();
    check(waitFor([&] { return !island.rootView()->isAnimating(); }), "expanded again");
    model.collapse();
    overlay.present(screen);
    check(waitFor(fadedIn), "the card over a collapsing island fades in");
    const QPoint oldIsland(r.center().x(), 150);
    const QPoint elsewhere(100, 150);
    auto noGhost = [&](const QImage& image) {
        return near(image.pixelColor(oldIsland), image.pixelColor(elsewhere), 6) &&
               !nearBlack(image.pixelColor(oldIsland));
    };
    shot = screenshot(folder + "/overlay-after-collapse.png", noGhost);
    check(noGhost(shot), "where the expanded island was, the backdrop is the blurred desktop" +
                             at(oldIsland.x(), oldIsland.y()));
    QFile::remove(folder + "/overlay-after-collapse.png");
    overlay.dismiss();
    check(waitFor([&] { return overlay.panel() == nullptr; }), "that card goes too");

    island.hide();
    desktopProcess.kill();
    desktopProcess.waitForFinished();
    QFile::remove(clickLog);
    std::printf("%d failure(s)\n", failures);
    return failures == 0 ? 0 : 1;
}
