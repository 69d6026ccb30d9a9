#pragma once

#include <functional>

#include <QHBoxLayout>

#include "WaylarkKit/Settings/Qt/EditorWidgets.h"

namespace WaylarkKit::EditorButtons {

// "Done": black on a white capsule, the same in every editor.
CapsuleButton* done(QWidget* parent, std::function<void()> onDone);
// The row at an editor's foot: "Done" on the right and, when `onRestore` is
// given, "Restore defaults" on the left.
struct Footer {
    QHBoxLayout* layout;
    CapsuleButton* restore;
    CapsuleButton* done;
};
Footer footer(QWidget* parent, std::function<void()> onRestore, std::function<void()> onDone);
// The two-click "Restore defaults", orange while armed.
CapsuleButton::Look restoreLook(bool armed);
// A stepper's minus or plus, dimmed at its end of the range.
CapsuleButton::Look stepLook(bool plus, bool enabled);
// A chip with its check box: `colour` tints the box while on; a locked chip
// (or one that may not be ticked now) draws its title dimmer.
CapsuleButton::Look chipLook(const QString& title, const QColor& colour, bool isOn, bool locked);

}  // namespace WaylarkKit::EditorButtons
