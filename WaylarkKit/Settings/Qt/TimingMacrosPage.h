#pragma once

#include <array>

#include <QWidget>

#include "WaylarkKit/Settings/Qt/TimingEditorFields.h"
#include "WaylarkKit/Settings/TimingEditorContent.h"

namespace WaylarkKit {

// The hourly macros (always on) and the two named macros, each switched on or
// off with one click anywhere on its row.
class TimingMacrosPage : public QWidget {
public:
    TimingMacrosPage(QWidget* parent, TimingEditorContext& context);
    void refresh();

    // Hourly, lunch, final.
    PaintedButton* row(std::size_t index) const { return rows_[index]; }

private:
    TimingEditorContext& context_;
    std::array<PaintedButton*, 3> rows_{};
};

// One macro row painted into `bounds` (its padding and background included).
void paintMacroRow(QPainter& painter, const QRectF& bounds, const MacroRowContent& row);

}  // namespace WaylarkKit
