#include "WaylarkKit/L2/Qt/L2PanelView.h"

#include <algorithm>
#include <cmath>

#include <QMouseEvent>
#include <QPainter>
#include <QTimeZone>

#include "WaylarkKit/Calculator/Qt/CalculatorTabView.h"
#include "WaylarkKit/Checklist/Qt/ChecklistTabView.h"
#include "WaylarkKit/L2/PanelMotion.h"
#include "WaylarkKit/L2/Qt/HoverTracker.h"
#include "WaylarkKit/L2/Qt/PanelPainting.h"
#include "WaylarkKit/L2/StripLook.h"
#include "WaylarkKit/Views/Qt/TimelineTabView.h"
#include "WaylarkKit/Weekly/Qt/WeeklyTabView.h"

namespace WaylarkKit {

namespace {

using Action = PanelFooter::Button::Action;

constexpr double fastFrame = 1.0 / 60;
constexpr double blinkFrame = 1.0 / 30;
constexpr double breathingFrame = 1.0 / 12;

// One step of an 8-bit channel: a smaller change of opacity shows nothing.
int opacityStep(double opacity) { return static_cast<int>(std::lround(opacity * 255)); }

std::vector<L2Region> between(const std::vector<L2Region>& from, const std::vector<L2Region>& to, double p) {
    std::vector<L2Region> result = to;
    for (L2Region& region : result) {
        const auto old = std::find_if(from.begin(), from.end(), [&](const L2Region& r) { return r.tab == region.tab; });
        if (old == from.end()) continue;  // a new strip stands at once where it belongs
        region.x = old->x + (region.x - old->x) * p;
        region.width = std::max(0.0, old->width + (region.width - old->width) * p);
    }
    return result;
}

std::optional<Base::TimeZone> systemZone() {
    return Base::TimeZone::named(QTimeZone::systemTimeZoneId().toStdString());
}

}  // namespace

L2PanelView::L2PanelView(TimingViewModel& model, IslandKit::IslandModel& island,
                         ChecklistKit::ChecklistModel& checklist, ChecklistUIState& checklistUI,
                         CalculatorModel& calculator, std::function<void()> onQuit, Base::Scheduler& scheduler,
                         ReduceMotionFlag reduceMotion, QWidget* parent)
    : QWidget(parent),
      model_(model),
      island_(island),
      checklist_(checklist),
      checklistUI_(checklistUI),
      calculator_(calculator),
      onQuit_(std::move(onQuit)),
      scheduler_(scheduler),
      reduceMotion_(std::move(reduceMotion)),
      clock_(scheduler),
      spring_(0.38, 0.86),
      localZone_(systemZone()),
      lastPulse_(model.pulseTrigger()),
      lastShake_(model.shakeTrigger()) {
    setAttribute(Qt::WA_NoSystemBackground);
    reduced_ = reduceMotion_ && reduceMotion_();
    refresh();

    using F = TimingViewModel::Field;
    using IF = IslandKit::IslandModel::Field;
    auto regions = [this] { refreshRegions(); };
    auto footer = [this] { refreshFooter(); };
    subscriptions_ = {
        model_.observe(F::activeTab, regions),
        model_.observe(F::trailingFrames, regions),
        model_.observe(F::evaluation, [this] { refresh(); }),
        model_.observe(F::pulseTrigger, [this] { startBlink(); }),
        model_.observe(F::shakeTrigger, [this] { startShake(); }),
        model_.observe(F::now, footer),
        model_.observe(F::mode, footer),
        model_.observe(F::simulatedConfidence, footer),
        model_.observe(F::isPresentation, [this] { update(); }),
        island_.observe(IF::state, [this] { refresh(); }),
        island_.observe(IF::metrics, regions),
        island_.observe(IF::slots, regions),
        island_.observe(IF::style, regions),
        model_.calendar().observeStatus(footer),
        model_.calendar().observeLastSuccess(footer),
        model_.calendar().observeEvents(footer),
        model_.settings().observeSettings(footer),
        stripHover_.observe([this] {
            for (const L2Region& region : shown_) {
                if (!region.isActive) stripMagnifier(region.tab).setHovered(stripHover_.tab() == region.tab);
            }
        }),
    };
}

L2PanelView::~L2PanelView() = default;

bool L2PanelView::isExpanded() const { return island_.state() == IslandKit::IslandState::expanded; }

double L2PanelView::regionHeight() const { return std::max(0.0, height() - footerHeight - footerSpacing); }

QRectF L2PanelView::regionRect(L2Tab tab) const {
    for (const L2Region& region : shown_) {
        if (region.tab == tab) return QRectF(region.x + shakeOffset_, 0, region.width, regionHeight());
    }
    return {};
}

QWidget* L2PanelView::tabView(L2Tab tab) const {
    const auto found = tabs_.find(tab);
    return found == tabs_.end() ? nullptr : found->second.data();
}

double L2PanelView::labelOpacity(L2Tab tab) const {
    const double now = clock_.now();
    if (restrictions_.count(tab)) return breathing_ ? breathing_->sample(now).value_or(1) : 1;
    if (reduced_ && !blink_) return 1;
    return blink_ ? blink_->sample(now).value_or(PanelMotion::stripRestingOpacity) : PanelMotion::stripRestingOpacity;
}

QRectF L2PanelView::footerArea() const {
    return QRectF(0, height() - footerHeight, width(), footerHeight);
}

QRectF L2PanelView::buttonRect(Action action) const {
    const auto layout = PanelPainting::footerLayout(footerArea(), buttons_);
    for (std::size_t i = 0; i < buttons_.size(); ++i) {
        if (buttons_[i].action == action) return layout.buttons[i];
    }
    return {};
}

void L2PanelView::refresh() {
    const bool expanded = isExpanded();
    if (expanded && !wasExpanded_) {
        // Reduce Motion is read as the panel opens, not on every frame.
        reduced_ = reduceMotion_ && reduceMotion_();
        // Each opening starts the weekly list afresh, not where the last one left it scrolled.
        if (const auto weekly = tabs_.find(L2Tab::weekly); weekly != tabs_.end()) {
            delete weekly->second.data();
            tabs_.erase(weekly);
        }
    }
    wasExpanded_ = expanded;
    refreshRestrictions();
    refreshRegions();
    refreshFooter();
    if (!isExpanded()) {
        frames_.cancel();
        blink_.reset();
        shake_.reset();
        shakeOffset_ = 0;
    }
    placeChildren();
    update();
}

void L2PanelView::refreshRestrictions() {
    std::map<L2Tab, Rgba> next;
    if (auto colour = stripRestriction(L2Tab::weekly, model_.evaluation())) next[L2Tab::weekly] = *colour;
    if (next != restrictions_) {
        restrictions_ = std::move(next);
        update();
    }
    const bool breathes = !restrictions_.empty() && isExpanded() && !reduced_;
    if (breathes && !breathing_) {
        breathing_ = PanelMotion::stripBreathing(clock_.now());
        startFrames();
    } else if (!breathes) {
        breathing_.reset();
    }
}

void L2PanelView::refreshRegions() {
    const std::vector<L2Region> next = L2Layout::panelRegions(model_, island_.layout());
    const L2Tab tab = model_.effectiveTab();
    if (next == target_ && tab == shownTab_) return;
    const bool tabChanged = tab != shownTab_;
    shownTab_ = tab;
    if (tabChanged && isExpanded() && !shown_.empty()) {
        // The strips slide and the main region grows or shrinks.
        from_ = shown_;
        springStart_ = clock_.now();
        target_ = next;
        shown_ = between(from_, target_, 0);
        startFrames();
    } else if (springStart_) {
        // The running spring carries on to the new places.
        target_ = next;
        shown_ = between(from_, target_, spring_.progress(clock_.now() - *springStart_));
    } else {
        target_ = shown_ = next;
    }
    for (const L2Region& region : target_) {
        if (!region.isActive) stripMagnifier(region.tab).setHovered(stripHover_.tab() == region.tab);
    }
    placeChildren();
    update();
}

void L2PanelView::refreshFooter() {
    // The compact island shows no footer: its line is made afresh as the panel opens, not on every tick.
    if (!isExpanded()) return;
    std::string line = localZone_ ? PanelFooter::statusLine(PanelFooter::statusInputs(model_), *localZone_)
                                  : PanelFooter::statusLine(PanelFooter::statusInputs(model_), Base::TimeZone::utc());
    auto buttons = PanelFooter::buttons(model_.mode() == TimingViewModel::Mode::demo, model_.simulatedConfidence());
    if (line == statusLine_ && buttons == buttons_) return;
    statusLine_ = std::move(line);
    buttons_ = std::move(buttons);
    if (!model_.isPresentation()) update(footerArea().toAlignedRect());
}

void L2PanelView::startBlink() {
    const int trigger = model_.pulseTrigger();
    if (trigger == lastPulse_) return;
    lastPulse_ = trigger;
    if (!isExpanded() || reduced_) return;
    blink_ = PanelMotion::stripBlink(clock_.now());
    startFrames();
}

void L2PanelView::startShake() {
    const int trigger = model_.shakeTrigger();
    if (trigger == lastShake_) return;
    lastShake_ = trigger;
    if (!isExpanded() || reduced_) return;
    shake_ = PanelMotion::headShake(model_.shakeDirection(), clock_.now());
    startFrames();
}

void L2PanelView::startFrames() {
    if (!isExpanded()) return;
    // A move starts on a frame now, not on the next breath's frame already
    // due up to a twelfth of a second away: replacing the frames drops that one.
    frames_ = clock_.runPaced([this](double now) { return frame(now); });
}

std::optional<double> L2PanelView::frame(double now) {
    std::optional<double> next;
    const auto want = [&next](double delay) { next = next ? std::min(*next, delay) : delay; };
    bool moved = false;
    if (springStart_) {
        const double t = now - *springStart_;
        if (t >= spring_.settlingTime()) {
            shown_ = target_;
            springStart_.reset();
        } else {
            shown_ = between(from_, target_, spring_.progress(t));
            want(fastFrame);
        }
        moved = true;
    }
    if (shake_) {
        const double offset = shake_->sample(now).value_or(0);
        if (now >= shake_->settlesAt()) {
            shake_.reset();
            shakeOffset_ = 0;
        } else {
            shakeOffset_ = offset;
            want(fastFrame);
        }
        moved = true;
    }
    if (blink_) {
        if (now >= blink_->settlesAt()) {
            blink_.reset();
        } else {
            want(blinkFrame);
        }
    }
    if (breathing_) want(breathingFrame);

    if (moved) {
        placeChildren();
        update();
    } else {
        // Only strips whose label visibly changed are repainted.
        for (const L2Region& region : shown_) {
            if (region.isActive) continue;
            const int step = opacityStep(labelOpacity(region.tab));
            auto& painted = paintedOpacity_[region.tab];
            if (painted == step) continue;
            painted = step;
            update(regionRect(region.tab).toAlignedRect().adjusted(-1, -1, 1, 1));
        }
    }
    return next;
}

HoverMagnification& L2PanelView::stripMagnifier(L2Tab tab) {
    auto& magnifier = magnifiers_[tab];
    if (!magnifier) {
        magnifier = std::make_unique<HoverMagnification>(scheduler_, [this, tab] {
            update(regionRect(tab).toAlignedRect().adjusted(-1, -1, 1, 1));
        });
    }
    return *magnifier;
}

QWidget* L2PanelView::makeTab(L2Tab tab) {
    switch (tab) {
        case L2Tab::timeline: return new TimelineTabView(model_, this);
        case L2Tab::weekly: return new WeeklyTabView(model_, scheduler_, this);
        case L2Tab::calculator: return new CalculatorTabView(calculator_, scheduler_, this);
        case L2Tab::checklist: return new ChecklistTabView(checklist_, checklistUI_, scheduler_, this);
    }
    return new QWidget(this);
}

void L2PanelView::placeChildren() {
    const bool expanded = isExpanded();
    const double h = regionHeight();
    for (const L2Region& region : shown_) {
        auto& tracker = trackers_[region.tab];
        if (!tracker) {
            tracker = new HoverTracker(this);
            const L2Tab tab = region.tab;
            tracker->setOnChange([this, tab](bool hovered) { stripHover_.set(tab, hovered); });
        }
        const QRect r = QRectF(region.x + shakeOffset_, 0, region.width, h).toAlignedRect();
        if (region.isActive) {
            tracker->hide();
            if (!expanded) continue;
            auto& view = tabs_[region.tab];
            if (!view) view = makeTab(region.tab);
            view->setGeometry(r);
            view->show();
        } else {
            tracker->setGeometry(r);
            tracker->setVisible(expanded);
        }
    }
    // Every tab without the main region hides: a strip, gone, or the compact island.
    for (auto& [tab, view] : tabs_) {
        const bool active = std::any_of(shown_.begin(), shown_.end(),
                                        [&](const L2Region& r) { return r.tab == tab && r.isActive; });
        if (view && (!active || !expanded)) view->hide();
    }
    for (auto& [tab, tracker] : trackers_) {
        const bool strip = std::any_of(shown_.begin(), shown_.end(),
                                       [&](const L2Region& r) { return r.tab == tab && !r.isActive; });
        if (tracker && !strip) tracker->hide();
    }
}

std::optional<L2Tab> L2PanelView::stripAt(QPointF point) const {
    for (const L2Region& region : shown_) {
        if (!region.isActive && regionRect(region.tab).contains(point)) return region.tab;
    }
    return std::nullopt;
}

void L2PanelView::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    placeChildren();
}

void L2PanelView::paintEvent(QPaintEvent*) {
    if (!isExpanded()) return;
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setRenderHint(QPainter::TextAntialiasing, true);
    painter.setClipRect(QRectF(0, 0, width(), regionHeight()));
    for (const L2Region& region : shown_) {
        if (region.isActive) continue;
        const auto restriction = restrictions_.find(region.tab);
        const std::optional<Rgba> colour =
            restriction == restrictions_.end() ? std::nullopt : std::optional<Rgba>(restriction->second);
        const double hovered = (stripMagnifier(region.tab).scale() - 1) / (HoverMagnification::magnified - 1);
        const double opacity = labelOpacity(region.tab);
        paintedOpacity_[region.tab] = opacityStep(opacity);
        PanelPainting::paintStrip(painter, regionRect(region.tab), StripLook::hovering(colour, hovered),
                                  QString::fromUtf8(stripLabel(region.tab).data(),
                                                    static_cast<qsizetype>(stripLabel(region.tab).size())),
                                  opacity);
    }
    painter.setClipping(false);
    if (model_.isPresentation()) return;
    PanelPainting::paintFooter(painter, PanelPainting::footerLayout(footerArea(), buttons_), statusLine_, buttons_);
}

void L2PanelView::mousePressEvent(QMouseEvent* event) {
    const QPointF at = event->position();
    const bool onButton = !model_.isPresentation() &&
                          std::any_of(buttons_.begin(), buttons_.end(),
                                      [&](const PanelFooter::Button& b) { return buttonRect(b.action).contains(at); });
    if (isExpanded() && (stripAt(at) || onButton)) {
        event->accept();
    } else {
        event->ignore();
    }
}

void L2PanelView::mouseReleaseEvent(QMouseEvent* event) {
    const QPointF at = event->position();
    if (!isExpanded() || event->button() != Qt::LeftButton) {
        event->ignore();
        return;
    }
    if (const auto strip = stripAt(at)) {
        event->accept();
        model_.setActiveTab(*strip);
        return;
    }
    if (!model_.isPresentation()) {
        for (const auto& button : buttons_) {
            if (!buttonRect(button.action).contains(at)) continue;
            event->accept();
            press(button.action);
            return;
        }
    }
    event->ignore();
}

void L2PanelView::press(Action action) {
    switch (action) {
        case Action::toggleMode: model_.toggleMode(); break;
        // The button does not wait: the status line tells how the refresh goes.
        case Action::refresh: model_.calendar().refresh(true); break;
        case Action::restartDemo: model_.restartDemo(); break;
        case Action::cycleConfidence: model_.cycleSimulatedConfidence(); break;
        case Action::greeting:
            if (const auto& open = model_.onOpenGreetingEditor()) open();
            break;
        case Action::quit:
            if (onQuit_) onQuit_();
            break;
    }
}

}  // namespace WaylarkKit
