// Shows the showreel's backdrop over a window on an X server: checks its
// panels, gradient and parked pointer, clicks through it with xdotool to the
// window below, and saves a screenshot of the screen.
// Usage: ShowreelBackdropCheck <screenshot path>

#include <QCursor>
#include <QScreen>
#include <QWindow>

#include "WaylarkKit/Showreel/Qt/ShowreelBackdrop.h"
#include "WaylarkKit/tests/xvfb/support/XvfbDriving.h"

using namespace WaylarkKit::Xvfb;

namespace {

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
    const auto at = [&](int y) { return shot.pixelColor(frame.width() / 2, y); };
    check(near(at(0), QColor::fromRgbF(0.83f, 0.41f, 0.16f), 3), "the top is burnt orange");
    check(near(at((frame.height() - 1) / 2), QColor::fromRgbF(0.55f, 0.24f, 0.42f), 3), "the middle is plum");
    check(near(at(frame.height() - 1), QColor::fromRgbF(0.17f, 0.11f, 0.26f), 3), "the bottom is deep violet");
    check(shot.pixelColor(target.geometry().center()) != QColor(Qt::green), "the backdrop covers the window below");
    check(shot.save(QString::fromLocal8Bit(argv[1])), "screenshot saved");

    click(target.geometry().center());
    check(waitFor([&] { return target.presses == 1; }), "a click on the backdrop reaches the window below");
    return finish();
}
