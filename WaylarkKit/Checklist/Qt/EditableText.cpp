#include "WaylarkKit/Checklist/Qt/EditableText.h"

#include <optional>

#include <QFontMetricsF>
#include <QKeyEvent>
#include <QPainter>
#include <QPalette>

#include "WaylarkKit/Style/Palette.h"
#include "WaylarkKit/Style/Qt/QtColor.h"
#include "WaylarkKit/Style/Qt/TextDrawing.h"

namespace WaylarkKit {

namespace {

enum class EditCommand { paste, copy, cut, selectAll, undo, redo };

// Ctrl stands where the design has Command, Alt for Option and the Super key
// for Control: Ctrl with a letter edits, Ctrl with Alt or Super does not.
std::optional<EditCommand> editCommand(const QKeyEvent& key) {
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
    connect(this, &QLineEdit::textEdited, this, [this](const QString& raw) { edited(raw); });
}

EditableText::~EditableText() = default;

void EditableText::setLiveFormatter(LiveFormatter formatter, CaretRule caretAfterFormatting) {
    formatter_ = std::move(formatter);
    caretRule_ = std::move(caretAfterFormatting);
}

void EditableText::refresh() {
    if (!binding_.get) return;
    const QString bound = QString::fromStdString(binding_.get());
    if (text() != bound) setText(bound);
}

void EditableText::edited(const QString& raw) {
    const FormattedEdit edit = formatEdit(raw.toStdString(), cursorPosition(), formatter_, caretRule_);
    if (edit.replaced) {
        setText(QString::fromStdString(edit.text));
        if (edit.caret) {
            deselect();
            setCursorPosition(*edit.caret);
        }
    }
    if (!binding_.set) return;
    const QString typed = text();
    const int caret = cursorPosition();
    binding_.set(edit.text);
    showKept(typed, caret);
}

void EditableText::showKept(const QString& typed, int caret) {
    // A model that keeps less than was typed (a cut at its limit, a control
    // character cleaned) tells nobody when what it keeps did not change, so
    // the field asks. One that did tell has rewritten the field already, with
    // the caret at the end; either way the caret goes back where it was, as
    // far as the kept text reaches.
    if (!binding_.get) return;
    const std::string kept = binding_.get();
    const QString shown = QString::fromStdString(kept);
    if (text() != shown) setText(shown);
    if (text() == typed) return;
    setCursorPosition(boundedCaret(caret, kept));
}

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
            case EditCommand::undo: undo(); break;
            case EditCommand::redo: redo(); break;
        }
        return;
    }
    QLineEdit::keyPressEvent(event);
}

void EditableText::focusOutEvent(QFocusEvent* event) {
    QLineEdit::focusOutEvent(event);
    // A context menu or another application taking the keyboard leaves the
    // edit open, as it does on the desktop the design comes from.
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
