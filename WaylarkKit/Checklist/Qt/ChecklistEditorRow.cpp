#include "WaylarkKit/Checklist/Qt/ChecklistEditorRow.h"

#include <algorithm>

#include <QHelpEvent>
#include <QPainter>
#include <QToolTip>

#include "ChecklistKit/ChecklistText.h"
#include "WaylarkKit/Checklist/ChecklistTexts.h"
#include "WaylarkKit/Checklist/Qt/ChecklistDrawing.h"
#include "WaylarkKit/TextField/Qt/EditableText.h"

namespace WaylarkKit {

using namespace ChecklistDrawing;

namespace {

constexpr double gap = 8;
constexpr double miniWidth = 22;
constexpr double fieldPadding = 8;
constexpr double optionsIndent = 30;
constexpr double choicePadding = 8;
const QString optionsCaption = QStringLiteral("Dropdown options");
const QString removeTitle = QStringLiteral("Remove");

QFont choiceFont() { return interFont(10, FontWeight::semibold); }
QFont captionFont() { return interFont(11); }

void drawMini(QPainter& painter, Symbol symbol, const QRectF& box) {
    drawSymbol(painter, symbol, box.center(), 8, 1, white(0.6));
}

}  // namespace

ChecklistEditorRow::ChecklistEditorRow(ChecklistKit::ChecklistModel& checklist, ChecklistEditorModel& editor,
                                       Base::Scheduler& scheduler, const Base::Uuid& templateID,
                                       const ChecklistKit::ChecklistItem& item, std::function<void()> addItem,
                                       QWidget* parent)
    : ClickableWidget(parent), checklist_(checklist), editor_(editor), scheduler_(scheduler), templateID_(templateID),
      item_(item), addItem_(std::move(addItem)) {
    makeTextField(editor_.focusItemID() == item_.id);
    syncOptionsEditor();
    relayout();
}

ChecklistKit::ChecklistItem ChecklistEditorRow::currentItem() const {
    if (const std::optional<ChecklistKit::ChecklistTemplate> shown = checklist_.templateWithID(templateID_)) {
        for (const ChecklistKit::ChecklistItem& item : shown->items) {
            if (item.id == item_.id) return item;
        }
    }
    return item_;
}

void ChecklistEditorRow::makeTextField(bool autofocus) {
    if (text_) {
        text_->hide();
        text_->deleteLater();
    }
    const Base::Uuid id = item_.id;
    // A row, and each of its fields, stays with one item for life.
    text_ = new EditableText({[this] { return currentItem().text; },
                              [this, id](const std::string& text) { checklist_.updateItem(id, templateID_, text); },
                              {}},
                             {"Item", 13, FontWeight::regular, autofocus, false}, scheduler_, this);
    text_->setOnSubmit([this] { addItem_(); });
    text_->installEventFilter(this);
    if (isVisible()) text_->show();
}

bool ChecklistEditorRow::eventFilter(QObject* watched, QEvent* event) {
    // The request is spent once the item has the keyboard: a later opening
    // of the editor must not select this text for a stray key to replace.
    if (event->type() == QEvent::FocusIn && watched == text_ && editor_.focusItemID() == item_.id) {
        editor_.setFocusItemID(std::nullopt);
    }
    return ClickableWidget::eventFilter(watched, event);
}

void ChecklistEditorRow::focusText() {
    makeTextField(true);
    relayout();
}

void ChecklistEditorRow::syncOptionsEditor() {
    if (isOpen() && !options_) {
        const Base::Uuid id = item_.id;
        options_ = new EditableText(
            {[this] { return editor_.optionsText(currentItem()); },
             [this, id](const std::string& text) {
                 // The draft keeps what was typed that may yet become an option
                 // (a trailing comma, a repeat); the item stores the cleaned options.
                 editor_.setOptionDraft(id, text);
                 checklist_.setOptions(ChecklistKit::ChecklistText::options(text), id, templateID_);
             },
             {}},
            {"Above, Below", 12, FontWeight::regular, true, false}, scheduler_, this);
        if (isVisible()) options_->show();
    } else if (!isOpen() && options_) {
        options_->hide();
        options_->deleteLater();
        options_ = nullptr;
    }
}

void ChecklistEditorRow::setItem(const ChecklistKit::ChecklistItem& item) {
    const bool wasOpen = options_ != nullptr;
    const bool changed = item != item_;
    item_ = item;
    syncOptionsEditor();
    text_->refresh();
    if (options_) options_->refresh();
    if (changed || wasOpen != (options_ != nullptr)) {
        relayout();
        update();
    }
}

double ChecklistEditorRow::rowHeight() const { return options_ ? lineHeight + spacing + optionsHeight : lineHeight; }

QRectF ChecklistEditorRow::moveUpRect() const { return QRectF(0, 0, miniWidth, lineHeight / 2); }
QRectF ChecklistEditorRow::moveDownRect() const { return QRectF(0, lineHeight / 2, miniWidth, lineHeight / 2); }
QRectF ChecklistEditorRow::removeRect() const { return QRectF(width() - miniWidth, 0, miniWidth, lineHeight); }

QRectF ChecklistEditorRow::choiceButtonRect() const {
    const QString label = QString::fromStdString(ChecklistTexts::choiceButtonLabel(item_));
    const double w = choicePadding + symbolWidth(9) + 4 + textWidth(choiceFont(), label) + choicePadding;
    return QRectF(removeRect().left() - gap - w, 0, w, lineHeight);
}

QRectF ChecklistEditorRow::removeOptionsRect() const {
    const double w = choicePadding + textWidth(choiceFont(), removeTitle) + choicePadding;
    return QRectF(width() - w, lineHeight + spacing, w, optionsHeight);
}

void ChecklistEditorRow::relayout() {
    const double fieldLeft = miniWidth + gap;
    const QRectF field(fieldLeft, 0, std::max(0.0, choiceButtonRect().left() - gap - fieldLeft), lineHeight);
    text_->setGeometry(field.adjusted(fieldPadding, 0, -fieldPadding, 0).toRect());
    if (options_) {
        const double left = optionsIndent + textWidth(captionFont(), optionsCaption) + gap;
        const QRectF box(left, lineHeight + spacing, std::max(0.0, removeOptionsRect().left() - gap - left),
                         optionsHeight);
        options_->setGeometry(box.adjusted(fieldPadding, 0, -fieldPadding, 0).toRect());
    }
    setFixedHeight(static_cast<int>(rowHeight()));

    targets().clear();
    const Base::Uuid id = item_.id;
    targets().add(moveUpRect(), [this, id] { checklist_.moveItem(id, templateID_, -1); });
    targets().add(moveDownRect(), [this, id] { checklist_.moveItem(id, templateID_, +1); });
    targets().add(capsule(choiceButtonRect()), [this] { chooseOptions(); });
    targets().add(removeRect(), [this, id] { checklist_.removeItem(id, templateID_); });
    if (options_) {
        targets().add(capsule(removeOptionsRect()), [this, id] {
            checklist_.setOptions({}, id, templateID_);
            editor_.closeChoiceEditor();
        });
    }
}

void ChecklistEditorRow::chooseOptions() {
    if (!item_.hasOptions()) checklist_.setOptions({"Above", "Below"}, item_.id, templateID_);
    editor_.toggleChoiceEditor(currentItem());
}

void ChecklistEditorRow::resizeEvent(QResizeEvent*) { relayout(); }

bool ChecklistEditorRow::event(QEvent* event) {
    if (event->type() != QEvent::ToolTip) return ClickableWidget::event(event);
    const auto* help = static_cast<QHelpEvent*>(event);
    if (capsule(choiceButtonRect()).contains(help->pos())) {
        QToolTip::showText(help->globalPos(), QStringLiteral("Give this item a dropdown (for example Above / Below)"),
                           this);
    } else {
        QToolTip::hideText();
    }
    return true;
}

void ChecklistEditorRow::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing, true);
    drawMini(painter, Symbol::chevronUp, moveUpRect());
    drawMini(painter, Symbol::chevronDown, moveDownRect());
    const QRectF field(miniWidth + gap, 0, text_->width() + 2 * fieldPadding, lineHeight);
    fill(painter, roundedRect(field, 6), white(0.07));

    const QRectF choice = choiceButtonRect();
    fill(painter, capsule(choice), white(isOpen() ? 0.14 : 0.07));
    const QColor tint = item_.hasOptions() ? orange() : white(0.5);
    drawSymbol(painter, Symbol::listBullet, QPointF(choice.left() + choicePadding + symbolWidth(9) / 2, choice.center().y()),
               9, 1, tint);
    drawLine(painter, choice.adjusted(choicePadding + symbolWidth(9) + 4, 0, 0, 0), Qt::AlignLeft, choiceFont(), tint,
             QString::fromStdString(ChecklistTexts::choiceButtonLabel(item_)));
    drawMini(painter, Symbol::xmark, removeRect());

    if (!options_) return;
    const double top = lineHeight + spacing;
    drawLine(painter, QRectF(optionsIndent, top, width(), optionsHeight), Qt::AlignLeft, captionFont(), white(0.5),
             optionsCaption);
    const QRect box = options_->geometry().adjusted(-static_cast<int>(fieldPadding), 0, static_cast<int>(fieldPadding), 0);
    fill(painter, roundedRect(box, 6), orange(0.14));
    const QRectF remove = removeOptionsRect();
    fill(painter, capsule(remove), red(0.14));
    drawLine(painter, remove, Qt::AlignHCenter, choiceFont(), red(0.9), removeTitle);
}

}  // namespace WaylarkKit
