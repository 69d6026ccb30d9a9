#pragma once

#include <optional>

#include <QMargins>
#include <QRect>
#include <QTransform>
#include <QWidget>

#include "Base/Scheduler.h"
#include "WaylarkKit/Mascot/MascotKind.h"
#include "WaylarkKit/Mascot/Qt/InterGlyphs.h"
#include "WaylarkKit/Motion/FigureLook.h"
#include "WaylarkKit/Motion/FrameClock.h"
#include "WaylarkKit/Motion/Qt/FigurePainter.h"
#include "WaylarkKit/Motion/ReduceMotion.h"

namespace WaylarkKit {

// The mascot in a square of `side` points. The figure moves beyond that
// square, so the widget is a larger canvas around it (`contentRect()` is the
// square a layout gives the mascot) and lets every click through to what lies
// beneath. It repaints only while a shown figure moves, at the pose's frame
// rate, and only the area that visibly changed.
class MascotView final : public QWidget {
public:
    MascotView(double side, Base::Scheduler& scheduler, ReduceMotionFlag reduceMotion,
               QWidget* parent = nullptr);
    ~MascotView() override;

    using QWidget::show;
    // Shows `kind`: nothing happens when it is already shown; a session whose
    // tint alone changed fades its accent over 0.3 s and keeps its motion in
    // phase; anything else builds the figure anew (reading Reduce Motion now),
    // which restarts every animation.
    void show(const MascotKind& kind);

    double side() const { return side_; }
    QRect contentRect() const;
    // Room on each side of the square for parts that move beyond it.
    static QMargins canvasMargins(double side);
    QSize sizeHint() const override;

    const std::optional<MascotKind>& shownKind() const { return shown_; }
    const FigureNode& figure() const { return figure_; }
    int buildCount() const { return builds_; }
    bool isAnimating() const { return frames_.isScheduled(); }

    // Figure units to widget coordinates.
    QTransform figureToWidget() const;

    // Draws the figure `scale` times its size about `about` (widget
    // coordinates), as a hovered row grows: the canvas's margins leave room.
    void setMagnification(double scale, QPointF about);
    double magnification() const { return magnification_; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void rebuild(const MascotKind& kind);
    void startFrames();
    std::optional<double> frame(double now);

    double side_;
    FrameClock clock_;
    ReduceMotionFlag reduceMotion_;
    InterGlyphs glyphs_;
    std::optional<MascotKind> shown_;
    FigureNode figure_;
    double fadeEnds_ = 0;
    double settlesAt_ = 0;
    double devicePixelRatio_ = 1;  // of the screen last painted on
    FigureLook onScreen_;  // the look each node was last repainted with
    FigureLook sampled_;   // the figure's look at `sampledAt_`
    std::optional<double> sampledAt_;
    FigurePainter painter_;
    int builds_ = 0;
    double magnification_ = 1;
    QPointF magnifiedAbout_;
    Base::TaskHandle frames_;
    // A change of the desktop's setting rebuilds the figure shown, which may loop all day.
    Base::Subscription motionChanges_;
};

}  // namespace WaylarkKit
