#pragma once

#include <vector>
#include <string>

#include <QPointer>
#include <QWidget>

#include "Base/Observable.h"
#include "Base/Scheduler.h"
#include "WaylarkKit/Greeting/Qt/GreetingWordView.h"
#include "WaylarkKit/Mascot/Qt/MascotView.h"
#include "WaylarkKit/Motion/Qt/FrameAlignedRepaint.h"
#include "WaylarkKit/Motion/ReduceMotion.h"
#include "WaylarkKit/Timing/TimingViewModel.h"
#include "WaylarkKit/Views/HoverMagnification.h"
#include "WaylarkKit/Views/LeftStatus.h"
#include "WaylarkKit/Views/Qt/LeftStatusPainting.h"

namespace WaylarkKit {

// The island's slot left of the notch: the mascot (when this island draws it
// here), the status word in the status colour and the countdown to a near
// change; the first greeting word while the greeting plays. The row grows by
// a tenth while the pointer is over it; a click opens the timeline tab.
//
// The widget keeps a little room around the row, so the hovered row and the
// mascot's moves beyond its square are not cut at the widget's edges. It
// repaints only what changed: from one tick to the next that is usually the
// countdown alone.
class LeftStatusView final : public QWidget {
public:
    LeftStatusView(TimingViewModel& model, std::string islandID, bool showsMascot, Base::Scheduler& scheduler,
                   ReduceMotionFlag reduceMotion, double mascotSide = LeftStatus::mascotSide,
                   QWidget* parent = nullptr);
    ~LeftStatusView() override;
    LeftStatusView(const LeftStatusView&) = delete;
    LeftStatusView& operator=(const LeftStatusView&) = delete;

    const LeftStatus& status() const { return status_; }
    // Where the row (or the greeting word's canvas) lies in the widget.
    QRectF rowRect() const { return row_.row; }
    double magnification() const { return magnify_.scale(); }
    MascotView* mascotView() const { return mascot_; }
    GreetingWordView* greetingView() const { return greeting_; }
    QSize sizeHint() const override { return size_; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void refresh();
    void layOut();
    void placeMascot();
    QRectF countdownArea() const;

    TimingViewModel& model_;
    const std::string islandID_;
    const bool showsMascot_;
    Base::Scheduler& scheduler_;
    ReduceMotionFlag reduceMotion_;
    FrameAlignedRepaint countdownRepaint_;
    LeftStatus status_;
    bool hasStatus_ = false;
    QPointer<MascotView> mascot_;
    QPointer<GreetingWordView> greeting_;
    QSize size_;
    LeftStatusFonts fonts_;
    LeftStatusRow row_;
    HoverMagnification magnify_;
    // Last, so they go first.
    std::vector<Base::Subscription> subscriptions_;
};

}  // namespace WaylarkKit
