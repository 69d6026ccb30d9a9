#include "WaylarkKit/Checklist/Qt/ChecklistIndicator.h"

#include <cmath>

#include <QPainter>

#include "WaylarkKit/Checklist/Qt/ChecklistDrawing.h"
#include "WaylarkKit/Style/Palette.h"
#include "WaylarkKit/Style/Qt/QtColor.h"
#include "WaylarkKit/Style/Qt/TextDrawing.h"

namespace WaylarkKit {

using namespace ChecklistDrawing;

namespace {

QFont countFont() { return interFont(12, FontWeight::semibold); }
const QString exclamation = QStringLiteral("!");

}  // namespace

ChecklistIndicator::ChecklistIndicator(ChecklistKit::ChecklistModel& checklist, Base::Scheduler& scheduler,
                                       const ReduceMotionFlag& reduceMotion, QWidget* parent)
    : QWidget(parent),
      checklist_(checklist),
      mark_(scheduler, reduceMotion, [this] { update(); }) {
    mark_.set(exclamation, toQColor(Palette::red));
    hint_ = measuredSize();
    refresh();
    subscription_ = checklist_.observeState([this] { refresh(); });
}

void ChecklistIndicator::setMagnification(double scale) {
    if (scale == magnification_) return;
    magnification_ = scale;
    update();
}

QSize ChecklistIndicator::sizeHint() const { return hint_; }

QSize ChecklistIndicator::measuredSize() const {
    double w = 0;
    switch (state_.kind) {
        case ChecklistIndicatorState::Kind::noChecklist: w = mark_.width(); break;
        case ChecklistIndicatorState::Kind::complete: w = symbolWidth(12); break;
        case ChecklistIndicatorState::Kind::counting:
            w = MonoDigits::width(countFont(), QString::fromStdString(state_.text().value_or("")));
            break;
    }
    return {static_cast<int>(std::ceil(w)), static_cast<int>(badgeHeight)};
}

void ChecklistIndicator::refresh() {
    const ChecklistIndicatorState now = ChecklistIndicatorState::from(checklist_.progress());
    if (now == state_) return;
    state_ = now;
    // Measured once per change: the compact row asks for it on every tick.
    hint_ = measuredSize();
    updatePulse();
    updateGeometry();
    update();
}

void ChecklistIndicator::updatePulse() {
    mark_.setShown(isVisible() && state_.kind == ChecklistIndicatorState::Kind::noChecklist);
}

void ChecklistIndicator::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    updatePulse();
}

void ChecklistIndicator::hideEvent(QHideEvent* event) {
    QWidget::hideEvent(event);
    updatePulse();
}

void ChecklistIndicator::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing, true);
    const QRectF box(0, 0, width(), height());
    if (magnification_ != 1) {
        painter.translate(box.center());
        painter.scale(magnification_, magnification_);
        painter.translate(-box.center());
    }
    switch (state_.kind) {
        case ChecklistIndicatorState::Kind::noChecklist: mark_.paint(painter, box, Qt::AlignHCenter); break;
        case ChecklistIndicatorState::Kind::complete:
            drawSymbol(painter, Symbol::checkmark, box.center(), 12, 1, toQColor(Palette::green));
            break;
        case ChecklistIndicatorState::Kind::counting:
            painter.setPen(state_.total == 0 ? white(0.4) : toQColor(ChecklistColor::progress));
            MonoDigits::drawIn(painter, box, Qt::AlignHCenter | Qt::AlignVCenter, countFont(),
                               QString::fromStdString(state_.text().value_or("")));
            break;
    }
}

}  // namespace WaylarkKit
