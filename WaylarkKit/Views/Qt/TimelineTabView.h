#pragma once

#include <memory>
#include <optional>
#include <vector>

#include <QMenu>
#include <QWidget>

#include "Base/Observable.h"
#include "WaylarkKit/Timing/TimingViewModel.h"
#include "WaylarkKit/Views/Qt/TimelineHeader.h"
#include "WaylarkKit/Views/TimelineCanvas.h"
#include "WaylarkKit/Views/TimelineScale.h"

namespace WaylarkKit {

// The timeline tab: the header (title, zoom, profile menu, editor button),
// the bar of the hours around now and the explanation line under it. It
// keeps no state and runs no timers: it reads the timing view model and its
// settings, repaints when they change, and acts only through them. The model
// outlives the view.
class TimelineTabView final : public QWidget {
public:
    // Header 22, spacing 8, canvas 101, spacing 10, explanation line 18.
    static constexpr int tabHeight = 159;
    static constexpr double canvasTop = TimelineHeader::height + 8;
    static constexpr double explanationTop = canvasTop + TimelineCanvas::height + 10;
    static constexpr double explanationHeight = 18;

    explicit TimelineTabView(TimingViewModel& model, QWidget* parent = nullptr);
    ~TimelineTabView() override;
    TimelineTabView(const TimelineTabView&) = delete;
    TimelineTabView& operator=(const TimelineTabView&) = delete;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

    // What the view shows now, as it lays it out.
    TimelineScale scale() const;
    TimelineCanvas canvas() const;
    TimelineHeader header() const;
    // The profile menu while it is open, else null.
    QMenu* openProfileMenu() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    bool event(QEvent* event) override;

private:
    enum class Control { none, zoomIn, zoomOut, profile, pencil, canvas };
    struct Target {
        Control control = Control::none;
        std::optional<TimelineSelection> selection;  // canvas only
        bool operator==(const Target&) const = default;
    };

    void refresh();
    void syncMenu();
    void showMenu();
    Target targetAt(const QPointF& point) const;
    void act(const Target& target);

    TimingViewModel& model_;
    std::unique_ptr<QMenu> menu_;
    std::optional<Target> pressed_;
    mutable std::optional<TimelineHeader> header_;
    // Last, so they go first: no notification reaches a view being torn down.
    std::vector<Base::Subscription> subscriptions_;
};

}  // namespace WaylarkKit
