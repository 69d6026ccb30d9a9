// The callbacks wired once, the editor cards and the new-display prompt.

#include "WaylarkKit/App/DisplayPlan.h"
#include "WaylarkKit/App/Qt/AppDelegate.h"
#include "WaylarkKit/App/Qt/DisplayChoiceView.h"
#include "WaylarkKit/Calculator/Qt/InstrumentEditorView.h"
#include "WaylarkKit/Checklist/Qt/ChecklistEditorView.h"
#include "WaylarkKit/TextField/Qt/EditableText.h"
#include "WaylarkKit/Settings/Qt/EditorCard.h"

namespace WaylarkKit {

namespace {

constexpr const char* newChecklistName = "New checklist";

}  // namespace

void AppDelegate::wireSharedCallbacks() {
    if (sharedCallbacksWired_) return;
    sharedCallbacksWired_ = true;
    calculator().setOnEditingEnded([this] {
        if (activeHost_) activeHost_->window->releaseKeyboard();
    });
    calculator().setOnOpenInstrumentEditor([this] { openInstrumentEditor(); });
    timing().setOnOpenTab([this](L2Tab tab) { handleOpen(tab); });
    checklistUI_.resetHold().setOnComplete([&checklist = checklist_] { checklist.resetActive(); });
    checklistUI_.setOnOpenEditor([this](const EditorRequest& request) { openEditor(request); });
    timing().setOnOpenTimingEditor([this] { openTimingEditor(); });
    timing().setOnOpenNewsEditor([this] { openNewsRulesEditor(); });
    timing().setOnOpenGreetingEditor([this] { openGreetingEditor(); });
}

std::unique_ptr<OverlayCard> AppDelegate::makeCard(
    const std::function<IslandKit::IslandView(std::function<void()> onDone)>& content, IslandKit::Size size,
    std::function<void()> onHidden) {
    // The content dismisses its own card; the card owns the content, so the
    // content can never call on a card that is gone.
    auto box = std::make_shared<OverlayCard*>(nullptr);
    auto card = environment_.makeOverlayCard(content([box] {
                                                 if (*box) (*box)->dismiss();
                                             }),
                                             size);
    *box = card.get();
    card->onVisibilityChange = [this, raw = card.get(), onHidden = std::move(onHidden)](bool visible) {
        cardVisibilityChanged(raw, visible);
        if (!visible && onHidden) onHidden();
    };
    return card;
}

void AppDelegate::cardVisibilityChanged(const OverlayCard* card, bool visible) {
    // Several cards may be up at once: the flag holds while any of them is.
    if (visible) {
        visibleCards_.insert(card);
    } else {
        visibleCards_.erase(card);
    }
    timing().setEditorOpen(!visibleCards_.empty());
}

void AppDelegate::present(std::unique_ptr<OverlayCard>& card, const std::function<std::unique_ptr<OverlayCard>()>& make,
                          const ScreenRef& screen) {
    collapseAll();
    if (!card) card = make();
    card->present(screen);
}

void AppDelegate::openInstrumentEditor() {
    const auto screen = overlayScreen();
    if (!screen) return;
    instrumentEditorModel().endEditing();
    if (activeHost_) activeHost_->window->releaseKeyboard();
    present(
        instrumentOverlay_,
        [this] {
            return makeCard(
                [this](std::function<void()> onDone) -> IslandKit::IslandView {
                    return [this, onDone](QWidget* parent) {
                        return new InstrumentEditorView(instrumentEditorModel(), scheduler_, onDone, parent);
                    };
                },
                instrumentEditorCard,
                [this] {
                    instrumentEditorModel().endEditing();
                    settings_.flush();
                });
        },
        *screen);
}

void AppDelegate::openEditor(const EditorRequest& request) {
    const auto screen = overlayScreen();
    // Without a screen nothing happens: no checklist is selected or made.
    if (!screen) return;
    if (request.kind == EditorRequest::Kind::edit) {
        checklist_.selectTemplate(request.templateID);
    } else if (checklist_.createTemplate(newChecklistName)) {
        editorModel_.setFocusName(true);
    }
    present(
        editorOverlay_,
        [this] {
            return makeCard(
                [this](std::function<void()> onDone) -> IslandKit::IslandView {
                    return [this, onDone](QWidget* parent) {
                        auto* view = new ChecklistEditorView(checklist_, editorModel_, scheduler_, parent);
                        view->setOnDone(onDone);
                        return view;
                    };
                },
                checklistEditorCard,
                [this] {
                    editorModel_.disarm();
                    editorModel_.closeChoiceEditor();
                    checklist_.normalize();
                    checklist_.flush();
                });
        },
        *screen);
}

void AppDelegate::openSettingsEditor(std::unique_ptr<OverlayCard>& overlay, const EditorCard& editor) {
    const auto screen = overlayScreen();
    if (!screen) return;
    if (editor.opening) editor.opening();
    present(
        overlay,
        [this, &editor] {
            return makeCard(
                [content = editor.content](std::function<void()> onDone) -> IslandKit::IslandView {
                    return [content, onDone](QWidget* parent) { return content(parent, onDone); };
                },
                editor.size, editor.closing);
        },
        *screen);
}

void AppDelegate::openTimingEditor() {
    openSettingsEditor(timingOverlay_, EditorCard::timing(settings_, timingEditorModel_, scheduler_));
}

void AppDelegate::openNewsRulesEditor() {
    openSettingsEditor(newsRulesOverlay_, EditorCard::newsRule(settings_, newsRulesEditorModel_));
}

void AppDelegate::openGreetingEditor() {
    openSettingsEditor(greetingOverlay_,
                       EditorCard::greeting(
                           settings_, scheduler_, [this] { timing().previewGreeting(); },
                           environment_.views.reduceMotion));
}

void AppDelegate::askAboutNewDisplay() {
    if (!isActive_) return;
    if (displayChoiceOverlay_ && displayChoiceOverlay_->isPresented()) return;
    // No question while an editor or another prompt is up.
    if (timing().isEditorOpen()) return;
    const auto displays = connectedDisplays();
    const auto display = DisplayPlan::nextToAsk(displays, settings_.displayChoices(), askedDisplays_);
    if (!display) return;
    // The prompt opens on the built-in display when there is one: the new display has no island yet.
    const auto builtIn = std::ranges::find_if(displays, [](const DisplayInfo& d) { return d.isBuiltIn; });
    const ScreenRef screen{builtIn != displays.end() ? builtIn->id : displays.front().id};
    askedDisplays_.insert(display->id);
    collapseAll();
    auto onAnswer = [this, asked = *display, displays](DisplayAnswer answer, const std::function<void()>& dismiss) {
        settings_.setDisplayChoices(DisplayPlan::choices(answer, asked, displays, settings_.displayChoices()));
        settings_.flush();
        dismiss();
        syncDisplays();
    };
    auto box = std::make_shared<OverlayCard*>(nullptr);
    auto card = environment_.makeOverlayCard(
        [name = display->name, titles = DisplayPlan::buttonTitles(*display, displays), onAnswer, box](QWidget* parent) {
            return new DisplayChoiceView(
                name, titles,
                [onAnswer, box](DisplayAnswer answer) {
                    onAnswer(answer, [box] {
                        if (*box) (*box)->dismiss();
                    });
                },
                parent);
        },
        displayChoiceCard);
    *box = card.get();
    card->onVisibilityChange = [this, raw = card.get()](bool visible) {
        cardVisibilityChanged(raw, visible);
        // Displays connected together are asked about one after the other.
        if (!visible) askAboutNewDisplay();
    };
    retiredDisplayChoice_ = std::move(displayChoiceOverlay_);
    displayChoiceOverlay_ = std::move(card);
    displayChoiceOverlay_->present(screen);
}

}  // namespace WaylarkKit
