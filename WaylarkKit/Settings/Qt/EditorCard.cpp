#include "WaylarkKit/Settings/Qt/EditorCard.h"

#include "SettingsKit/SettingsModel.h"
#include "WaylarkKit/Settings/NewsRulesEditorModel.h"
#include "WaylarkKit/Settings/Qt/GreetingEditorView.h"
#include "WaylarkKit/Settings/Qt/NewsRulesEditorView.h"
#include "WaylarkKit/Settings/Qt/TimingEditorView.h"
#include "WaylarkKit/Settings/TimingEditorModel.h"

namespace WaylarkKit {

EditorCard::EditorCard(Maker content, IslandKit::Size size, Base::Scheduler& scheduler,
                       std::function<void()> opening, std::function<void()> closing)
    : opening_(std::move(opening)), closing_(std::move(closing)) {
    // The content is made anew for each presentation; its "Done" dismisses
    // this card, which outlives every content it makes.
    auto maker = [this, content = std::move(content)](QWidget* parent) {
        return content(parent, [this] { dismiss(); });
    };
    controller_ = std::make_unique<IslandKit::OverlayWindowController>(std::move(maker), size, scheduler);
    controller_->onVisibilityChange = [this](bool visible) {
        if (onVisibilityChange) onVisibilityChange(visible);
        if (!visible && closing_) closing_();
    };
}

void EditorCard::present(QScreen* screen) {
    if (controller_->isPresented()) return;
    if (opening_) opening_();
    controller_->present(screen);
}

std::unique_ptr<EditorCard> EditorCard::timing(SettingsKit::SettingsModel& settings, TimingEditorModel& editor,
                                               Base::Scheduler& scheduler) {
    auto content = [&settings, &editor, &scheduler](QWidget* parent, std::function<void()> onDone) -> QWidget* {
        return new TimingEditorView(settings, editor, scheduler, std::move(onDone), parent);
    };
    auto opening = [&editor] {
        editor.reset();
        editor.setSection(TimingEditorModel::Section::profile);
    };
    auto closing = [&settings, &editor] {
        editor.reset();
        settings.normalize();
        settings.flush();
    };
    return std::unique_ptr<EditorCard>(new EditorCard(content, {640, 400}, scheduler, opening, closing));
}

std::unique_ptr<EditorCard> EditorCard::newsRule(SettingsKit::SettingsModel& settings, NewsRulesEditorModel& editor,
                                                 Base::Scheduler& scheduler) {
    auto content = [&settings, &editor](QWidget* parent, std::function<void()> onDone) -> QWidget* {
        return new NewsRulesEditorView(settings, editor, std::move(onDone), parent);
    };
    auto opening = [&editor] { editor.disarm(); };
    auto closing = [&settings, &editor] {
        editor.disarm();
        settings.flush();
    };
    return std::unique_ptr<EditorCard>(new EditorCard(content, {640, 400}, scheduler, opening, closing));
}

std::unique_ptr<EditorCard> EditorCard::greeting(SettingsKit::SettingsModel& settings, Base::Scheduler& scheduler,
                                                 std::function<void()> onTry) {
    auto content = [&settings, &scheduler, onTry](QWidget* parent, std::function<void()> onDone) -> QWidget* {
        return new GreetingEditorView(settings, scheduler, onTry, std::move(onDone), parent);
    };
    auto closing = [&settings] {
        settings.normalize();
        settings.flush();
    };
    return std::unique_ptr<EditorCard>(new EditorCard(content, {520, 420}, scheduler, {}, closing));
}

}  // namespace WaylarkKit
