// The status item's icon docked in a real tray on an X server: trayer tinted
// white and tinted dark, as light and dark desktop themes draw their panels.
// Checks that the icon stands out from each panel and saves the panel,
// enlarged four times without smoothing so that its pixels can be seen
// (tray-light.png, tray-dark.png).
// Usage: TrayIconScreens <screenshot folder>

#include <memory>
#include <utility>

#include <QProcess>
#include <QScreen>
#include <QSystemTrayIcon>

#include "WaylarkKit/App/Qt/StatusItemController.h"
#include "WaylarkKit/tests/App/Qt/AppFakes.h"
#include "WaylarkKit/tests/support/StandingOut.h"
#include "WaylarkKit/tests/xvfb/support/XvfbDriving.h"

using namespace WaylarkKit;
using namespace WaylarkKit::Xvfb;

namespace {

constexpr int panelWidth = 72;
constexpr int panelHeight = 24;
constexpr int enlargement = 4;

}  // namespace

int main(int argc, char** argv) {
    Driver driver(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    const int screenWidth = QGuiApplication::primaryScreen()->geometry().width();
    const QRect panel(screenWidth - panelWidth, 0, panelWidth, panelHeight);
    const struct {
        const char* name;
        const char* tint;
    } themes[] = {{"tray-light", "0xffffff"}, {"tray-dark", "0x2b2b2b"}};
    for (const auto& [name, tint] : themes) {
        // An opaque tint: trayer's pseudo-transparency with nothing let through.
        QProcess trayer;
        trayer.start("trayer", {"--edge", "top", "--align", "right", "--widthtype", "pixel", "--width",
                                QString::number(panelWidth), "--heighttype", "pixel", "--height",
                                QString::number(panelHeight), "--transparent", "true", "--alpha", "0", "--tint",
                                tint});
        check(waitFor(QSystemTrayIcon::isSystemTrayAvailable), std::string(name) + ": trayer holds the tray");
        {
            StatusItemController item(std::make_unique<WaylarkKitTest::FakeLoginItem>(), {}, {}, {}, {});
            QSystemTrayIcon& icon = item.trayIcon();
            check(waitFor([&] { return panel.contains(icon.geometry()); }),
                  std::string(name) + ": the icon docks, " + std::to_string(icon.geometry().width()) + " by " +
                      std::to_string(icon.geometry().height()));
            QImage shot = grab(panel);
            check(waitFor([&] { return std::exchange(shot, grab(panel)) == shot; }),
                  std::string(name) + ": the tray has drawn it");
            const QRect inShot = icon.geometry().translated(-panel.topLeft());
            // The panel's own colour, beside the icon.
            const QColor background = shot.pixelColor(inShot.left() > 2 ? 1 : shot.width() - 2, 1);
            check(WaylarkKitTest::standingOut(shot, inShot, background) >= 0.15,
                  std::string(name) + ": the icon stands out from the panel " + background.name().toStdString());
            QImage enlarged = shot.scaled(shot.size() * enlargement, Qt::IgnoreAspectRatio, Qt::FastTransformation);
            enlarged.setText("Description", QString("The tray's panel at %1 times its size, pixels enlarged without "
                                                    "smoothing")
                                                .arg(enlargement));
            check(enlarged.save(driver.folder + "/" + name + ".png"), std::string(name) + ": screenshot saved");
        }
        trayer.terminate();
        trayer.waitForFinished();
    }
    return finish();
}
