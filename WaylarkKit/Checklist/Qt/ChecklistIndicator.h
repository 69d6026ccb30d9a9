#pragma once

#include <QWidget>

#include "Base/Observable.h"
#include "Base/Scheduler.h"
#include "ChecklistKit/ChecklistModel.h"
#include "WaylarkKit/Checklist/ChecklistIndicatorState.h"
#include "WaylarkKit/Motion/ReduceMotion.h"
#include "WaylarkKit/Views/Qt/PulsingLabel.h"

namespace WaylarkKit {

// The checklist's badge in the compact island: a pulsing red "!" without an
// active checklist, a green checkmark when it is complete, otherwise the count
// ticked over total. The compact view around it places, scales and shows it;
// the badge draws centred in whatever room it is given.
class ChecklistIndicator final : public QWidget {
public:
    static constexpr double badgeHeight = 16;

    // Reduce Motion is read once, here: it holds the "!" still.
    ChecklistIndicator(ChecklistKit::ChecklistModel& checklist, Base::Scheduler& scheduler,
                       const ReduceMotionFlag& reduceMotion, QWidget* parent = nullptr);

    const ChecklistIndicatorState& state() const { return state_; }
    QSize sizeHint() const override;
    const PulsingLabel& mark() const { return mark_; }

    // Draws the badge `scale` times its size about its centre.
    void setMagnification(double scale);

protected:
    void paintEvent(QPaintEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void refresh();
    void updatePulse();
    QSize measuredSize() const;

    ChecklistKit::ChecklistModel& checklist_;
    ChecklistIndicatorState state_;
    PulsingLabel mark_;
    double magnification_ = 1;
    QSize hint_;
    Base::Subscription subscription_;
};

}  // namespace WaylarkKit
