#pragma once

#include <functional>
#include <string>

#include <QLineEdit>
#include <QPointer>

#include "Base/Scheduler.h"
#include "WaylarkKit/TextField/EditHistory.h"
#include "WaylarkKit/TextField/EditableTextRules.h"
#include "WaylarkKit/Style/Qt/Fonts.h"

class QMenu;

namespace WaylarkKit {

// The single-line text field every editor uses: frameless white Inter text on
// whatever the card draws, bound both ways to a model value. After each edit
// it shows what the model kept, which may be less than was typed, so nothing
// on screen is silently lost. Besides a plain field it rewrites the text live
// through an optional formatter and places the caret by its rule, reports
// Return and the end of editing, takes the keyboard focus once when it first
// appears, and keeps the Ctrl editing keys working even where an application
// shortcut would claim them. Undo and redo step through what the field showed
// before each edit, whatever the model kept of it, for as long as one visit
// to one value lasts: leaving the field, or the field going on to show
// another value, leaves nothing to take back.
class EditableText final : public QLineEdit {
public:
    // Taken once, when the field is made; later changes of these show nothing.
    struct Look {
        std::string placeholder;
        double fontSize = 13;
        FontWeight weight = FontWeight::regular;
        // Take the keyboard focus and select the text when first shown in a window.
        bool autofocus = false;
        bool centered = false;
    };

    // `scheduler` defers the one-shot focusing to the next main-thread turn.
    EditableText(TextBinding text, const Look& look, Base::Scheduler& scheduler, QWidget* parent = nullptr);
    ~EditableText() override;
    EditableText(const EditableText&) = delete;
    EditableText& operator=(const EditableText&) = delete;

    // Return; the field keeps the focus, and Return does nothing else even without a callback.
    void setOnSubmit(std::function<void()> onSubmit) { onSubmit_ = std::move(onSubmit); }
    // Focus went elsewhere in the window (Tab, a click).
    void setOnEnd(std::function<void()> onEnd) { onEnd_ = std::move(onEnd); }
    void setLiveFormatter(LiveFormatter formatter, CaretRule caretAfterFormatting = {});

    // Shows the bound value, unless the field shows it already: then the
    // caret and the selection stay where the user left them. A value changed
    // elsewhere, or another value the binding now names, ends what undo can
    // go back to.
    void refresh();

    bool autofocusPending() const { return autofocus_; }

protected:
    bool event(QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void edited(const QString& raw);
    void write(const std::string& value);
    void showKept(const QString& typed, int caret);
    void step(bool back);
    EditHistory::State current() const;
    // Ends the history when the binding names another value than the one it
    // was recorded for; false then.
    bool keepsToValue();
    bool ownMenuOpen() const;

    TextBinding binding_;
    LiveFormatter formatter_;
    CaretRule caretRule_;
    std::function<void()> onSubmit_;
    std::function<void()> onEnd_;
    Base::Scheduler& scheduler_;
    bool autofocus_ = false;
    Base::TaskHandle focusTask_;
    EditHistory history_;
    // The value the history belongs to, as the binding names it.
    std::string identity_;
    // Edits made so far, to tell a key that only moved the caret.
    unsigned long edits_ = 0;
    QPointer<QMenu> menu_;
    // What the field showed after its last edit or refresh, with the caret
    // wherever it moved since: the state the next edit starts from.
    EditHistory::State shown_;
    // The kind of edit the key or input method event being handled would make.
    EditHistory::Edit pendingEdit_ = EditHistory::Edit::other;
    // The model answers a write by refreshing the field at once.
    bool writing_ = false;
};

}  // namespace WaylarkKit
