#pragma once

#include <functional>

#include "Base/Scheduler.h"
#include "IslandKit/Geometry/Rect.h"
#include "WaylarkKit/Motion/ReduceMotion.h"

class QWidget;

namespace SettingsKit {
class SettingsModel;
}

namespace WaylarkKit {

class NewsRulesEditorModel;
class TimingEditorModel;

// What a settings editor's overlay card is made of: the editor, the card's
// size and what runs as the card opens and as it goes. Every opening starts
// the editor afresh; however the card goes ("Done", a click beside it,
// Escape), its closing drops what was half typed and saves the settings at
// once, not after the settings' usual delay.
struct EditorCard {
    // Makes the editor inside `parent`; its "Done" calls `onDone`.
    std::function<QWidget*(QWidget* parent, std::function<void()> onDone)> content;
    IslandKit::Size size;
    std::function<void()> opening;
    std::function<void()> closing;

    // 640 x 400: windows of the profiles, custom times and macros.
    static EditorCard timing(SettingsKit::SettingsModel& settings, TimingEditorModel& editor,
                             Base::Scheduler& scheduler);
    // 640 x 400: the news-blackout rule.
    static EditorCard newsRule(SettingsKit::SettingsModel& settings, NewsRulesEditorModel& editor);
    // 520 x 420: the greeting; `onTry` plays it in the island.
    static EditorCard greeting(SettingsKit::SettingsModel& settings, Base::Scheduler& scheduler,
                               std::function<void()> onTry, ReduceMotionFlag reduceMotion);
};

}  // namespace WaylarkKit
