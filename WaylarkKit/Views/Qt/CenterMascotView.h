#pragma once

#include <array>

#include <QWidget>

#include "Base/Observable.h"
#include "Base/Scheduler.h"
#include "WaylarkKit/Motion/ReduceMotion.h"
#include "WaylarkKit/Timing/TimingViewModel.h"
#include "WaylarkKit/Views/LeftStatus.h"

namespace WaylarkKit {

class MascotView;

// The mascot alone, centred in the island's virtual notch on a display
// without a camera notch: the status view beside it then leaves it out.
class CenterMascotView final : public QWidget {
public:
    CenterMascotView(TimingViewModel& model, Base::Scheduler& scheduler, ReduceMotionFlag reduceMotion,
                     double mascotSide = LeftStatus::mascotSide, QWidget* parent = nullptr);
    ~CenterMascotView() override;

    MascotView* mascotView() const { return mascot_; }
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void refresh();

    TimingViewModel& model_;
    MascotView* mascot_;
    std::array<Base::Subscription, 2> subscriptions_;
};

}  // namespace WaylarkKit
