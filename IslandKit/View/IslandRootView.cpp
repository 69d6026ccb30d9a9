#include "IslandKit/View/IslandRootView.h"

#include <algorithm>
#include <cmath>

#include <QEvent>
#include <QGraphicsOpacityEffect>

#include "IslandKit/View/IslandSurface.h"
#include "IslandKit/View/LayoutInterpolation.h"
#include "IslandKit/View/QtGeometry.h"
#include "IslandKit/View/Spring.h"

namespace IslandKit {

namespace {

constexpr double frameInterval = 1.0 / 60.0;

QRect toQRect(const Rect& r) { return toQRectF(r).toAlignedRect(); }

double targetOpacity(IslandState state) { return state == IslandState::expanded ? 1.0 : 0.0; }

}  // namespace

IslandRootView::IslandRootView(IslandModel& model, Base::Scheduler& scheduler, QWidget* parent)
    : QWidget(parent),
      model_(model),
      scheduler_(scheduler),
      surface_(new IslandSurface(this)),
      leadingBox_(new QWidget(surface_)),
      trailingBox_(new QWidget(surface_)),
      expandedBox_(new QWidget(surface_)),
      centerBox_(new QWidget(surface_)),
      expandedEffect_(new QGraphicsOpacityEffect(expandedBox_)) {
    setAttribute(Qt::WA_NoSystemBackground);
    setAttribute(Qt::WA_TranslucentBackground);
    // White is the default foreground of everything inside the island, so a
    // plain label in a slot does not vanish, black on black.
    QPalette foreground = palette();
    for (auto role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText}) foreground.setColor(role, Qt::white);
    setPalette(foreground);
    centerBox_->setAttribute(Qt::WA_TransparentForMouseEvents);
    expandedBox_->setGraphicsEffect(expandedEffect_);
    for (QWidget* box : {leadingBox_, trailingBox_}) box->installEventFilter(this);
    surface_->setOnTap([this](QPointF location) { tap(location); });

    using F = IslandModel::Field;
    auto relayout = [this] { retarget(); };
    subscriptions_ = {
        model_.observe(F::state, relayout),
        model_.observe(F::metrics, relayout),
        model_.observe(F::slots, relayout),
        model_.observe(F::style, relayout),
        model_.observe(F::canvasFrame, [this] { place(); }),
        model_.observe(F::leading, [this] {
            rebuild(leadingBox_, leadingView_, model_.leading());
            measure();
        }),
        model_.observe(F::trailing, [this] {
            rebuild(trailingBox_, trailingView_, model_.trailing());
            measure();
        }),
        model_.observe(F::expanded, [this] { rebuild(expandedBox_, expandedView_, model_.expanded()); }),
        model_.observe(F::center, [this] {
            rebuild(centerBox_, centerView_, model_.center());
            place();
        }),
    };

    rebuild(leadingBox_, leadingView_, model_.leading());
    rebuild(trailingBox_, trailingView_, model_.trailing());
    rebuild(expandedBox_, expandedView_, model_.expanded());
    rebuild(centerBox_, centerView_, model_.center());
    target_ = displayed_ = from_ = model_.layout();
    expandedOpacity_ = targetOpacity(model_.state());
    place();
    measure();
}

IslandRootView::~IslandRootView() {
    frameTask_.cancel();
    for (auto& subscription : subscriptions_) subscription.reset();
}

QWidget* IslandRootView::rebuild(QWidget* box, QPointer<QWidget>& view, const IslandView& maker) {
    delete view.data();
    view = maker ? maker(box) : nullptr;
    if (view) {
        if (view->parentWidget() != box) view->setParent(box);
        view->show();
    }
    return view;
}

std::optional<double> IslandRootView::slotWidthUpdate(double measured, double current) {
    const double width = std::ceil(measured);
    if (std::abs(width - current) > 0.5) return width;
    return std::nullopt;
}

void IslandRootView::measure() {
    // A widget without a preferred size hints -1; it wants no room at all.
    auto naturalWidth = [](const QWidget* view) { return std::max(0, view->sizeHint().width()); };
    IslandSlots slots = model_.slots();
    if (leadingView_) {
        if (auto w = slotWidthUpdate(naturalWidth(leadingView_), slots.leading)) slots.leading = *w;
    }
    if (trailingView_) {
        if (auto w = slotWidthUpdate(naturalWidth(trailingView_), slots.trailing)) slots.trailing = *w;
    }
    model_.setSlots(slots);
}

bool IslandRootView::eventFilter(QObject* watched, QEvent* event) {
    // A slot view whose natural size changed asks its box to lay out again.
    if (event->type() == QEvent::LayoutRequest && (watched == leadingBox_ || watched == trailingBox_)) {
        measure();
        place();
    }
    return QWidget::eventFilter(watched, event);
}

void IslandRootView::retarget() {
    const IslandLayout next = model_.layout();
    const double nextOpacity = targetOpacity(model_.state());
    if (next == target_ && !isAnimating() && expandedOpacity_ == nextOpacity) {
        place();
        return;
    }
    from_ = displayed_;
    opacityFrom_ = expandedOpacity_;
    target_ = next;
    animationFrames_ = 0;
    if (!frameTask_.isScheduled()) frameTask_ = scheduler_.repeat(frameInterval, [this] { frame(); });
    place();
}

bool IslandRootView::drawsBeyondTarget() const {
    return isAnimating() && !toQRect(target_.rect).contains(toQRect(displayed_.rect));
}

void IslandRootView::frame() {
    static const Spring spring = islandSpring();
    static const double settle = spring.settlingTime();
    // Time counted in frames, so a wall clock that jumps cannot jerk the motion.
    const double elapsed = static_cast<double>(++animationFrames_) * frameInterval;
    const double goal = targetOpacity(model_.state());
    if (elapsed >= settle) {
        displayed_ = target_;
        expandedOpacity_ = goal;
        frameTask_.cancel();
    } else {
        const double p = spring.progress(elapsed);
        displayed_ = interpolate(from_, target_, p);
        expandedOpacity_ = std::clamp(opacityFrom_ + (goal - opacityFrom_) * p, 0.0, 1.0);
    }
    place();
}

void IslandRootView::place() {
    const IslandLayout& l = displayed_;
    const Rect canvas = model_.canvasFrame();
    // The island hangs from the canvas's top edge, offset by its left edge.
    surface_->setGeometry(toQRect(Rect{l.rect.minX() - canvas.minX(), 0, l.rect.width, l.rect.height}));
    surface_->setShape(IslandShape{l.topCornerRadius, l.bottomCornerRadius});

    const bool expanded = model_.state() == IslandState::expanded;
    const Rect leadingFrame = expanded ? Rect{l.leadingRegion.minX(), l.leadingSlot.minY(), l.leadingRegion.width,
                                              l.leadingSlot.height}
                                       : l.leadingSlot;
    leadingBox_->setGeometry(toQRect(leadingFrame));
    trailingBox_->setGeometry(toQRect(l.trailingSlot));
    expandedBox_->setGeometry(toQRect(l.expandedContent));
    centerBox_->setGeometry(toQRect(l.virtualNotch));

    // Slot views keep their natural size, against the notch (centred in the
    // expanded leading region).
    auto seat = [](QWidget* view, QWidget* box, Qt::Alignment align) {
        if (!view) return;
        const QSize hint = view->sizeHint().expandedTo(QSize(0, 0));
        const int x = align == Qt::AlignRight ? box->width() - hint.width()
                      : align == Qt::AlignLeft ? 0
                                               : (box->width() - hint.width()) / 2;
        view->setGeometry(x, (box->height() - hint.height()) / 2, hint.width(), hint.height());
    };
    seat(leadingView_, leadingBox_, expanded ? Qt::AlignHCenter : Qt::AlignRight);
    seat(trailingView_, trailingBox_, Qt::AlignLeft);
    if (expandedView_) expandedView_->setGeometry(0, 0, expandedBox_->width(), expandedBox_->height());
    if (centerView_) centerView_->setGeometry(0, 0, centerBox_->width(), centerBox_->height());

    expandedEffect_->setOpacity(expandedOpacity_);
    expandedBox_->setVisible(expandedOpacity_ > 0);

    // The virtual notch shows the centre view, else the label; a real notch shows neither.
    const bool virtualNotch = !model_.metrics().hasNotch();
    centerBox_->setVisible(virtualNotch && centerView_);
    const QString label = virtualNotch && !centerView_ ? QString::fromStdString(model_.style().virtualNotchLabel)
                                                        : QString();
    surface_->setNotchLabel(label, toQRectF(l.virtualNotch));
}

void IslandRootView::tap(QPointF location) {
    const IslandLayout layout = model_.layout();
    if (model_.state() == IslandState::compact) {
        model_.toggle();
    } else if (layout.leadingSlot.height > location.y()) {
        // In the expanded island only the top band toggles; the content below does not.
        model_.toggle();
    }
}

}  // namespace IslandKit
