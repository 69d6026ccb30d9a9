// Shows the showreel's backdrop over a window on an X server, clicks through
// it with xdotool and checks that the window below received the click, that
// the backdrop covers it and that the pointer was parked in the corner; saves
// a screenshot of the screen.
// Usage: ShowreelBackdropCheck <screenshot path>

#include <cstdio>
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

    WaylarkKit::ShowreelBackdrop backdrop;
    backdrop.show(screen);
    wait(500);
    check(QCursor::pos() == QPoint(frame.right() - 1, frame.bottom() - 1), "the pointer is parked in the corner");

    const QImage shot = screen->grabWindow(0).toImage();
    const QColor centre = shot.pixelColor(target.geometry().center());
    check(centre.green() < 200 || centre.red() > 60, "the backdrop covers the window below");
    check(shot.pixelColor(frame.width() / 2, 1).red() > 190, "the top of the screen is burnt orange");
    check(shot.save(QString::fromLocal8Bit(argv[1])), "screenshot saved");

    const QPoint click = target.geometry().center();
    QProcess::execute("xdotool", {"mousemove", QString::number(click.x()), QString::number(click.y()), "click", "1"});
    check(waitFor([&] { return target.presses == 1; }), "a click on the backdrop reaches the window below");
    return failures == 0 ? 0 : 1;
}
