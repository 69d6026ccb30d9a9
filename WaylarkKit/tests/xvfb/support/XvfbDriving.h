// What the app's drivers of real windows on an X server share: the island's
// checks, waits and input with the pauses these drivers expect, screen grabs
// after the compositor's repaint, and the plain windows that stand in for the
// desktop and the island's black slab.
#pragma once

#include <functional>
#include <string>

#include <QApplication>
#include <QColor>
#include <QImage>
#include <QPainter>
#include <QRect>
#include <QStringList>
#include <QWidget>

#include "IslandKit/tests/support/WindowDriving.h"

namespace WaylarkKit::Xvfb {

using IslandKitTest::check;
using IslandKitTest::finish;
using IslandKitTest::near;
using IslandKitTest::run;
using IslandKitTest::wait;

// Runs the event loop until `done` holds or `ms` have passed.
bool waitFor(const std::function<bool()>& done, int ms = 5000);

// xdotool, then a moment for the X server's events to reach the windows.
void xdotool(const QStringList& arguments);
void click(QPoint global);
// Clicks and waits until `landed` holds.
bool click(QPoint global, const std::function<bool()>& landed);
inline QPoint centre(const QWidget& widget, const QRectF& local) {
    return widget.mapToGlobal(local.center().toPoint());
}
void type(const QString& text);

// The screen's pixels in `area`, once the compositor has drawn the last repaint.
QImage grab(const QRect& area);
QImage grab(const QWidget& window);
// The whole screen through ImageMagick, saved to `path`, after `settleMs`.
QImage screenshot(const QString& path, int settleMs = 300);

// The process's CPU time, user and system, in seconds, spent while the
// event loop runs for `seconds`.
double cpuOver(double seconds);

// The real windows use the X server whatever the test run asks of Qt; sets up
// the fonts and returns the folder named by the first argument, created.
struct Driver {
    Driver(int& argc, char** argv);
    QString folder;
    QApplication application;
};

// A frameless window painted by a function, e.g. a desktop under the windows.
class Painted final : public QWidget {
public:
    using Paint = std::function<void(QPainter&, const QRect&)>;
    explicit Painted(Paint paint, Qt::WindowFlags flags = {}, bool translucent = false);
    // Covers the primary screen, shown.
    void cover();

protected:
    void paintEvent(QPaintEvent*) override;

private:
    Paint paint_;
};

// The island's black rounded slab, for a translucent window; with
// `squareTop` its top corners run off the screen's edge.
Painted::Paint slab(int radius, bool squareTop);
inline constexpr Qt::WindowFlags floating = Qt::WindowStaysOnTopHint | Qt::Tool;

// Counts the paint events and the moves and resizes a widget receives.
class PaintCounter final : public QObject {
public:
    explicit PaintCounter(QObject* watched);
    int paints = 0;
    int geometry = 0;

protected:
    bool eventFilter(QObject*, QEvent* event) override;
};

}  // namespace WaylarkKit::Xvfb
