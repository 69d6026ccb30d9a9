#pragma once

#include <QWidget>

#include "Base/Observable.h"
#include "Base/Scheduler.h"
#include "ChecklistKit/ChecklistModel.h"
#include "WaylarkKit/Checklist/ChecklistIndicatorState.h"
#include "WaylarkKit/Motion/FrameClock.h"

namespace WaylarkKit {

// The checklist's badge in the compact island: a pulsing red "!" without an
// active checklist, a green checkmark when it is complete, otherwise the count
// ticked over total. The compact view around it places, scales and shows it.
class ChecklistIndicator final : public QWidget {
public:
    static constexpr double badgeHeight = 16;

    ChecklistIndicator(ChecklistKit::ChecklistModel& checklist, Base::Scheduler& scheduler, QWidget* parent = nullptr);

    const ChecklistIndicatorState& state() const { return state_; }
    QSize sizeHint() const override;
    // The "!"'s opacity `t` seconds into its pulse: 1 down to 0.45 and back every 2.2 s.
    static double pulseOpacity(double t);

protected:
    void paintEvent(QPaintEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void refresh();
    void updatePulse();

    ChecklistKit::ChecklistModel& checklist_;
    FrameClock frames_;
    ChecklistIndicatorState state_;
    double pulseStart_ = 0;
    double opacity_ = 1;
    Base::TaskHandle pulse_;
    Base::Subscription subscription_;
};

}  // namespace WaylarkKit
