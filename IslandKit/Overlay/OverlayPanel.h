#pragma once

#include "IslandKit/Window/FloatingPanel.h"

namespace IslandKit {

// The full-screen window of an overlay card. It may take the keyboard (the
// card's text fields need it); Escape calls `onCancel`.
class OverlayPanel final : public FloatingPanel {
public:
    OverlayPanel() { setFocusPolicy(Qt::StrongFocus); }
};

}  // namespace IslandKit
