#pragma once

#include <string>
#include <vector>

#include <QFont>
#include <QPainter>
#include <QRectF>
#include <QString>

#include "WaylarkKit/L2/PanelFooter.h"
#include "WaylarkKit/L2/StripLook.h"

// How the expanded panel draws its strips and its footer.
namespace WaylarkKit::PanelPainting {

// A strip filling `rect`: its rounded fill, the border inside it and the
// label turned to read from bottom to top, centred, at `labelOpacity`.
void paintStrip(QPainter& painter, const QRectF& rect, const StripLook& look, const QString& label,
                double labelOpacity);

QFont statusFont();
QFont buttonFont();

// The footer's two lines, bottom-aligned in the 36 points of `area`: the
// status line, then the buttons 12 apart with the last at the right edge.
struct FooterLayout {
    QRectF statusLine;
    std::vector<QRectF> buttons;
};
FooterLayout footerLayout(const QRectF& area, const std::vector<PanelFooter::Button>& buttons);

void paintFooter(QPainter& painter, const FooterLayout& layout, const std::string& statusLine,
                 const std::vector<PanelFooter::Button>& buttons);

}  // namespace WaylarkKit::PanelPainting
