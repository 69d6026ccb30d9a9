#include "WaylarkKit/Mascot/Qt/MascotView.h"

#include <cmath>

#include <QPaintEvent>
#include <QPainter>

#include "WaylarkKit/Mascot/Ink.h"
#include "WaylarkKit/Mascot/MascotArtwork.h"
#include "WaylarkKit/Mascot/MascotTintLayer.h"

namespace WaylarkKit {

namespace {

// The design space is a 160-unit square: the 100-unit figure with 30 units of
// room on either side, rows -22 to 138 from top to bottom.
constexpr double designSquare = 160;
constexpr double designLeft = -30;
constexpr double designTop = -22;
// How far beyond the square the poses reach, in design units: the sleep
// letters rise above it, and the celebration's full turn about the figure's
// feet swings it out to the sides and below.
constexpr double overflowLeft = 24;
constexpr double overflowTop = 8;
constexpr double overflowRight = 16;
constexpr double overflowBottom = 56;
constexpr double retintSeconds = 0.3;
constexpr double fadeFramesPerSecond = 30;
// Closer than this, two samples of a figure look alike.
constexpr double sameInstant = 0.001;

}  // namespace

MascotView::MascotView(double side, Base::Scheduler& scheduler, ReduceMotionFlag reduceMotion, QWidget* parent)
    : QWidget(parent), side_(side), clock_(scheduler), reduceMotion_(std::move(reduceMotion)) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_NoSystemBackground);
    resize(sizeHint());
    motionChanges_ = reduceMotion_.observe([this] {
        if (shown_) rebuild(*shown_);
    });
}

MascotView::~MascotView() = default;

QMargins MascotView::canvasMargins(double side) {
    const auto points = [side](double units) { return static_cast<int>(std::ceil(side * units / designSquare)); };
    return QMargins(points(overflowLeft), points(overflowTop), points(overflowRight), points(overflowBottom));
}

QRect MascotView::contentRect() const {
    const QMargins margins = canvasMargins(side_);
    const int extent = static_cast<int>(std::lround(side_));
    return QRect(margins.left(), margins.top(), extent, extent);
}

QSize MascotView::sizeHint() const { return contentRect().marginsAdded(canvasMargins(side_)).size(); }

QTransform MascotView::figureToWidget() const {
    const double scale = side_ / designSquare;
    const QPoint origin = contentRect().topLeft();
    // Design y already grows downward, like the widget's: no flip.
    const QTransform placed = QTransform::fromTranslate(-designLeft, -designTop) *
                              QTransform::fromScale(scale, scale) * QTransform::fromTranslate(origin.x(), origin.y());
    if (magnification_ == 1) return placed;
    const QPointF c = magnifiedAbout_;
    return placed * QTransform::fromTranslate(-c.x(), -c.y()) *
           QTransform::fromScale(magnification_, magnification_) * QTransform::fromTranslate(c.x(), c.y());
}

void MascotView::setMagnification(double scale, QPointF about) {
    if (scale == magnification_ && about == magnifiedAbout_) return;
    magnification_ = scale;
    magnifiedAbout_ = about;
    // What was drawn at the old size is all stale: paint every node afresh.
    onScreen_ = {};
    update();
}

void MascotView::show(const MascotKind& kind) {
    if (shown_ && *shown_ == kind) return;
    if (shown_ && onlyTintChanges(*shown_, kind)) {
        shown_ = kind;
        const double now = clock_.now();
        MascotTintLayer::apply(sessionAccent(kind.asSession()->tint), figure_, now, retintSeconds);
        sampledAt_.reset();
        fadeEnds_ = now + retintSeconds;
        startFrames();
        return;
    }
    rebuild(kind);
}

void MascotView::rebuild(const MascotKind& kind) {
    shown_ = kind;
    const bool reduce = reduceMotion_ && reduceMotion_();
    painter_.forget();
    onScreen_ = {};
    figure_ = MascotArtwork::make(kind, !reduce, MascotShape{}, clock_.now(), glyphs_);
    sampledAt_.reset();
    fadeEnds_ = 0;
    ++builds_;
    update();
    startFrames();
}

void MascotView::startFrames() {
    settlesAt_ = figure_.settlesAt();
    if (!isVisible() || !(settlesAt_ >= clock_.now())) {
        frames_.cancel();
        return;
    }
    devicePixelRatio_ = devicePixelRatioF();
    frames_ = clock_.runPaced([this](double now) { return frame(now); });
}

std::optional<double> MascotView::frame(double now) {
    const double pixelsPerUnit = side_ / designSquare * magnification_ * devicePixelRatio_;
    sampleFigure(figure_, now, sampled_);
    sampledAt_ = now;
    const auto areas = takeVisibleChanges(onScreen_, sampled_, pixelsPerUnit);
    if (!areas.empty()) update(repaintRegion(areas, figureToWidget()));
    if (now > settlesAt_) return std::nullopt;
    return 1.0 / (now < fadeEnds_ ? fadeFramesPerSecond : MascotArtwork::framesPerSecond(*shown_, figure_, now));
}

void MascotView::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    devicePixelRatio_ = painter.device()->devicePixelRatioF();
    // The paint that follows a frame shows the look that frame sampled:
    // sampling the figure again would cost as much as the frame itself.
    const double now = clock_.now();
    if (!sampledAt_ || std::abs(now - *sampledAt_) > sameInstant) {
        sampleFigure(figure_, now, sampled_);
        sampledAt_ = now;
    }
    painter_.paint(painter, sampled_, figureToWidget(), event->region());
}

void MascotView::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    startFrames();
}

void MascotView::hideEvent(QHideEvent* event) {
    QWidget::hideEvent(event);
    frames_.cancel();
}

}  // namespace WaylarkKit
