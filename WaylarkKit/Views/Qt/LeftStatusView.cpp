#include "WaylarkKit/Views/Qt/LeftStatusView.h"

#include <cmath>

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>

#include "WaylarkKit/Views/Qt/CompactRoom.h"
#include "WaylarkKit/Views/Qt/IslandViewsObserving.h"

namespace WaylarkKit {

LeftStatusView::LeftStatusView(TimingViewModel& model, std::string islandID, bool showsMascot,
                               Base::Scheduler& scheduler, ReduceMotionFlag reduceMotion, double mascotSide,
                               QWidget* parent)
    : QWidget(parent),
      model_(model),
      islandID_(std::move(islandID)),
      showsMascot_(showsMascot),
      scheduler_(scheduler),
      reduceMotion_(std::move(reduceMotion)),
      countdownRepaint_(*this, scheduler),
      magnify_(scheduler, [this] {
          placeMascot();
          update();
      }) {
    // It sits on the black island: painting that black itself spares the
    // island beneath a repaint on every tick and every frame of the mascot.
    setAttribute(Qt::WA_OpaquePaintEvent);
    if (showsMascot_) mascot_ = new MascotView(mascotSide, scheduler_, reduceMotion_, this);
    refresh();

    using F = TimingViewModel::Field;
    subscriptions_ =
        IslandViews::observeCompact(model_, {F::statusChangedAt, F::isCelebratingChecklist}, [this] { refresh(); });
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
    const QRectF oldWord = row_.word;
    layOut();
    const bool onlyCountdown = !first && !previous.greeting && !status_.greeting && size_ == oldSize &&
                               row_.word == oldWord && previous.word == status_.word &&
                               previous.colour == status_.colour && previous.mascot == status_.mascot &&
                               previous.magnified == status_.magnified;
    if (size_ != oldSize) updateGeometry();
    if (onlyCountdown) {
        countdownRepaint_.request(oldCountdown.united(countdownArea()).toAlignedRect());
    } else {
        update();
    }
}

void LeftStatusView::layOut() {
    if (status_.greeting && greeting_) {
        const QSize canvas = greeting_->sizeHint();
        greeting_->setGeometry(QRect(QPoint(0, 0), canvas));
        size_ = canvas;
        row_ = LeftStatusRow{QRectF(greeting_->wordRect()), {}, {}, {}};
        return;
    }
    const double side = mascot_ ? mascot_->side() : 0;
    const QSizeF row = LeftStatusRow::size(status_, side, fonts_);
    const CompactRoom room = CompactRoom::around(row.width(), row.height());
    size_ = room.widgetSize;
    row_ = LeftStatusRow::layOut(status_, side, room.content, fonts_);
    placeMascot();
}

void LeftStatusView::placeMascot() {
    if (!mascot_ || row_.mascot.isEmpty()) return;
    const QPoint square(static_cast<int>(std::lround(row_.mascot.left())),
                        static_cast<int>(std::lround(row_.mascot.top())));
    mascot_->setGeometry(QRect(square - mascot_->contentRect().topLeft(), mascot_->sizeHint()));
    // The row grows about its centre; the mascot grows with it about that same point.
    mascot_->setMagnification(magnify_.scale(), row_.row.center() - QPointF(mascot_->pos()));
}

QRectF LeftStatusView::countdownArea() const {
    if (row_.countdown.isEmpty()) return {};
    const double s = magnify_.scale();
    const QPointF c = row_.row.center();
    const QRectF scaled(c + (row_.countdown.topLeft() - c) * s, row_.countdown.size() * s);
    return scaled.adjusted(-1, -1, 1, 1);
}

void LeftStatusView::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    painter.fillRect(event->rect(), Qt::black);
    if (status_.greeting) return;
    paintLeftStatusText(painter, status_, row_, magnify_.scale(), fonts_, event->region());
}

void LeftStatusView::mousePressEvent(QMouseEvent* event) {
    // The row is the button, transparent parts included; the room around it
    // belongs to the island.
    if (row_.row.contains(event->position())) {
        event->accept();
    } else {
        event->ignore();
    }
}

void LeftStatusView::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || !row_.row.contains(event->position())) {
        event->ignore();
        return;
    }
    event->accept();
    if (const auto& open = model_.onOpenTab()) open(L2Tab::timeline);
}

}  // namespace WaylarkKit
