#include "WaylarkKit/Settings/Qt/TimingEditorFields.h"

#include <QScrollArea>
#include <QScrollBar>
#include <QVBoxLayout>

#include "WaylarkKit/Settings/Qt/EditorLook.h"
#include "WaylarkKit/Style/Palette.h"
#include "WaylarkKit/Style/Qt/QtColor.h"
#include "WaylarkKit/Style/Qt/Symbols.h"

namespace WaylarkKit {

using EditorLook::white;

TimeField::TimeField(QWidget* parent, TimingEditorContext& context,
                     std::function<TradingCore::WallClockTime()> stored, std::function<std::string()> draftKey,
                     std::function<void(const std::string&)> commit)
    : FieldBox(parent, 6, 2, white(0.07)),
      context_(context),
      stored_(std::move(stored)),
      draftKey_(std::move(draftKey)),
      field_(nullptr) {
    setFixedSize(52, 24);
    TextBinding binding{
        [this] {
            const QString shown = field_ ? field_->text() : QString();
            const bool focused = field_ && field_->hasFocus();
            return TimingEditorModel::timeFieldText(context_.editor.draft(draftKey_()), stored_(),
                                                    shown.toStdString(), focused);
        },
        [this, commit = std::move(commit)](const std::string& text) {
            context_.act([&] { commit(text); });
        },
        // The draft's key names the time the field edits now.
        [this] { return draftKey_(); },
    };
    field_ = new EditableText(std::move(binding), {"HH:MM", 13, FontWeight::regular, false, true}, context.scheduler,
                              this);
    field_->setOnEnd([this] { context_.act([this] { context_.editor.endEditing(); }); });
    setContent(field_);
    refresh();
}

void TimeField::refresh() {
    field_->refresh();
    const bool hasDraft = context_.editor.draft(draftKey_()).has_value();
    setFill(hasDraft ? toQColor(Palette::red.withOpacity(0.25)) : white(0.07));
}

FieldBox* nameFieldBox(QWidget* parent, EditableText* field) {
    auto* box = new FieldBox(parent, 6, 8, white(0.07));
    box->setFixedHeight(24);
    box->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    box->setContent(field);
    return box;
}

PaintedButton* removeButton(QWidget* parent, std::function<void()> onClick) {
    auto* button = new PaintedButton(parent);
    button->setFixedSize(22, 24);
    button->setPainter([](QPainter& painter, const QRectF& bounds) {
        const QRectF box(bounds.center().x() - 4, bounds.center().y() - 4, 8, 8);
        paintSymbol(painter, Symbol::xmark, box, white(0.6), symbolStroke(8, 1));
    });
    button->setOnClick(std::move(onClick));
    return button;
}

namespace {
QFont addFont() { return EditorLook::font(12, FontWeight::semibold); }
constexpr double addSymbolSize = 13;
constexpr double addSpacing = 6;
}  // namespace

AddButton::AddButton(QWidget* parent, const QString& title, std::function<void()> onClick)
    : PaintedButton(parent), title_(title) {
    const double width = addSymbolSize + addSpacing + EditorLook::textWidth(addFont(), title_);
    setFixedSize(static_cast<int>(std::ceil(width)), 27);
    setOnClick(std::move(onClick));
    setRoom(true);
}

void AddButton::setRoom(bool hasRoom) {
    setEnabled(hasRoom);
    const QColor colour = hasRoom ? toQColor(Palette::orange) : white(0.3);
    setPainter([this, colour](QPainter& painter, const QRectF& bounds) {
        const QRectF symbol(0, bounds.center().y() - addSymbolSize / 2, addSymbolSize, addSymbolSize);
        paintSymbol(painter, Symbol::plusCircleFill, symbol, colour, symbolStroke(addSymbolSize));
        const double x = addSymbolSize + addSpacing;
        EditorLook::drawText(painter, QRectF(x, 0, bounds.width() - x, bounds.height()), addFont(), colour, title_);
    }, hasRoom ? "room" : "full");
}

QLabel* note(QWidget* parent, const QString& text, double size, double opacity) {
    auto* label = new QLabel(text, parent);
    label->setTextFormat(Qt::PlainText);
    label->setWordWrap(true);
    label->setFont(EditorLook::font(size));
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, white(opacity));
    label->setPalette(palette);
    return label;
}

TextLine* messageLine(QWidget* parent) {
    auto* line = new TextLine(parent, EditorLook::font(11), toQColor(Palette::red.withOpacity(0.9)), " ");
    line->setElided(true);
    line->setFixedHeight(14);
    return line;
}

void showMessage(TextLine* line, const std::optional<std::string>& message) {
    line->setText(message ? QString::fromStdString(*message) : QStringLiteral(" "));
}

QScrollArea* scrollColumn(QWidget* parent, int spacing, QVBoxLayout*& column) {
    auto* scroll = new QScrollArea(parent);
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    scroll->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    scroll->setWidgetResizable(true);
    scroll->viewport()->setAutoFillBackground(false);
    auto* content = new QWidget();
    column = new QVBoxLayout(content);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(spacing);
    column->addStretch(1);
    scroll->setWidget(content);
    content->setAutoFillBackground(false);  // setWidget turned it on; the card shows through
    return scroll;
}

}  // namespace WaylarkKit
