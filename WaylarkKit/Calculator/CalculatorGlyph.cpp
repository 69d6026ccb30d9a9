#include "WaylarkKit/Calculator/CalculatorGlyph.h"

namespace WaylarkKit {

CalculatorGlyph CalculatorGlyph::shape(double canvasWidth, double canvasHeight) {
    CalculatorGlyph glyph{};
    glyph.body = {1, 0.5, canvasWidth - 2, canvasHeight - 1};
    glyph.display = {glyph.body.x + 2, glyph.body.y + 2, glyph.body.width - 4, 2.6};
    // The outer keys line up with the display's edges; the two gaps are equal.
    const double pitch = ((glyph.body.width - 4) - 3 * keySide) * 0.5 + keySide;
    const double firstRow = glyph.display.maxY() + 2;
    const double rows[2] = {firstRow, firstRow + 3.2};
    for (int row = 0; row < 2; ++row) {
        for (int column = 0; column < 3; ++column) {
            glyph.keys[static_cast<std::size_t>(row * 3 + column)] = {glyph.body.x + 2 + column * pitch, rows[row],
                                                                      keySide, keySide};
        }
    }
    return glyph;
}

}  // namespace WaylarkKit
