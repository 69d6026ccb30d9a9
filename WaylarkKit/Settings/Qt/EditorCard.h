#pragma once

#include <functional>
#include <memory>

#include "Base/Scheduler.h"
#include "IslandKit/Overlay/OverlayWindowController.h"

class QScreen;

namespace SettingsKit {
class SettingsModel;
}

namespace WaylarkKit {

class NewsRulesEditorModel;
class TimingEditorModel;

// A settings editor in its centred overlay card, made once and presented
// again on every request. Presenting starts the editor afresh; however the
// card goes ("Done", a click beside it, Escape), its closing drops what was
// half typed and saves the settings at once.
class EditorCard {
public:
    // 640 x 400: windows of the profiles, custom times and macros.
    static std::unique_ptr<EditorCard> timing(SettingsKit::SettingsModel& settings, TimingEditorModel& editor,
                                              Base::Scheduler& scheduler);
    // 640 x 400: the news-blackout rule.
    static std::unique_ptr<EditorCard> newsRule(SettingsKit::SettingsModel& settings, NewsRulesEditorModel& editor,
                                                Base::Scheduler& scheduler);
    // 520 x 420: the greeting; `onTry` plays it in the island.
    static std::unique_ptr<EditorCard> greeting(SettingsKit::SettingsModel& settings, Base::Scheduler& scheduler,
                                                std::function<void()> onTry);

    EditorCard(const EditorCard&) = delete;
    EditorCard& operator=(const EditorCard&) = delete;

    void present(QScreen* screen);
    void dismiss() { controller_->dismiss(); }
    bool isPresented() const { return controller_->isPresented(); }
    IslandKit::OverlayWindowController& controller() { return *controller_; }

    // True when the card is shown, false once it has gone, before the editor
    // closes up; whoever tracks an open editor listens here.
    std::function<void(bool)> onVisibilityChange;

private:
    using Maker = std::function<QWidget*(QWidget* parent, std::function<void()> onDone)>;
    EditorCard(Maker content, IslandKit::Size size, Base::Scheduler& scheduler, std::function<void()> opening,
               std::function<void()> closing);

    std::function<void()> opening_;
    std::function<void()> closing_;
    std::unique_ptr<IslandKit::OverlayWindowController> controller_;
};

}  // namespace WaylarkKit
