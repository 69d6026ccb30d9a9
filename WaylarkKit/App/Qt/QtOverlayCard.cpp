#include "WaylarkKit/App/Qt/QtOverlayCard.h"

#include "WaylarkKit/App/Qt/QtDisplayEnvironment.h"

namespace WaylarkKit {

QtOverlayCard::QtOverlayCard(IslandKit::IslandView content, IslandKit::Size cardSize, Base::Scheduler& scheduler,
                             IslandKit::KeyboardHandover& keyboard)
    : controller_(std::move(content), cardSize, scheduler, keyboard) {
    // The card lives as long as its controller, which calls only while it lives.
    controller_.onVisibilityChange = [this](bool visible) {
        if (auto callback = onVisibilityChange) callback(visible);
    };
}

void QtOverlayCard::present(const ScreenRef& screen) {
    // A display that went meanwhile: the controller falls back to the main screen.
    controller_.present(QtDisplayEnvironment::screen(screen));
}

}  // namespace WaylarkKit
