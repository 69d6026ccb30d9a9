#include "WaylarkKit/Views/Qt/PulsingLabel.h"

#include <cmath>

#include <QFontMetricsF>

#include "WaylarkKit/Style/Qt/Fonts.h"
#include "WaylarkKit/Style/Qt/TextDrawing.h"
#include "WaylarkKit/Views/PulsingText.h"

namespace WaylarkKit {

namespace {

// One step of an 8-bit channel: a smaller change of opacity shows nothing.
int opacityStep(double opacity) { return static_cast<int>(std::lround(opacity * 255)); }

}  // namespace

PulsingLabel::PulsingLabel(Base::Scheduler& scheduler, ReduceMotionFlag reduceMotion, std::function<void()> repaint)
    : clock_(scheduler),
      reduceMotion_(std::move(reduceMotion)),
      repaint_(std::move(repaint)),
      pulse_(PulsingText::pulse(clock_.now())),
      motionChanges_(reduceMotion_.observe([this] { follow(); })) {}

QFont PulsingLabel::font() { return interFont(PulsingText::fontSize, FontWeight::bold); }

bool PulsingLabel::set(const QString& text, const QColor& colour) {
    if (text == text_ && colour == colour_) return false;
    if (text != text_) {
        width_ = -1;
        glyphs_.clear();
    }
    text_ = text;
    colour_ = colour;
    return true;
}

void PulsingLabel::setShown(bool shown) {
    shown_ = shown;
    if (!shown || reduceMotion_()) {
        frames_.cancel();
        return;
    }
    if (frames_.isScheduled()) return;
    frames_ = clock_.run([this](double now) { return frame(now); }, PulsingText::framesPerSecond);
}

void PulsingLabel::follow() {
    setShown(shown_);
    // Stopped mid-fade, the text would stay dim.
    if (reduceMotion_() && opacity_ != 1) {
        opacity_ = 1;
        if (repaint_) repaint_();
    }
}

bool PulsingLabel::frame(double now) {
    const double next = pulse_.sample(now).value_or(1);
    if (opacityStep(next) != opacityStep(opacity_)) {
        opacity_ = next;
        if (repaint_) repaint_();
    }
    return true;
}

double PulsingLabel::width() const {
    if (width_ < 0) width_ = MonoDigits::width(font_, text_);
    return width_;
}

void PulsingLabel::paint(QPainter& painter, const QRectF& box, Qt::Alignment alignment) const {
    painter.save();
    painter.setOpacity(painter.opacity() * opacity_);
    painter.setPen(colour_);
    // Measured and shaped once per text: shaping it anew would cost more than
    // drawing it, on every frame of the pulse.
    double x = box.left();
    if (alignment & Qt::AlignRight) {
        x = box.right() - width();
    } else if (alignment & Qt::AlignHCenter) {
        x = box.left() + (box.width() - width()) / 2;
    }
    const double baseline = centredBaseline(font_, box);
    if (glyphs_.empty()) glyphs_ = MonoDigits::glyphRuns(font_, text_);
    for (const QGlyphRun& glyphs : glyphs_) painter.drawGlyphRun(QPointF(x, baseline), glyphs);
    painter.restore();
}

}  // namespace WaylarkKit
