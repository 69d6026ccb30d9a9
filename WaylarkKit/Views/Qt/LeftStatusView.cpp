#include "WaylarkKit/Views/Qt/LeftStatusView.h"

#include <algorithm>
#include <cmath>

#include <QFontMetricsF>
#include <QMouseEvent>
#include <QPainter>

#include "WaylarkKit/Greeting/Qt/GreetingWordView.h"
#include "WaylarkKit/Mascot/Qt/MascotView.h"
#include "WaylarkKit/Style/Palette.h"
#include "WaylarkKit/Style/Qt/Fonts.h"
#include "WaylarkKit/Style/Qt/QtColor.h"
#include "WaylarkKit/Style/Qt/TextDrawing.h"
#include "WaylarkKit/Views/Qt/CompactRoom.h"

namespace WaylarkKit {

namespace {

QFont textFont() { return interFont(LeftStatus::fontSize, FontWeight::semibold); }

}  // namespace

LeftStatusView::LeftStatusView(TimingViewModel& model, std::string islandID, bool showsMascot,
                               Base::Scheduler& scheduler, ReduceMotionFlag reduceMotion, double mascotSide,
                               QWidget* parent)
    : QWidget(parent),
      model_(model),
      islandID_(std::move(islandID)),
      showsMascot_(showsMascot),
      scheduler_(scheduler),
      reduceMotion_(std::move(reduceMotion)),
      magnify_(scheduler, [this] {
          placeMascot();
          update();
      }) {
    setAttribute(Qt::WA_NoSystemBackground);
    if (showsMascot_) mascot_ = new MascotView(mascotSide, scheduler_, reduceMotion_, this);
    refresh();

    using F = TimingViewModel::Field;
    auto on = [this](F field) { return model_.observe(field, [this] { refresh(); }); };
    subscriptions_ = {
        on(F::now),
        on(F::evaluation),
        on(F::statusChangedAt),
        on(F::isCelebratingChecklist),
        on(F::greetingStartedAt),
        on(F::greetingPreviewStartedAt),
        on(F::greetingRun),
        on(F::isEditorOpen),
        on(F::isExpanded),
        on(F::hoveredTarget),
        on(F::hoverIsland),
        on(F::mode),
        model_.settings().observeSettings([this] { refresh(); }),
    };
}

LeftStatusView::~LeftStatusView() = default;

void LeftStatusView::refresh() {
    LeftStatus next = LeftStatus::of(model_, islandID_, showsMascot_);
    if (hasStatus_ && next == status_) return;
    const LeftStatus previous = std::exchange(status_, std::move(next));
    const bool first = !hasStatus_;
    hasStatus_ = true;

    if (status_.greeting) {
        const bool restart = !greeting_ || first || !previous.greeting || previous.greetingRun != status_.greetingRun;
        const QString word = QString::fromStdString(status_.greetingWord);
        if (restart) {
            // A new run is a new word view, so its letters play from the start.
            delete greeting_.data();
            greeting_ = new GreetingWordView(word, GreetingMotion::Style::wave, model_.greetingDuration(),
                                             LeftStatus::greetingFontSize, scheduler_, reduceMotion_, this);
            greeting_->show();
        } else {
            greeting_->update(word, GreetingMotion::Style::wave, model_.greetingDuration());
        }
    } else if (greeting_) {
        delete greeting_.data();
    }
    if (mascot_) {
        mascot_->setVisible(!status_.greeting);
        if (status_.mascot) mascot_->show(*status_.mascot);
    }
    magnify_.setHovered(status_.magnified);

    const QRectF oldCountdown = countdownArea();
    const QSize oldSize = size_;
    const QRectF oldWord = word_;
    layOut();
    const bool onlyCountdown = !first && !previous.greeting && !status_.greeting && size_ == oldSize &&
                               word_ == oldWord && previous.word == status_.word &&
                               previous.colour == status_.colour && previous.mascot == status_.mascot &&
                               previous.magnified == status_.magnified;
    if (size_ != oldSize) updateGeometry();
    if (onlyCountdown) {
        update(oldCountdown.united(countdownArea()).toAlignedRect());
    } else {
        update();
    }
}

void LeftStatusView::layOut() {
    if (status_.greeting && greeting_) {
        const QSize canvas = greeting_->sizeHint();
        greeting_->setGeometry(QRect(QPoint(0, 0), canvas));
        size_ = canvas;
        row_ = QRectF(greeting_->wordRect());
        word_ = countdown_ = mascotSquare_ = QRectF();
        return;
    }
    const QFont font = textFont();
    const QFontMetricsF metrics(font);
    const double lineHeight = metrics.ascent() + metrics.descent();
    const double side = mascot_ ? mascot_->side() : 0;
    const double wordWidth = metrics.horizontalAdvance(QString::fromStdString(status_.word));
    const double countdownWidth =
        status_.countdown ? MonoDigits::width(font, QString::fromStdString(*status_.countdown)) : 0;

    double width = wordWidth;
    if (mascot_) width += side + LeftStatus::spacing;
    if (status_.countdown) width += LeftStatus::spacing + countdownWidth;
    const double height = std::max(side, lineHeight);
    const CompactRoom room = CompactRoom::around(width, height);
    size_ = room.widgetSize;
    row_ = QRectF(room.content, QSizeF(width, height));

    double x = row_.left();
    const double middle = row_.center().y();
    mascotSquare_ = mascot_ ? QRectF(x, middle - side / 2, side, side) : QRectF();
    if (mascot_) x += side + LeftStatus::spacing;
    word_ = QRectF(x, middle - lineHeight / 2, wordWidth, lineHeight);
    x += wordWidth + LeftStatus::spacing;
    countdown_ = status_.countdown ? QRectF(x, middle - lineHeight / 2, countdownWidth, lineHeight) : QRectF();
    placeMascot();
}

void LeftStatusView::placeMascot() {
    if (!mascot_ || mascotSquare_.isEmpty()) return;
    const QPoint square(static_cast<int>(std::lround(mascotSquare_.left())),
                        static_cast<int>(std::lround(mascotSquare_.top())));
    mascot_->setGeometry(QRect(square - mascot_->contentRect().topLeft(), mascot_->sizeHint()));
    // The row grows about its centre; the mascot grows with it about that same point.
    mascot_->setMagnification(magnify_.scale(), row_.center() - QPointF(mascot_->pos()));
}

QRectF LeftStatusView::countdownArea() const {
    if (countdown_.isEmpty()) return {};
    const double s = magnify_.scale();
    const QPointF c = row_.center();
    const QRectF scaled(c + (countdown_.topLeft() - c) * s, countdown_.size() * s);
    return scaled.adjusted(-1, -1, 1, 1);
}

void LeftStatusView::paintEvent(QPaintEvent*) {
    if (status_.greeting) return;
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setRenderHint(QPainter::TextAntialiasing, true);
    const double s = magnify_.scale();
    if (s != 1) {
        painter.translate(row_.center());
        painter.scale(s, s);
        painter.translate(-row_.center());
    }
    const QFont font = textFont();
    painter.setFont(font);
    painter.setPen(toQColor(status_.colour));
    const QFontMetricsF metrics(font);
    painter.drawText(QPointF(word_.left(), word_.top() + metrics.ascent()), QString::fromStdString(status_.word));
    if (status_.countdown) {
        painter.setPen(toQColor(Palette::white.withOpacity(LeftStatus::countdownOpacity)));
        MonoDigits::draw(painter, QPointF(countdown_.left(), countdown_.top() + metrics.ascent()), font,
                         QString::fromStdString(*status_.countdown));
    }
}

void LeftStatusView::mousePressEvent(QMouseEvent* event) {
    // The row is the button, transparent parts included; the room around it
    // belongs to the island.
    if (row_.contains(event->position())) {
        event->accept();
    } else {
        event->ignore();
    }
}

void LeftStatusView::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || !row_.contains(event->position())) {
        event->ignore();
        return;
    }
    event->accept();
    if (const auto& open = model_.onOpenTab()) open(L2Tab::timeline);
}

}  // namespace WaylarkKit
