#include "WaylarkKit/Style/Qt/MenuLook.h"

#include <QMenu>

#include "WaylarkKit/Style/Palette.h"
#include "WaylarkKit/Style/Qt/Fonts.h"
#include "WaylarkKit/Style/Qt/QtColor.h"

namespace WaylarkKit {

namespace {

constexpr double fontSize = 13;

QString css(const Rgba& colour) { return toQColor(colour).name(QColor::HexArgb); }

}  // namespace

void giveIslandLook(QMenu& menu) {
    // Round corners need a window without the system's frame and with a see-through background.
    menu.setWindowFlags(menu.windowFlags() | Qt::FramelessWindowHint | Qt::NoDropShadowWindowHint);
    menu.setAttribute(Qt::WA_TranslucentBackground);
    menu.setFont(interFont(fontSize));
    const QString sheet = QStringLiteral(R"(
QMenu { background-color: %1; border: 1px solid %2; border-radius: 8px; padding: 4px 0px; }
QMenu::item { color: %3; background: transparent; padding: 5px 18px 5px 8px; }
QMenu::item:disabled { color: %4; }
QMenu::item:selected { background: %5; }
QMenu::separator { height: 1px; background: %2; margin: 4px 8px; }
QMenu::indicator { width: 14px; height: 14px; padding-left: 6px; }
)")
                              .arg(css(Palette::black), css(Palette::white.withOpacity(0.12)),
                                   css(Palette::white.withOpacity(0.9)), css(Palette::secondary),
                                   css(Palette::white.withOpacity(0.12)));
    menu.setStyleSheet(sheet);
}

}  // namespace WaylarkKit
