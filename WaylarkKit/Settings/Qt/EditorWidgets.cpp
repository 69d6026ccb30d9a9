#include "WaylarkKit/Settings/Qt/EditorWidgets.h"

#include <algorithm>
#include <cmath>

#include <QFontMetricsF>
#include <QPainter>

#include "WaylarkKit/Settings/Qt/EditorLook.h"
#include "WaylarkKit/Style/Qt/TextDrawing.h"

namespace WaylarkKit {

namespace {
int ceiled(double value) { return static_cast<int>(std::ceil(value - 1e-6)); }
}  // namespace

// MARK: TextLine

TextLine::TextLine(QWidget* parent, const QFont& font, const QColor& colour, const QString& text)
    : QWidget(parent), font_(font), colour_(colour), text_(text) {
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
}

void TextLine::setText(const QString& text) {
    if (text == text_) return;
    text_ = text;
    updateGeometry();
    update();
}

void TextLine::setColour(const QColor& colour) {
    if (colour == colour_) return;
    colour_ = colour;
    update();
}

void TextLine::setFont(const QFont& font) {
    font_ = font;
    updateGeometry();
    update();
}

void TextLine::setMonoDigits(bool on) {
    monoDigits_ = on;
    updateGeometry();
    update();
}

void TextLine::setAlignment(Qt::Alignment alignment) {
    alignment_ = alignment;
    update();
}

void TextLine::setElided(bool on) {
    elided_ = on;
    setSizePolicy(on ? QSizePolicy::Ignored : QSizePolicy::Preferred, QSizePolicy::Fixed);
    updateGeometry();
}

double TextLine::naturalWidth() const {
    return monoDigits_ ? MonoDigits::width(font_, text_) : QFontMetricsF(font_).horizontalAdvance(text_);
}

QSize TextLine::sizeHint() const { return QSize(ceiled(naturalWidth()), ceiled(QFontMetricsF(font_).height())); }

QSize TextLine::minimumSizeHint() const { return elided_ ? QSize(0, sizeHint().height()) : sizeHint(); }

void TextLine::paintEvent(QPaintEvent*) {
    if (text_.isEmpty()) return;
    QPainter painter(this);
    painter.setRenderHint(QPainter::TextAntialiasing);
    const QRectF box(rect());
    painter.setPen(colour_);
    if (monoDigits_) {
        MonoDigits::drawIn(painter, box, alignment_, font_, text_);
        return;
    }
    const QString shown = elided_ && naturalWidth() > box.width() ? elided(text_, font_, box.width()) : text_;
    EditorLook::drawText(painter, box, font_, colour_, shown, alignment_);
}

// MARK: TitleRow

namespace {
QFont titleFont() { return EditorLook::font(18, FontWeight::semibold); }
QFont subtitleFont() { return EditorLook::font(11); }
constexpr double titleSpacing = 8;
}  // namespace

TitleRow::TitleRow(QWidget* parent, const QString& title, const QString& subtitle)
    : QWidget(parent), title_(title), subtitle_(subtitle) {
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
}

void TitleRow::setTitle(const QString& title) {
    if (title == title_) return;
    title_ = title;
    updateGeometry();
    update();
}

QSize TitleRow::sizeHint() const {
    const double width = EditorLook::textWidth(titleFont(), title_) + titleSpacing +
                         EditorLook::textWidth(subtitleFont(), subtitle_);
    return QSize(ceiled(width), ceiled(QFontMetricsF(titleFont()).height()));
}

void TitleRow::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::TextAntialiasing);
    const QFont title = titleFont();
    const QFont subtitle = subtitleFont();
    const double baseline = QFontMetricsF(title).ascent();
    painter.setFont(title);
    painter.setPen(Qt::white);
    painter.drawText(QPointF(0, baseline), title_);
    painter.setFont(subtitle);
    painter.setPen(EditorLook::white(0.45));
    painter.drawText(QPointF(EditorLook::textWidth(title, title_) + titleSpacing, baseline), subtitle_);
}

// MARK: FieldBox

FieldBox::FieldBox(QWidget* parent, double radius, double padding, const QColor& fill)
    : QWidget(parent), radius_(radius), padding_(padding), fill_(fill) {
}

void FieldBox::setContent(QWidget* content) {
    content_ = content;
    content_->setParent(this);
    content_->show();
    resizeEvent(nullptr);
}

void FieldBox::setFill(const QColor& fill) {
    if (fill == fill_) return;
    fill_ = fill;
    update();
}

void FieldBox::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    EditorLook::fillRounded(painter, QRectF(rect()), radius_, fill_);
}

void FieldBox::resizeEvent(QResizeEvent*) {
    if (!content_) return;
    const int pad = static_cast<int>(padding_);
    content_->setGeometry(pad, 0, std::max(0, width() - 2 * pad), height());
}

// MARK: CapsuleButton

double CapsuleButton::Look::width() const {
    if (fixedWidth > 0) return fixedWidth;
    double content = text.isEmpty() ? 0 : EditorLook::textWidth(font, text);
    if (symbol) content += symbolSize + (text.isEmpty() ? 0 : spacing);
    return content + 2 * padding;
}

CapsuleButton::CapsuleButton(QWidget* parent) : PaintedButton(parent) { setHitShape(HitShape::capsule); }

void CapsuleButton::paintLook(QPainter& painter, const QRectF& bounds) const {
    EditorLook::fillCapsule(painter, bounds, look_.fill);
    double contentWidth = look_.text.isEmpty() ? 0 : EditorLook::textWidth(look_.font, look_.text);
    if (look_.symbol) contentWidth += look_.symbolSize + (look_.text.isEmpty() ? 0 : look_.spacing);
    double x = bounds.center().x() - contentWidth / 2;
    if (look_.symbol) {
        look_.symbol(painter, QRectF(x, bounds.center().y() - look_.symbolSize / 2, look_.symbolSize, look_.symbolSize));
        x += look_.symbolSize + look_.spacing;
    }
    if (!look_.text.isEmpty()) {
        EditorLook::drawText(painter, QRectF(x, bounds.top(), bounds.right() - x, bounds.height()), look_.font,
                             look_.textColour, look_.text);
    }
}

void CapsuleButton::setLook(Look look) {
    look_ = std::move(look);
    setFixedSize(ceiled(look_.width()), ceiled(look_.height));
    const std::string named = look_.text.toStdString() + "|" + look_.font.key().toStdString() + "|" +
                              look_.textColour.name(QColor::HexArgb).toStdString() + "|" +
                              look_.fill.name(QColor::HexArgb).toStdString() + "|" + look_.symbolLook;
    setPainter([this](QPainter& painter, const QRectF& bounds) { paintLook(painter, bounds); }, named);
}

// MARK: FlowLayout

FlowLayout::FlowLayout(QWidget* parent, int spacing) : QLayout(parent), gap_(spacing) {
    setContentsMargins(0, 0, 0, 0);
}

FlowLayout::~FlowLayout() {
    for (QLayoutItem* item : items_) delete item;
}

void FlowLayout::addItem(QLayoutItem* item) { items_.push_back(item); }

QLayoutItem* FlowLayout::itemAt(int index) const {
    return index >= 0 && index < count() ? items_[static_cast<std::size_t>(index)] : nullptr;
}

QLayoutItem* FlowLayout::takeAt(int index) {
    if (index < 0 || index >= count()) return nullptr;
    QLayoutItem* item = items_[static_cast<std::size_t>(index)];
    items_.erase(items_.begin() + index);
    return item;
}

QSize FlowLayout::sizeHint() const { return minimumSize(); }

QSize FlowLayout::minimumSize() const {
    QSize size;
    for (QLayoutItem* item : items_) size = size.expandedTo(item->minimumSize());
    return size;
}

int FlowLayout::heightForWidth(int width) const { return arrange(QRect(0, 0, width, 0), false); }

void FlowLayout::setGeometry(const QRect& rect) {
    QLayout::setGeometry(rect);
    arrange(rect, true);
}

int FlowLayout::arrange(const QRect& rect, bool apply) const {
    int x = rect.x();
    int y = rect.y();
    int lineHeight = 0;
    for (QLayoutItem* item : items_) {
        if (item->isEmpty()) continue;
        const QSize hint = item->sizeHint();
        if (x > rect.x() && x + hint.width() > rect.right() + 1) {
            x = rect.x();
            y += lineHeight + gap_;
            lineHeight = 0;
        }
        if (apply) item->setGeometry(QRect(QPoint(x, y), hint));
        x += hint.width() + gap_;
        lineHeight = std::max(lineHeight, hint.height());
    }
    return y + lineHeight - rect.y();
}

}  // namespace WaylarkKit
