#pragma once

#include <functional>
#include <vector>

#include <QColor>
#include <QFont>
#include <QGlyphRun>
#include <QPainter>
#include <QRectF>
#include <QString>

#include "Base/Scheduler.h"
#include "WaylarkKit/Motion/FrameClock.h"
#include "WaylarkKit/Motion/KeyframeTrack.h"
#include "WaylarkKit/Motion/ReduceMotion.h"

namespace WaylarkKit {

// A pulsing label that its host widget paints: bold 12-point text whose
// opacity fades to 45 % and back every 2.2 s. The pulse starts when the label
// is made and keeps its phase while text and colour change; it asks for
// frames only while the host says it is shown, and calls `repaint` only when
// the opacity moved by a visible step. With Reduce Motion the text is steady,
// from the moment the desktop's setting changes.
class PulsingLabel {
public:
    PulsingLabel(Base::Scheduler& scheduler, ReduceMotionFlag reduceMotion, std::function<void()> repaint);
    PulsingLabel(const PulsingLabel&) = delete;
    PulsingLabel& operator=(const PulsingLabel&) = delete;

    static QFont font();

    // Returns whether anything changed.
    bool set(const QString& text, const QColor& colour);
    void setShown(bool shown);

    const QString& text() const { return text_; }
    const QColor& colour() const { return colour_; }
    double width() const;
    double opacity() const { return opacity_; }
    bool isAnimating() const { return frames_.isScheduled(); }

    // The text in `box`, aligned as asked and vertically centred.
    void paint(QPainter& painter, const QRectF& box, Qt::Alignment alignment = Qt::AlignLeft) const;

private:
    bool frame(double now);
    void follow();

    FrameClock clock_;
    ReduceMotionFlag reduceMotion_;
    std::function<void()> repaint_;
    KeyframeTrack pulse_;
    QFont font_ = font();
    QString text_;
    QColor colour_;
    double opacity_ = 1;
    mutable double width_ = -1;  // measured on first need
    mutable std::vector<QGlyphRun> glyphs_;  // shaped on first need
    bool shown_ = false;
    Base::TaskHandle frames_;
    Base::Subscription motionChanges_;
};

}  // namespace WaylarkKit
