#include "WaylarkKit/Checklist/Qt/ChecklistIndicator.h"

#include <cmath>
#include <numbers>

#include <QPainter>

#include "WaylarkKit/Checklist/Qt/ChecklistDrawing.h"
#include "WaylarkKit/Style/Palette.h"
#include "WaylarkKit/Style/Qt/QtColor.h"
#include "WaylarkKit/Style/Qt/TextDrawing.h"

namespace WaylarkKit {

using namespace ChecklistDrawing;

namespace {

constexpr double pulseHalf = 1.1;
constexpr double pulseLow = 0.45;
// A slow fade needs few frames to look smooth.
constexpr double pulseFramesPerSecond = 12;

QFont countFont() { return interFont(12, FontWeight::semibold); }
QFont markFont() { return interFont(12, FontWeight::bold); }
const QString mark = QStringLiteral("!");

}  // namespace

ChecklistIndicator::ChecklistIndicator(ChecklistKit::ChecklistModel& checklist, Base::Scheduler& scheduler,
                                       QWidget* parent)
    : QWidget(parent), checklist_(checklist), frames_(scheduler) {
    refresh();
    subscription_ = checklist_.observeState([this] { refresh(); });
}

double ChecklistIndicator::pulseOpacity(double t) {
    const double phase = std::fmod(std::max(0.0, t), 2 * pulseHalf) / pulseHalf;  // 0…2
    const double f = phase <= 1 ? phase : 2 - phase;
    const double eased = (1 - std::cos(std::numbers::pi * f)) / 2;
    return 1 - (1 - pulseLow) * eased;
}

QSize ChecklistIndicator::sizeHint() const {
    double w = 0;
    switch (state_.kind) {
        case ChecklistIndicatorState::Kind::noChecklist: w = textWidth(markFont(), mark); break;
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
    updatePulse();
    updateGeometry();
    update();
}

void ChecklistIndicator::updatePulse() {
    const bool pulses = isVisible() && state_.kind == ChecklistIndicatorState::Kind::noChecklist;
    if (!pulses) {
        pulse_.cancel();
        opacity_ = 1;
        return;
    }
    if (pulse_.isScheduled()) return;
    pulseStart_ = frames_.now();
    pulse_ = frames_.run(
        [this](double t) {
            opacity_ = pulseOpacity(t - pulseStart_);
            update();
            return true;
        },
        pulseFramesPerSecond);
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
    switch (state_.kind) {
        case ChecklistIndicatorState::Kind::noChecklist:
            painter.setOpacity(opacity_);
            drawLine(painter, box, Qt::AlignHCenter, markFont(), toQColor(Palette::red), mark);
            break;
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
