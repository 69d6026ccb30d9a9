// Shows the showreel's backdrop over a window on an X server: checks its
// panels, gradient and parked pointer, clicks through it with xdotool to the
// window below, and saves a screenshot of the screen.
// Usage: ShowreelBackdropCheck <screenshot path>

#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>

#include <QApplication>
#include <QCursor>
#include <QEventLoop>
#include <QPainter>
#include <QProcess>
#include <QScreen>
#include <QTimer>
#include <QWidget>
#include <QWindow>

#include "WaylarkKit/Showreel/Qt/ShowreelBackdrop.h"

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

bool waitFor(const std::function<bool()>& done, int ms = 5000) {
    for (int waited = 0; waited < ms && !done(); waited += 20) wait(20);
    return done();
}

// An ordinary window that counts the clicks it receives.
class Target final : public QWidget {
public:
    int presses = 0;

protected:
    void paintEvent(QPaintEvent*) override { QPainter(this).fillRect(rect(), Qt::green); }
    void mousePressEvent(QMouseEvent*) override { ++presses; }
};

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s <screenshot path>\n", argv[0]);
        return 2;
    }
    QApplication application(argc, argv);
    QScreen* screen = QGuiApplication::primaryScreen();
    const QRect frame = screen->geometry();

    Target target;
    target.setGeometry(frame.x() + 200, frame.y() + 200, 300, 200);
    target.show();
    check(waitFor([&] { return target.isVisible() && target.windowHandle() && target.windowHandle()->isExposed(); }),
          "the window below is shown");
    wait(300);

    // Shown twice, it keeps both panels over the whole screen.
    WaylarkKit::ShowreelBackdrop backdrop;
    backdrop.show(screen);
    backdrop.show(screen);
    backdrop.show(nullptr);
    wait(500);
    check(backdrop.panels().size() == 2, "each show on a screen adds a panel");
    for (const auto& panel : backdrop.panels()) {
        check(panel->isVisible() && panel->geometry() == frame, "a panel covers the whole screen");
    }
    check(QCursor::pos() == QPoint(frame.right() - 1, frame.bottom() - 1), "the pointer is parked in the corner");

    // Burnt orange at the top, plum halfway, deep violet at the bottom, over the window below.
    const QImage shot = screen->grabWindow(0).toImage();
    const auto near = [&](int y, QColor expected) {
        const QColor c = shot.pixelColor(frame.width() / 2, y);
        return std::abs(c.red() - expected.red()) <= 3 && std::abs(c.green() - expected.green()) <= 3 &&
               std::abs(c.blue() - expected.blue()) <= 3;
    };
    check(near(0, QColor::fromRgbF(0.83f, 0.41f, 0.16f)), "the top is burnt orange");
    check(near((frame.height() - 1) / 2, QColor::fromRgbF(0.55f, 0.24f, 0.42f)), "the middle is plum");
    check(near(frame.height() - 1, QColor::fromRgbF(0.17f, 0.11f, 0.26f)), "the bottom is deep violet");
    check(shot.pixelColor(target.geometry().center()) != QColor(Qt::green), "the backdrop covers the window below");
    check(shot.save(QString::fromLocal8Bit(argv[1])), "screenshot saved");

    const QPoint click = target.geometry().center();
    QProcess::execute("xdotool", {"mousemove", QString::number(click.x()), QString::number(click.y()), "click", "1"});
    check(waitFor([&] { return target.presses == 1; }), "a click on the backdrop reaches the window below");
    return failures == 0 ? 0 : 1;
}
