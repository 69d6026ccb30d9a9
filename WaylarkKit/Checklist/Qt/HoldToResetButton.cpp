#include "WaylarkKit/Checklist/Qt/HoldToResetButton.h"

#include <QMouseEvent>
#include <QPainter>

#include "WaylarkKit/Checklist/ChecklistTexts.h"
#include "WaylarkKit/Checklist/Qt/ChecklistDrawing.h"

namespace WaylarkKit {

using namespace ChecklistDrawing;

HoldToResetButton::HoldToResetButton(HoldToConfirm& hold, QWidget* parent) : QWidget(parent), hold_(hold) {
    setFixedSize(static_cast<int>(width), static_cast<int>(height));
    progressSubscription_ = hold_.observeProgress([this] { update(); });
    holdingSubscription_ = hold_.observeIsHolding([this] { update(); });
}

HoldToResetButton::~HoldToResetButton() { dropHold(); }

void HoldToResetButton::setResetEnabled(bool enabled) {
    if (enabled_ == enabled) return;
    enabled_ = enabled;
    update();
}

void HoldToResetButton::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing, true);
    const QRectF bounds(0, 0, width, height);
    painter.setClipPath(capsule(bounds));
    fill(painter, capsule(bounds), white(enabled_ ? 0.1 : 0.05));
    const double fillWidth = ChecklistTexts::holdFillWidth(hold_.progress(), width);
    if (fillWidth > 0) fill(painter, capsule(QRectF(0, 0, fillWidth, height)), orange(0.75));
    drawLine(painter, bounds, Qt::AlignHCenter, interFont(10, FontWeight::semibold), white(enabled_ ? 0.9 : 0.3),
             QString::fromStdString(ChecklistTexts::holdLabel(hold_.isHolding())));
}

void HoldToResetButton::pressed() {
    if (enabled_) hold_.begin(hold_.now(), true);
}

void HoldToResetButton::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || !capsule(QRectF(0, 0, width, height)).contains(event->position())) {
        event->ignore();
        return;
    }
    tracking_ = true;
    pressed();
}

void HoldToResetButton::mouseMoveEvent(QMouseEvent* event) {
    // Moving while pressed, also outside the capsule, keeps the hold; a hold
    // that completed during the press starts again here.
    if (tracking_) pressed();
    event->accept();
}

void HoldToResetButton::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || !tracking_) return;
    tracking_ = false;
    hold_.cancel();
}

void HoldToResetButton::dropHold() {
    if (!tracking_) return;
    tracking_ = false;
    hold_.cancel();
}

void HoldToResetButton::hideEvent(QHideEvent* event) {
    QWidget::hideEvent(event);
    dropHold();
}

void HoldToResetButton::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    // Another window taking the pointer, or a modal one blocking ours, ends the
    // press without a release ever reaching us.
    const bool lostPointer = (event->type() == QEvent::ActivationChange && !isActiveWindow()) ||
                             event->type() == QEvent::WindowBlocked;
    if (lostPointer) dropHold();
}

}  // namespace WaylarkKit
