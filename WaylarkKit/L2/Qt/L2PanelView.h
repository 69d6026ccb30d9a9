#pragma once

#include <array>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include <QPointer>
#include <QWidget>

#include "Base/Observable.h"
#include "Base/Scheduler.h"
#include "ChecklistKit/ChecklistModel.h"
#include "IslandKit/Model/IslandModel.h"
#include "IslandKit/View/Spring.h"
#include "WaylarkKit/Calculator/CalculatorModel.h"
#include "WaylarkKit/Checklist/ChecklistUIState.h"
#include "WaylarkKit/L2/L2Layout.h"
#include "WaylarkKit/L2/PanelFooter.h"
#include "WaylarkKit/L2/StripHoverState.h"
#include "WaylarkKit/Motion/FrameClock.h"
#include "WaylarkKit/Motion/KeyframeTrack.h"
#include "WaylarkKit/Motion/ReduceMotion.h"
#include "WaylarkKit/Timing/TimingViewModel.h"
#include "WaylarkKit/Views/HoverMagnification.h"

namespace WaylarkKit {

class HoverTracker;

// The content of an expanded island: one region per tab, the active tab's
// view in the wide one and the other tabs as narrow strips that open their tab
// when clicked, and under them the footer with the data status and the demo
// controls. The regions slide with a spring when the tab changes; inactive
// strips blink after each change of tab, a restricted weekly strip breathes,
// and a swipe past the last tab shakes the regions (none of the three with
// Reduce Motion). Draws nothing while the island is compact.
//
// The tab views are made the first time their tab is shown and kept, hidden
// while another tab or the compact island shows.
class L2PanelView final : public QWidget {
public:
    static constexpr double footerHeight = 36;
    static constexpr double footerSpacing = 4;

    L2PanelView(TimingViewModel& model, IslandKit::IslandModel& island, ChecklistKit::ChecklistModel& checklist,
                ChecklistUIState& checklistUI, CalculatorModel& calculator, std::function<void()> onQuit,
                Base::Scheduler& scheduler, ReduceMotionFlag reduceMotion, QWidget* parent = nullptr);
    ~L2PanelView() override;
    L2PanelView(const L2PanelView&) = delete;
    L2PanelView& operator=(const L2PanelView&) = delete;

    // Where the regions are going, and where they are drawn at this moment.
    const std::vector<L2Region>& regions() const { return target_; }
    const std::vector<L2Region>& shownRegions() const { return shown_; }
    double regionHeight() const;
    QRectF regionRect(L2Tab tab) const;
    QWidget* tabView(L2Tab tab) const;
    StripHoverState& stripHover() { return stripHover_; }
    // The strip label's opacity from its blink or breathing (1 when still).
    double labelOpacity(L2Tab tab) const;
    double shakeOffset() const { return shakeOffset_; }
    bool isAnimating() const { return frames_.isScheduled(); }

    const std::string& statusLine() const { return statusLine_; }
    const std::vector<PanelFooter::Button>& buttons() const { return buttons_; }
    QRectF buttonRect(PanelFooter::Button::Action action) const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    bool isExpanded() const;
    void refresh();
    void refreshRegions();
    void refreshFooter();
    void refreshRestrictions();
    void startBlink();
    void startShake();
    void startFrames();
    std::optional<double> frame(double now);
    void placeChildren();
    QWidget* makeTab(L2Tab tab);
    HoverMagnification& stripMagnifier(L2Tab tab);
    QRectF footerArea() const;
    std::optional<L2Tab> stripAt(QPointF point) const;
    void press(PanelFooter::Button::Action action);

    TimingViewModel& model_;
    IslandKit::IslandModel& island_;
    ChecklistKit::ChecklistModel& checklist_;
    ChecklistUIState& checklistUI_;
    CalculatorModel& calculator_;
    std::function<void()> onQuit_;
    Base::Scheduler& scheduler_;
    ReduceMotionFlag reduceMotion_;
    FrameClock clock_;
    const IslandKit::Spring spring_;
    StripHoverState stripHover_;
    std::optional<Base::TimeZone> localZone_;

    std::vector<L2Region> target_;
    std::vector<L2Region> from_;
    std::vector<L2Region> shown_;
    L2Tab shownTab_ = L2Tab::timeline;
    std::optional<double> springStart_;
    std::map<L2Tab, Rgba> restrictions_;
    std::map<L2Tab, QPointer<QWidget>> tabs_;
    std::map<L2Tab, QPointer<HoverTracker>> trackers_;
    std::map<L2Tab, std::unique_ptr<HoverMagnification>> magnifiers_;
    std::map<L2Tab, int> paintedOpacity_;

    bool reduced_ = false;
    bool wasExpanded_ = false;
    std::optional<KeyframeTrack> blink_;
    std::optional<KeyframeTrack> breathing_;
    std::optional<KeyframeTrack> shake_;
    double shakeOffset_ = 0;
    int lastPulse_ = 0;
    int lastShake_ = 0;

    std::string statusLine_;
    std::vector<PanelFooter::Button> buttons_;
    Base::TaskHandle frames_;
    // Last, so they go first.
    std::array<Base::Subscription, 20> subscriptions_;
};

}  // namespace WaylarkKit
