#pragma once

#include <functional>

#include <QWidget>

namespace IslandKit {

// A borderless window that floats above the others, is never activated by
// being shown, and turns Escape into `onCancel`. The island's panel and the
// overlay card's panel both stand on it.
class FloatingPanel : public QWidget {
public:
    FloatingPanel();

    std::function<void()> onCancel;

protected:
    void keyPressEvent(QKeyEvent* event) override;
};

}  // namespace IslandKit
