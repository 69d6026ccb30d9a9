#pragma once

#include <array>
#include <functional>

#include <QWidget>

#include "Base/Observable.h"
#include "Base/Scheduler.h"
#include "WaylarkKit/Motion/ReduceMotion.h"
#include "WaylarkKit/Settings/GreetingEditorState.h"

namespace SettingsKit {
class SettingsModel;
}

namespace WaylarkKit {

class CapsuleButton;
class EditableText;
class FieldBox;
class GreetingWordView;
class PaintedButton;
class TextLine;

// The preview of the greeting in the island: the left text ending at the
// notch's gap and the name starting after it, on a black bar that dims while
// the greeting is switched off. "Try it" plays the real greeting words in
// its two halves for the greeting's length; then the still texts return.
class GreetingPreviewBar : public QWidget {
public:
    static constexpr double gap = 90;
    static constexpr double fontSize = 12;

    GreetingPreviewBar(QWidget* parent, Base::Scheduler& scheduler, ReduceMotionFlag reduceMotion);
    void setGreeting(const GreetingEditorState& state);
    const GreetingEditorState& greeting() const { return state_; }

    // Plays the words of the greeting shown now, from the start.
    void play();
    bool isPlaying() const { return playing_.isScheduled(); }
    // The playing words, left and right; none for an empty text or while still.
    GreetingWordView* word(bool leading) const { return words_[leading ? 0 : 1]; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void stop();
    void placeWords();
    QRectF half(bool leading) const;

    Base::Scheduler& scheduler_;
    ReduceMotionFlag reduceMotion_;
    GreetingEditorState state_;
    std::array<QWidget*, 2> halves_{};
    std::array<GreetingWordView*, 2> words_{};
    Base::TaskHandle playing_;
};

// The greeting editor: the switch, the two texts with their counters, the
// preview with "Try it", "Restore defaults" and "Done". It keeps no state:
// every keystroke is stored at once and the card reads the stored greeting.
class GreetingEditorView : public QWidget {
public:
    GreetingEditorView(SettingsKit::SettingsModel& settings, Base::Scheduler& scheduler, std::function<void()> onTry,
                       std::function<void()> onDone, QWidget* parent, ReduceMotionFlag reduceMotion);

    // The controls, for tests and the showreel.
    PaintedButton* switchRow() const { return switch_; }
    EditableText* leadingField() const { return leading_; }
    EditableText* nameField() const { return name_; }
    const TextLine* leadingCounter() const { return leadingCounter_; }
    const TextLine* nameCounter() const { return nameCounter_; }
    CapsuleButton* tryButton() const { return try_; }
    CapsuleButton* restoreButton() const { return restore_; }
    CapsuleButton* doneButton() const { return done_; }
    GreetingPreviewBar* previewBar() const { return bar_; }

private:
    QWidget* fieldBlock(const QString& label, EditableText*& field, TextLine*& counter, bool leading);
    void refresh();

    SettingsKit::SettingsModel& settings_;
    Base::Scheduler& scheduler_;
    std::function<void()> onTry_;
    std::function<void()> onDone_;

    PaintedButton* switch_ = nullptr;
    EditableText* leading_ = nullptr;
    EditableText* name_ = nullptr;
    TextLine* leadingCounter_ = nullptr;
    TextLine* nameCounter_ = nullptr;
    CapsuleButton* try_ = nullptr;
    GreetingPreviewBar* bar_ = nullptr;
    CapsuleButton* restore_ = nullptr;
    CapsuleButton* done_ = nullptr;

    // Last, so it goes first.
    Base::Subscription subscription_;
};

}  // namespace WaylarkKit
