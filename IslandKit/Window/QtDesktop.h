#pragma once

#include <QPoint>
#include <QRect>

#include "IslandKit/Geometry/Rect.h"
#include "IslandKit/Window/DesktopSpace.h"

class QScreen;

namespace IslandKit::QtDesktop {

// The desktop space of the running application (from its primary screen).
DesktopSpace space();

Rect toDesktop(const QRect& r);
Point toDesktop(const QPoint& p);
// A position the X server reports in device pixels of the root window.
Point fromNativePixels(int x, int y);
QRect toWindowSystem(const Rect& r);

}  // namespace IslandKit::QtDesktop
