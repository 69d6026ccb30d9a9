#pragma once

#include <array>

#include <QPointer>
#include <QWidget>

#include "Base/Observable.h"
#include "Base/Scheduler.h"
#include "IslandKit/Geometry/IslandLayout.h"
#include "IslandKit/Model/IslandModel.h"

class QGraphicsOpacityEffect;

namespace IslandKit {

class IslandSurface;

// Draws one island inside its window canvas: the black outline, the virtual
// notch's label or centre view, the two slot views beside the notch and the
// expanded content. Measures the slot views into the model, toggles the model
// on a tap, and moves every layout change with one spring.
class IslandRootView final : public QWidget {
public:
    IslandRootView(IslandModel& model, Base::Scheduler& scheduler, QWidget* parent = nullptr);
    ~IslandRootView() override;

    // The layout drawn at this moment, on its way to the model's layout.
    const IslandLayout& displayedLayout() const { return displayed_; }
    bool isAnimating() const { return frameTask_.isScheduled(); }
    // Whether the island is drawn beyond the rectangle it is moving to, as it
    // is while it shrinks: the screen still shows ground it is leaving.
    bool drawsBeyondTarget() const;
    double expandedOpacity() const { return expandedOpacity_; }

    IslandSurface* surface() const { return surface_; }
    QWidget* leadingView() const { return leadingView_; }
    QWidget* trailingView() const { return trailingView_; }
    QWidget* expandedView() const { return expandedView_; }
    QWidget* centerView() const { return centerView_; }

    // The rounded-up width a slot takes for a measured natural width, or
    // nothing when the model's width is within half a point of it.
    static std::optional<double> slotWidthUpdate(double measured, double current);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* rebuild(QWidget* box, QPointer<QWidget>& view, const IslandView& maker);
    void retarget();
    void frame();
    void place();
    void measure();
    void tap(QPointF location);

    IslandModel& model_;
    Base::Scheduler& scheduler_;
    IslandSurface* surface_;
    QWidget* leadingBox_;
    QWidget* trailingBox_;
    QWidget* expandedBox_;
    QWidget* centerBox_;
    QGraphicsOpacityEffect* expandedEffect_;
    QPointer<QWidget> leadingView_;
    QPointer<QWidget> trailingView_;
    QPointer<QWidget> expandedView_;
    QPointer<QWidget> centerView_;

    IslandLayout displayed_;
    IslandLayout from_;
    IslandLayout target_;
    double expandedOpacity_ = 0;
    double opacityFrom_ = 0;
    long animationFrames_ = 0;
    Base::TaskHandle frameTask_;
    std::array<Base::Subscription, 9> subscriptions_;
};

}  // namespace IslandKit
