// Shows a real island, its expansion and an overlay card on an X server with
// a compositor, takes screenshots, checks their pixels and clicks with xdotool.
// Usage: IslandScreenChecks <screenshot folder> | --idle <seconds>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QLabel>
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
#include "IslandKit/tests/support/WindowDriving.h"

using namespace IslandKit;
using namespace IslandKitTest;

namespace {

const QColor desktopColor(40, 110, 150);

void click(int x, int y) { xdotool({"mousemove", QString::number(x), QString::number(y), "click", "1"}); }

// The screen as soon as it shows what `ready` expects (the compositor draws
// on its own time), saved to `path`; the last grab when it never does.
QImage screenshot(const QString& path, const std::function<bool(const QImage&)>& ready) {
    QImage shot;
    if (!waitFor([&] { return ready(shot = grabScreen()); })) {
        std::printf("note: %s never showed what was expected\n", qPrintable(path));
    }
    shot.save(path);
    return shot;
}

bool nearBlack(const QColor& c) { return c.red() < 25 && c.green() < 25 && c.blue() < 25; }
std::string at(QPoint p) { return " at (" + std::to_string(p.x()) + ", " + std::to_string(p.y()) + ")"; }

// Pixels that must be pure black (the island) or the desktop's colour.
struct Pixel {
    bool black;
    QPoint at;
    std::string what;
    bool shownIn(const QImage& image) const {
        return black ? image.pixelColor(at) == QColor(Qt::black) : near(image.pixelColor(at), desktopColor, 2);
    }
};

void checkPixels(const QString& path, const std::vector<Pixel>& pixels) {
    const QImage shot = screenshot(path, [&](const QImage& image) {
        return std::all_of(pixels.begin(), pixels.end(), [&](const Pixel& p) { return p.shownIn(image); });
    });
    for (const Pixel& p : pixels) check(p.shownIn(shot), p.what + at(p.at));
}

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
            painter.fillRect(x + 6, mid - 50, 2, 100, QColor(230, 230, 230));
            painter.fillRect(x, mid - 30, 14, 60, i % 3 ? QColor(52, 211, 153) : QColor(239, 68, 68));
        }
    }
    void mousePressEvent(QMouseEvent*) override {
        QFile file(log_);
        if (file.open(QIODevice::Append)) file.write("click\n");
    }

private:
    QString log_;
};

// Placeholder content: a column of coloured labels that counts the presses it gets.
class Column final : public QWidget {
public:
    Column(const QList<QPair<QString, QString>>& lines, QWidget* parent, int* presses = nullptr)
        : QWidget(parent), presses_(presses) {
        auto* layout = new QVBoxLayout(this);
        for (const auto& [value, colour] : lines) layout->addWidget(text(value, colour, this));
        layout->addStretch();
    }
    static QWidget* text(const QString& value, const QString& colour, QWidget* parent) {
        auto* label = new QLabel(value, parent);
        label->setStyleSheet("color: " + colour + "; font: 600 12px 'DejaVu Sans'; background: transparent;");
        return label;
    }

protected:
    void mousePressEvent(QMouseEvent*) override {
        if (presses_) ++*presses_;
    }

private:
    int* presses_;
};

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
    check(waitFor([] { return near(grabScreen().pixelColor(10, 500), desktopColor, 2); }),
          "the window below is on screen");
    auto desktopClicks = [&] {
        QFile file(clickLog);
        return file.open(QIODevice::ReadOnly) ? static_cast<int>(file.readAll().count('\n')) : 0;
    };

    IslandModel model(ScreenMetricsReader::metrics(screen), IslandSlots{}, IslandStyle{},
                      [](QWidget* p) { return Column::text("In session", "#34d399", p); },
                      [](QWidget* p) { return Column::text("NFP 12:04", "white", p); },
                      [](QWidget* p) -> QWidget* {
                          return new Column({{"TIMELINE", "#9ca3af"},
                                             {"09:30 ET  London close", "white"},
                                             {"10:00 ET  ISM Manufacturing PMI", "white"}},
                                            p);
                      });
    XInputPointerTracker tracker;
    X11KeyboardHandover keyboard;
    IslandWindowController island(model, tracker, scheduler, keyboard);
    island.show(screen);
    auto cleanUp = [&](int status) {
        island.hide();
        desktopProcess.kill();
        desktopProcess.waitForFinished();
        QFile::remove(clickLog);
        return status;
    };

    if (idle) {
        // Shown and left alone, for measuring what an idle island costs.
        QTimer::singleShot(static_cast<int>(args[2].toDouble() * 1000), &app, &QApplication::quit);
        return cleanUp(app.exec());
    }

    check(tracker.hasRawEvents(), "XInput2 raw events are available");
    const auto stableID = ScreenMetricsReader::stableID(screen);
    check(ScreenMetricsReader::displayID(screen) && stableID && *stableID == ScreenMetricsReader::stableID(screen) &&
              !ScreenMetricsReader::isBuiltIn(screen),
          "the screen's RandR output numbers it and names it stably; it is not built in");
    auto settled = [&] { return !island.rootView()->isAnimating(); };
    check(waitFor([&] { return model.slots().leading > 0 && model.slots().trailing > 0 && settled(); }),
          "the island measures its slots and settles");
    const QRect canvas = island.panel()->geometry();
    auto islandRect = [&] {
        const Rect l = model.layout().rect;
        return QRect(static_cast<int>(l.minX()), 0, static_cast<int>(l.width), static_cast<int>(l.height));
    };

    // Compact. Translucency needs the compositor, which starts beside this
    // program: the first screenshot waits for it.
    QRect r = islandRect();
    check(std::abs(r.center().x() - 756) <= 1, "the island is centred");
    const int notchLeft = static_cast<int>(r.x() + model.layout().virtualNotch.minX());
    checkPixels(folder + "/island-compact.png",
                {{true, {r.x() + 10, 2}, "island black near its top-left"},
                 {true, {notchLeft + 3, r.height() / 2}, "virtual notch black beside its label"},
                 {true, {r.right() - 22, r.height() - 2}, "island black near its bottom-right"},
                 {false, {r.x() - 20, r.height() / 2}, "transparent 20 px beside the island"},
                 {false, {r.x() + 1, r.height() - 2}, "transparent in the flared corner's cut"},
                 {false, {r.center().x(), r.height() + 20}, "transparent below the island"},
                 {false, {canvas.right() - 5, canvas.bottom() - 5}, "the rest of the canvas is transparent"}});

    // Pointer moves from the raw events, in desktop coordinates (y upward).
    // Relative moves raise raw motion events even where no window of ours lies.
    std::vector<std::optional<Point>> hovers;
    model.setPointerMoved([&](std::optional<Point> p) { hovers.push_back(p); });
    const QStringList overIsland = {"mousemove", QString::number(r.x() + 30), "10"};
    xdotool(overIsland);
    check(waitFor([&] { return !hovers.empty(); }) && hovers.back() &&
              *hovers.back() == (Point{static_cast<double>(r.x() + 30), 982.0 - 10}),
          "a pointer move over the island is reported in desktop coordinates");
    xdotool({"mousemove_relative", "--", "0", "290"});
    check(waitFor([&] { return !hovers.back(); }), "leaving the island is reported");
    const std::size_t left = hovers.size();
    xdotool({"mousemove_relative", "--", "0", "100"});
    xdotool(overIsland);
    check(waitFor([&] { return hovers.back().has_value(); }) &&
              std::all_of(hovers.begin() + static_cast<std::ptrdiff_t>(left), hovers.end(),
                          [](const std::optional<Point>& p) { return p.has_value(); }),
          "coming back is reported, and nothing between the two");
    model.setPointerMoved({});

    click(r.x() - 20, r.height() / 2);
    check(waitFor([&] { return desktopClicks() == 1; }), "a click beside the island reaches the window below");
    check(model.state() == IslandState::compact, "and leaves the island compact");

    // The X server gives a click to one window only, so once the island has
    // it the window below has not.
    click(r.x() + static_cast<int>(model.layout().leadingSlot.midX()), r.height() / 2);
    check(waitFor([&] { return model.state() == IslandState::expanded; }), "a click on the island expands it");
    check(desktopClicks() == 1, "the island's click does not reach the window below");
    check(waitFor(settled), "the expansion settles");
    r = islandRect();
    check(r.height() == 24 + 170 + 16, "expanded height is notch + content + padding");
    checkPixels(folder + "/island-expanded.png",
                {{true, {r.x() + 10, r.height() - 20}, "expanded island black low on the left"},
                 {true, {r.right() - 10, 5}, "expanded island black at the top right"},
                 {false, {r.x() - 20, r.height() / 2}, "transparent beside the expanded island"},
                 {false, {r.x() + 2, r.height() - 3}, "rounded bottom-left corner"}});

    click(200, 600);
    check(waitFor([&] { return model.state() == IslandState::compact; }),
          "a click elsewhere collapses the expanded island");
    check(waitFor([&] { return desktopClicks() == 2; }), "that click reached the window below too");
    check(waitFor(settled), "the collapse settles");

    // Overlay card.
    int contentPresses = 0;
    OverlayWindowController overlay(
        [&contentPresses](QWidget* p) -> QWidget* {
            return new Column({{"Checklist", "white"},
                               {"Trend on the 15-minute chart agrees", "#d1d5db"},
                               {"Stop placed beyond the last swing", "#d1d5db"}},
                              p, &contentPresses);
        },
        Size{640, 400}, scheduler, keyboard);
    std::vector<bool> reports;
    overlay.onVisibilityChange = [&](bool visible) { reports.push_back(visible); };
    auto fadedIn = [&] { return overlay.rootView() && overlay.rootView()->fade() == 1; };
    auto gone = [&] { return overlay.panel() == nullptr; };
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
        return image.pixelColor(r.x() + 10, 2) == QColor(Qt::black) &&
               image.pixelColor(r.right() - 22, r.height() - 2) == QColor(Qt::black);
    };
    QImage shot = screenshot(folder + "/island-overlay.png", [&](const QImage& image) {
        return cardOnScreen(image) && dimmed(image) && islandOnTop(image);
    });
    check(cardOnScreen(shot), "the card is near black");
    check(dimmed(shot), "the backdrop is dimmed");
    check(islandOnTop(shot), "the island stays on top of the card");

    // A click in the card's 20-point margin, then one on its content: once
    // the content has its click, the margin's has been handled too.
    const int clicksBefore = desktopClicks();
    click(card.x() + 8, card.y() + 8);
    click(card.x() + 60, card.y() + 60);
    check(waitFor([&] { return contentPresses == 1; }) && overlay.isPresented(),
          "a click in the card's margin does not dismiss");
    // The fade's length is the widget tests' concern, on their manual clock.
    click(100, 700);
    check(waitFor([&] { return !overlay.isPresented(); }), "a click on the backdrop dismisses");
    check(waitFor([&] { return reports.size() == 2; }) && reports.back() == false,
          "onVisibilityChange(false) after the fade-out");
    check(desktopClicks() == clicksBefore, "the backdrop takes the clicks");
    check(gone(), "the panel is gone");

    overlay.present(screen);
    check(waitFor([&] { return fadedIn() && QGuiApplication::focusWindow() == overlay.panel()->windowHandle(); }),
          "the card takes the keyboard");
    xdotool({"key", "Escape"});
    check(waitFor([&] { return !overlay.isPresented(); }), "Escape dismisses the card");
    check(waitFor(gone), "and it fades out");

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
    check(cardOnScreen(screenshot(folder + "/overlay-after-refade.png", cardOnScreen)), "the new card is on screen");
    QFile::remove(folder + "/overlay-after-refade.png");
    overlay.dismiss();
    check(waitFor(gone), "the new card goes too");

    // The application collapses the island and opens a card in one turn. The
    // backdrop must show the desktop where the expanded island was, blurred
    // and dimmed like the rest, not a black ghost of it.
    model.expand();
    check(waitFor(settled), "expanded again");
    model.collapse();
    overlay.present(screen);
    check(waitFor(fadedIn), "the card over a collapsing island fades in");
    const QPoint oldIsland(r.center().x(), 150);
    auto noGhost = [&](const QImage& image) {
        return near(image.pixelColor(oldIsland), image.pixelColor(100, 150), 6) &&
               !nearBlack(image.pixelColor(oldIsland));
    };
    check(noGhost(screenshot(folder + "/overlay-after-collapse.png", noGhost)),
          "where the expanded island was, the backdrop is the blurred desktop" + at(oldIsland));
    QFile::remove(folder + "/overlay-after-collapse.png");
    overlay.dismiss();
    check(waitFor(gone), "that card goes too");

    return cleanUp(finish());
}
