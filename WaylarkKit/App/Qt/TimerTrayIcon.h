#pragma once

#include <QIcon>

namespace WaylarkKit {

// The "timer" for the desktop's tray. A Linux tray gives no reliable word on
// whether its panel is light or dark, so the white glyph wears a dark outline
// that reads on either. It is drawn anew at whatever size and pixel ratio the
// tray asks for.
QIcon timerTrayIcon();

}  // namespace WaylarkKit
