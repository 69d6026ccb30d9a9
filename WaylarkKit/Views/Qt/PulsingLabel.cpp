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

PulsingLabel::PulsingLabel(Base::Scheduler& scheduler, bool reduceMotion, std::function<void()> repaint)
    : clock_(scheduler),
      reduceMotion_(reduceMotion),
      repaint_(std::move(repaint)),
      pulse_(PulsingText::pulse(clock_.now())) {}

QFont PulsingLabel::font() { return interFont(PulsingText::fontSize, FontWeight::bold); }

bool PulsingLabel::set(const QString& text, const QColor& colour) {
    if (text == text_ && colour == colour_) return false;
    if (text != text_) width_ = -1;
    text_ = text;
    colour_ = colour;
    return true;
}

void PulsingLabel::setShown(bool shown) {
    if (!shown || reduceMotion_) {
        frames_.cancel();
        return;
    }
    if (frames_.isScheduled()) return;
    frames_ = clock_.run([this](double now) { return frame(now); }, PulsingText::framesPerSecond);
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
    const QFont& shown = font_;
    if (alignment & (Qt::AlignRight | Qt::AlignHCenter)) {
        MonoDigits::drawIn(painter, box, alignment, shown, text_);
    } else {
        // Left-aligned needs no measuring: the baseline is enough.
        const QFontMetricsF metrics(shown);
        const double baseline =
            box.top() + (box.height() - (metrics.ascent() + metrics.descent())) / 2 + metrics.ascent();
        MonoDigits::draw(painter, QPointF(box.left(), baseline), shown, text_);
    }
    painter.restore();
}

}  // namespace WaylarkKit
