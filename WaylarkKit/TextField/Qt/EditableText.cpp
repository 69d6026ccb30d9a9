#include "WaylarkKit/TextField/Qt/EditableText.h"

#include <optional>

#include <QContextMenuEvent>
#include <QFontMetricsF>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QPalette>
#include <QScopedValueRollback>

#include "WaylarkKit/Style/Palette.h"
#include "WaylarkKit/Style/Qt/MenuLook.h"
#include "WaylarkKit/Style/Qt/QtColor.h"
#include "WaylarkKit/Style/Qt/TextDrawing.h"

namespace WaylarkKit {

namespace {

enum class EditCommand { paste, copy, cut, selectAll, undo, redo };

// Ctrl stands where the design has Command, Alt for Option and the Super key
// for Control: Ctrl with a letter edits, Ctrl with Alt or Super does not.
std::optional<EditCommand> editCommand(const QKeyEvent& key) {
    // The line edit would step through its own history on these.
    if (key.matches(QKeySequence::Undo)) return EditCommand::undo;
    if (key.matches(QKeySequence::Redo)) return EditCommand::redo;
    const Qt::KeyboardModifiers mods = key.modifiers();
    if (!(mods & Qt::ControlModifier) || (mods & (Qt::AltModifier | Qt::MetaModifier))) return std::nullopt;
    switch (key.key()) {
        case Qt::Key_V: return EditCommand::paste;
        case Qt::Key_C: return EditCommand::copy;
        case Qt::Key_X: return EditCommand::cut;
        case Qt::Key_A: return EditCommand::selectAll;
        case Qt::Key_Z: return (mods & Qt::ShiftModifier) ? EditCommand::redo : EditCommand::undo;
        default: return std::nullopt;
    }
}

// Which run of edits a key would extend, should it change the text.
EditHistory::Edit editOf(const QKeyEvent& key) {
    const Qt::KeyboardModifiers mods = key.modifiers() & ~(Qt::KeypadModifier | Qt::ShiftModifier);
    if (key.key() == Qt::Key_Backspace || key.key() == Qt::Key_Delete) {
        return mods == Qt::NoModifier ? EditHistory::Edit::deleting : EditHistory::Edit::other;
    }
    // AltGr arrives as Ctrl with Alt, and types.
    const bool command = (mods & Qt::ControlModifier) && !(mods & Qt::AltModifier);
    const QString text = key.text();
    if (command || text.isEmpty() || text.front().category() == QChar::Other_Control) return EditHistory::Edit::other;
    return EditHistory::Edit::typing;
}

bool isReturn(const QKeyEvent& key) { return key.key() == Qt::Key_Return || key.key() == Qt::Key_Enter; }

// The line edit's own inset on each side of its text.
constexpr double textInset = 2;

}  // namespace

EditableText::EditableText(TextBinding text, const Look& look, Base::Scheduler& scheduler, QWidget* parent)
    : QLineEdit(parent), binding_(std::move(text)), scheduler_(scheduler), autofocus_(look.autofocus) {
    setFrame(false);
    setAutoFillBackground(false);
    setFont(interFont(look.fontSize, look.weight));
    QPalette colours = palette();
    colours.setColor(QPalette::Base, Qt::transparent);
    colours.setColor(QPalette::Text, toQColor(Palette::white));
    colours.setColor(QPalette::PlaceholderText, toQColor(Palette::white.withOpacity(0.3)));
    setPalette(colours);
    setAlignment((look.centered ? Qt::AlignHCenter : Qt::AlignLeft) | Qt::AlignVCenter);
    setPlaceholderText(QString::fromStdString(look.placeholder));
    if (binding_.get) setText(QString::fromStdString(binding_.get()));
    if (binding_.identity) identity_ = binding_.identity();
    shown_ = current();
    connect(this, &QLineEdit::textEdited, this, [this](const QString& raw) { edited(raw); });
    // An edit changes the text before it moves the caret, so only moves over
    // the text last shown are the user's own, between edits.
    connect(this, &QLineEdit::cursorPositionChanged, this, [this](int, int caret) {
        if (this->text().toStdString() == shown_.text) shown_.caret = caret;
    });
    connect(this, &QLineEdit::selectionChanged, this, [this] {
        if (hasSelectedText() && this->text().toStdString() == shown_.text) history_.endRun();
    });
}

EditableText::~EditableText() = default;

void EditableText::setLiveFormatter(LiveFormatter formatter, CaretRule caretAfterFormatting) {
    formatter_ = std::move(formatter);
    caretRule_ = std::move(caretAfterFormatting);
}

void EditableText::refresh() {
    if (!binding_.get) return;
    keepsToValue();
    const QString bound = QString::fromStdString(binding_.get());
    if (text() == bound) return;
    setText(bound);
    // A value changed elsewhere is no edit of the field's to take back, and the
    // steps would bring back texts the model has moved on from. A model
    // answering the field's own write only shows what it kept of that edit.
    if (!writing_) history_.clear();
    shown_ = current();
}

void EditableText::edited(const QString& raw) {
    ++edits_;
    // Typed over a text left from another value: nothing of it is this value's to come back to.
    const bool recorded = keepsToValue();
    const EditHistory::State before = shown_;
    const FormattedEdit edit = formatEdit(raw.toStdString(), cursorPosition(), formatter_, caretRule_);
    if (edit.replaced) {
        setText(QString::fromStdString(edit.text));
        if (edit.caret) {
            deselect();
            setCursorPosition(*edit.caret);
        }
    }
    write(edit.text);
    shown_ = current();
    if (recorded) history_.record(before, pendingEdit_, shown_);
}

void EditableText::write(const std::string& value) {
    if (!binding_.set) return;
    const QString typed = text();
    const int caret = cursorPosition();
    {
        const QScopedValueRollback<bool> writing(writing_, true);
        binding_.set(value);
    }
    showKept(typed, caret);
}

void EditableText::showKept(const QString& typed, int caret) {
    // A model that keeps less than was typed (a cut at its limit, a control
    // character cleaned) tells nobody when what it keeps did not change, so
    // the field asks. One that did tell has rewritten the field already, with
    // the caret at the end; either way the caret goes after what was kept of
    // the edit.
    if (!binding_.get) return;
    const std::string kept = binding_.get();
    const QString shown = QString::fromStdString(kept);
    if (text() != shown) setText(shown);
    if (text() == typed) return;
    setCursorPosition(caretAfterKeeping(typed.toStdString(), caret, kept));
}

void EditableText::step(bool back) {
    // A view that has not caught up with another value yet still never writes an old text into it.
    if (!keepsToValue()) return;
    const std::optional<EditHistory::State> state = back ? history_.undo(current()) : history_.redo(current());
    if (!state) return;
    setText(QString::fromStdString(state->text));
    setCursorPosition(state->caret);
    write(state->text);
    shown_ = current();
}

EditHistory::State EditableText::current() const { return {text().toStdString(), cursorPosition()}; }

bool EditableText::keepsToValue() {
    if (!binding_.identity) return true;
    std::string now = binding_.identity();
    if (now == identity_) return true;
    identity_ = std::move(now);
    history_.clear();
    return false;
}

bool EditableText::ownMenuOpen() const { return menu_ && menu_->isVisible(); }

bool EditableText::event(QEvent* event) {
    // Claim the editing keys before any application shortcut sees them.
    if (event->type() == QEvent::ShortcutOverride && hasFocus()) {
        const auto& key = static_cast<const QKeyEvent&>(*event);
        if (editCommand(key) || isReturn(key)) {
            event->accept();
            return true;
        }
    }
    return QLineEdit::event(event);
}

void EditableText::showEvent(QShowEvent* event) {
    QLineEdit::showEvent(event);
    if (!autofocus_) return;
    autofocus_ = false;
    // Once per field: leaving the window and coming back does not take the focus again.
    focusTask_ = scheduler_.post([this] {
        setFocus(Qt::OtherFocusReason);
        selectAll();
    });
}

void EditableText::keyPressEvent(QKeyEvent* event) {
    if (isReturn(*event)) {
        // Return submits and nothing else: editing goes on, nothing is inserted.
        event->accept();
        if (onSubmit_) onSubmit_();
        return;
    }
    if (const std::optional<EditCommand> command = editCommand(*event)) {
        event->accept();
        switch (*command) {
            case EditCommand::paste: paste(); break;
            case EditCommand::copy: copy(); break;
            case EditCommand::cut: cut(); break;
            case EditCommand::selectAll: selectAll(); break;
            case EditCommand::undo: step(true); break;
            case EditCommand::redo: step(false); break;
        }
        return;
    }
    const QScopedValueRollback<EditHistory::Edit> pending(pendingEdit_, editOf(*event));
    const unsigned long edits = edits_;
    const int caret = cursorPosition();
    QLineEdit::keyPressEvent(event);
    // An arrow, Home or End ends the run of typing, even when the caret comes
    // back to where the run left it.
    if (edits_ == edits && cursorPosition() != caret) history_.endRun();
}

void EditableText::mousePressEvent(QMouseEvent* event) {
    // A click puts the caret anew; the right button only opens the menu.
    if (event->button() != Qt::RightButton) history_.endRun();
    QLineEdit::mousePressEvent(event);
}

void EditableText::inputMethodEvent(QInputMethodEvent* event) {
    const QScopedValueRollback<EditHistory::Edit> pending(
        pendingEdit_, event->commitString().isEmpty() ? EditHistory::Edit::other : EditHistory::Edit::typing);
    QLineEdit::inputMethodEvent(event);
}

void EditableText::contextMenuEvent(QContextMenuEvent* event) {
    keepsToValue();
    QMenu* menu = createStandardContextMenu();
    menu->setAttribute(Qt::WA_DeleteOnClose);
    // Drawn as the island's menus are, whatever a card's style sheet says to its children.
    giveIslandLook(*menu);
    menu_ = menu;
    for (QAction* action : menu->actions()) {
        // The menu ties its Undo and Redo to the line edit's own history. Qt
        // 6.4 ties them by slot name and names neither action; later versions
        // name them.
        const QString name = action->objectName();
        const bool back =
            name == QLatin1String("edit-undo") || disconnect(action, SIGNAL(triggered()), this, SLOT(undo()));
        const bool forward = !back && (name == QLatin1String("edit-redo") ||
                                       disconnect(action, SIGNAL(triggered()), this, SLOT(redo())));
        if (!back && !forward) continue;
        action->disconnect(this);
        action->setEnabled(back ? history_.canUndo() : history_.canRedo());
        connect(action, &QAction::triggered, this, [this, back] { step(back); });
    }
    menu->popup(event->globalPos());
}

void EditableText::focusOutEvent(QFocusEvent* event) {
    QLineEdit::focusOutEvent(event);
    // Undo belongs to one visit, which ends as the keys go anywhere else, the
    // island or card letting go of them included; the field's own menu takes
    // them only to offer that same undo.
    if (!ownMenuOpen()) history_.clear();
    // A popup or another application taking the keyboard is still no end of
    // editing, as on the desktop the design comes from.
    const Qt::FocusReason reason = event->reason();
    if (reason == Qt::PopupFocusReason || reason == Qt::ActiveWindowFocusReason) return;
    if (onEnd_) onEnd_();
}

void EditableText::paintEvent(QPaintEvent* event) {
    const QFontMetricsF metrics(font());
    const QRectF box = QRectF(contentsRect()).adjusted(textInset, 0, -textInset, 0);
    // Out of editing, a text too long for the field shows its start, cut at the tail.
    // A field its window would give the keys to is still being edited, even
    // while that window is not the active one.
    const bool editing = hasFocus() || window()->focusWidget() == this;
    if (editing || text().isEmpty() || metrics.horizontalAdvance(text()) <= box.width()) {
        QLineEdit::paintEvent(event);
        return;
    }
    QPainter painter(this);
    painter.setFont(font());
    painter.setPen(palette().color(QPalette::Text));
    const double baseline = box.top() + (box.height() - metrics.height()) / 2 + metrics.ascent();
    painter.drawText(QPointF(box.left(), baseline), elided(text(), font(), box.width()));
}

}  // namespace WaylarkKit
