#pragma once

#include "Base/Scheduler.h"
#include "IslandKit/Overlay/OverlayWindowController.h"
#include "WaylarkKit/App/AppPlatform.h"

namespace WaylarkKit {

// An editor's card on a real screen.
class QtOverlayCard final : public OverlayCard {
public:
    QtOverlayCard(IslandKit::IslandView content, IslandKit::Size cardSize, Base::Scheduler& scheduler,
                  IslandKit::KeyboardHandover& keyboard);

    void present(const ScreenRef& screen) override;
    void dismiss() override { controller_.dismiss(); }
    bool isPresented() const override { return controller_.isPresented(); }

    IslandKit::OverlayWindowController& controller() { return controller_; }

private:
    IslandKit::OverlayWindowController controller_;
};

}  // namespace WaylarkKit
