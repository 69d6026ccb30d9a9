#pragma once

#include <QPointer>

#include "IslandKit/Window/FloatingPanel.h"

namespace IslandKit {

// The full-screen window of an overlay card. It takes the keyboard as it
// shows and again on a click into one of its fields, until it lets go;
// Escape calls `onCancel`.
class OverlayPanel final : public FloatingPanel {
public:
    OverlayPanel() { setFocusPolicy(Qt::StrongFocus); }

    // The card is going: its views give up the keyboard at once, and a key
    // or a click that still reaches the panel while it fades out goes nowhere.
    void letGo();
    // Keys typed before the keyboard has moved on still reach this panel as
    // it fades; they go on to `panel`, the card that has the keyboard now,
    // until a click chooses a field anywhere: later keys were typed there.
    void passKeysTo(QWidget* panel) {
        keysTo_ = panel;
        takingsAtPass_ = clickTakings();
    }

    bool canBecomeKey() const override { return !lettingGo_; }

protected:
    bool event(QEvent* event) override;

private:
    bool lettingGo_ = false;
    QPointer<QWidget> keysTo_;
    int takingsAtPass_ = 0;
};

}  // namespace IslandKit
