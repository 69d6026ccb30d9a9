#include "WaylarkKit/Settings/Qt/EditorCard.h"

#include "SettingsKit/SettingsModel.h"
#include "WaylarkKit/Settings/NewsRulesEditorModel.h"
#include "WaylarkKit/Settings/Qt/GreetingEditorView.h"
#include "WaylarkKit/Settings/Qt/NewsRulesEditorView.h"
#include "WaylarkKit/Settings/Qt/TimingEditorView.h"
#include "WaylarkKit/Settings/TimingEditorModel.h"

namespace WaylarkKit {

EditorCard EditorCard::timing(SettingsKit::SettingsModel& settings, TimingEditorModel& editor,
                              Base::Scheduler& scheduler) {
    return {
        [&settings, &editor, &scheduler](QWidget* parent, std::function<void()> onDone) -> QWidget* {
            return new TimingEditorView(settings, editor, scheduler, std::move(onDone), parent);
        },
        {640, 400},
        [&editor] {
            editor.reset();
            editor.setSection(TimingEditorModel::Section::profile);
        },
        [&settings, &editor] {
            editor.reset();
            settings.normalize();
            settings.flush();
        },
    };
}

EditorCard EditorCard::newsRule(SettingsKit::SettingsModel& settings, NewsRulesEditorModel& editor) {
    return {
        [&settings, &editor](QWidget* parent, std::function<void()> onDone) -> QWidget* {
            return new NewsRulesEditorView(settings, editor, std::move(onDone), parent);
        },
        {640, 400},
        [&editor] { editor.disarm(); },
        [&settings, &editor] {
            editor.disarm();
            settings.flush();
        },
    };
}

EditorCard EditorCard::greeting(SettingsKit::SettingsModel& settings, Base::Scheduler& scheduler,
                                std::function<void()> onTry, ReduceMotionFlag reduceMotion) {
    return {
        [&settings, &scheduler, onTry = std::move(onTry), reduceMotion = std::move(reduceMotion)](
            QWidget* parent, std::function<void()> onDone) -> QWidget* {
            return new GreetingEditorView(settings, scheduler, onTry, std::move(onDone), parent, reduceMotion);
        },
        {520, 420},
        {},
        [&settings] {
            settings.normalize();
            settings.flush();
        },
    };
}

}  // namespace WaylarkKit
