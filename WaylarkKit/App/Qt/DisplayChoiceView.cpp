#include "WaylarkKit/App/Qt/DisplayChoiceView.h"

#include <algorithm>

#include <QFontMetricsF>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>

#include "WaylarkKit/Style/Qt/Fonts.h"
#include "WaylarkKit/Style/Qt/TextDrawing.h"

namespace WaylarkKit {

namespace {

QFont titleFont() { return interFont(18, FontWeight::semibold); }
QFont nameFont() { return interFont(12); }
QFont questionFont() { return interFont(13); }
QFont footnoteFont() { return interFont(10); }
QFont buttonFont() { return interFont(12, FontWeight::semibold); }

double lineHeight(const QFont& font) { return QFontMetricsF(font).height(); }

QColor white(double opacity) { return QColor::fromRgbF(1, 1, 1, static_cast<float>(opacity)); }

const QString footnote = "You can change this later from the menu bar icon. Click outside to decide next time.";

// One line at the top left of `top`, elided to the width; returns the line's bottom.
double drawLine(QPainter& painter, double top, double width, const QFont& font, const QColor& colour,
                const QString& text) {
    const double height = lineHeight(font);
    painter.setFont(font);
    painter.setPen(colour);
    painter.drawText(QRectF(0, top, width, height), Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
                     elided(text, font, width));
    return top + height;
}

}  // namespace

DisplayChoiceView::DisplayChoiceView(std::string displayName, DisplayPlan::ButtonTitles titles,
                                     std::function<void(DisplayAnswer)> onAnswer, QWidget* parent)
    : QWidget(parent),
      displayName_(std::move(displayName)),
      titles_(std::move(titles)),
      onAnswer_(std::move(onAnswer)) {}

const std::string& DisplayChoiceView::title(DisplayAnswer answer) const {
    switch (answer) {
        case DisplayAnswer::alsoHere:
            return titles_.alsoHere;
        case DisplayAnswer::onlyHere:
            return titles_.onlyHere;
        case DisplayAnswer::notHere:
            break;
    }
    return titles_.notHere;
}

QRectF DisplayChoiceView::buttonRect(DisplayAnswer answer) const {
    // The row sits above the footnote; the flexible space above the row takes the rest.
    const double bottom = height() - lineHeight(footnoteFont()) - stackSpacing;
    const double width = (this->width() - 2 * buttonSpacing) / 3;
    const auto index = static_cast<double>(std::find(order.begin(), order.end(), answer) - order.begin());
    return {index * (width + buttonSpacing), bottom - buttonHeight, width, buttonHeight};
}

std::optional<DisplayAnswer> DisplayChoiceView::answerAt(const QPointF& point) const {
    for (const DisplayAnswer answer : order) {
        const QRectF box = buttonRect(answer);
        QPainterPath capsule;
        capsule.addRoundedRect(box, box.height() / 2, box.height() / 2);
        if (capsule.contains(point)) return answer;
    }
    return std::nullopt;
}

void DisplayChoiceView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing);
    const double width = this->width();

    double y = drawLine(painter, 0, width, titleFont(), Qt::white, "New display connected");
    y = drawLine(painter, y + 4, width, nameFont(), white(0.5), QString::fromStdString(displayName_));
    drawLine(painter, y + stackSpacing, width, questionFont(), white(0.75), "Where should the island appear?");
    drawLine(painter, height() - lineHeight(footnoteFont()), width, footnoteFont(), white(0.4), footnote);

    for (const DisplayAnswer answer : order) {
        const bool primary = answer == DisplayAnswer::alsoHere;
        const QRectF box = buttonRect(answer);
        QPainterPath capsule;
        capsule.addRoundedRect(box, box.height() / 2, box.height() / 2);
        painter.fillPath(capsule, primary ? QColor(Qt::white) : white(0.12));

        // The label shrinks down to four fifths of its size before it is cut.
        const QRectF label = box.adjusted(12, 0, -12, 0);
        const QString text = QString::fromStdString(title(answer));
        QFont font = buttonFont();
        const double natural = QFontMetricsF(font).horizontalAdvance(text);
        if (natural > label.width())
            font = interFont(12 * std::max(0.8, label.width() / natural), FontWeight::semibold);
        painter.setFont(font);
        painter.setPen(primary ? QColor(Qt::black) : white(0.9));
        painter.drawText(label, Qt::AlignCenter | Qt::TextSingleLine, elided(text, font, label.width()));
    }
}

void DisplayChoiceView::mousePressEvent(QMouseEvent* event) {
    pressed_ = answerAt(event->position());
    event->accept();
}

void DisplayChoiceView::mouseReleaseEvent(QMouseEvent* event) {
    const auto released = answerAt(event->position());
    const bool answered = pressed_ && released == pressed_;
    pressed_.reset();
    event->accept();
    if (answered && onAnswer_) onAnswer_(*released);
}

}  // namespace WaylarkKit
