#pragma once

#include <functional>

#include <QWidget>

namespace IslandKit {

// The full-screen window of an overlay card. It may take the keyboard (the
// card's text fields need it) without activating anything on being shown;
// Escape calls `onCancel`.
class OverlayPanel final : public QWidget {
public:
    OverlayPanel();

    std::function<void()> onCancel;

protected:
    void keyPressEvent(QKeyEvent* event) override;
};

}  // namespace IslandKit
