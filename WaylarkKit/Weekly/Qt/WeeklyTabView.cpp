#include "WaylarkKit/Weekly/Qt/WeeklyTabView.h"

#include <algorithm>
#include <cmath>

#include <QHelpEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QResizeEvent>
#include <QToolTip>
#include <QWheelEvent>

#include "TradingCore/Model/MarketTimeZone.h"
#include "WaylarkKit/Weekly/Qt/WeeklyPainting.h"
#include "WaylarkKit/Weekly/WeeklyOverview.h"
#include "WaylarkKit/Weekly/WeeklyTexts.h"

namespace WaylarkKit {

namespace {

using WeeklyTabLayout::Rect;

// A wheel notch moves the list about three rows.
constexpr double pointsPerNotch = 60;

IslandKit::Point point(QPointF p) { return {p.x(), p.y()}; }

// The buttons' hit shape is their capsule, not their bounding box.
bool insideCapsule(const Rect& r, QPointF p) {
    if (!r.contains(point(p))) return false;
    const double radius = r.height / 2;
    const double cx = std::clamp(p.x(), r.minX() + radius, r.maxX() - radius);
    return std::hypot(p.x() - cx, p.y() - r.midY()) <= radius;
}

WeeklyPainting::HeaderState headerState(const TimingViewModel& model, const std::string& currency,
                                        bool includeMedium) {
    return {includeMedium, QString::fromStdString(currency), model.isWeeklyImpactMenuOpen(),
            model.isWeeklyMenuOpen()};
}

}  // namespace

WeeklyTabView::WeeklyTabView(TimingViewModel& model, Base::Scheduler& scheduler, QWidget* parent)
    : QWidget(parent), model_(model), frames_(scheduler) {
    resize(preferredWidth, preferredHeight);
    refresh();
    currencyMenuWasOpen_ = model_.isWeeklyMenuOpen();
    const auto rebuild = [this] { refresh(); };
    subscriptions_.push_back(model_.calendar().observeEvents(rebuild));
    subscriptions_.push_back(model_.settings().observeSettings(rebuild));
    subscriptions_.push_back(model_.observe(TimingViewModel::Field::now, rebuild));
    subscriptions_.push_back(model_.observe(TimingViewModel::Field::weeklyFocusID, [this] {
        update();
        // A hidden tab glides when it comes on screen instead.
        if (isVisible()) scrollToFocus();
    }));
    subscriptions_.push_back(model_.observe(TimingViewModel::Field::isWeeklyMenuOpen, [this] { menusChanged(); }));
    subscriptions_.push_back(
        model_.observe(TimingViewModel::Field::isWeeklyImpactMenuOpen, [this] { menusChanged(); }));
}

WeeklyTabView::~WeeklyTabView() = default;

void WeeklyTabView::refresh() {
    const auto& events = model_.calendar().events();
    const auto& settings = model_.settings();
    std::string currency = settings.weeklyCurrency();
    const bool includeMedium = settings.weeklyIncludeMedium();
    std::vector<WeeklyDay> days = WeeklyOverview::days(events, currency, includeMedium, model_.now(),
                                                       TradingCore::MarketTimeZone::newYork());
    std::vector<std::string> currencies = WeeklyOverview::currencies(events, includeMedium);
    if (days == days_ && currencies == currencies_ && currency == currency_ && includeMedium == includeMedium_) {
        return;
    }
    days_ = std::move(days);
    currencies_ = std::move(currencies);
    currency_ = std::move(currency);
    includeMedium_ = includeMedium;
    layout_ = WeeklyTabLayout::list(days_);
    prepared_.assign(layout_.entries.size(), std::nullopt);
    menuScroll_ = std::min(menuScroll_, WeeklyTabLayout::currencyMenuOverflow(currencies_.size()));
    // The list keeps its place as the rows change under it, as far as it still reaches.
    offset_ = WeeklyTabLayout::clampedOffset(offset_, layout_.contentHeight, viewportHeight());
    update();
}

void WeeklyTabView::menusChanged() {
    // A currency menu opens at its top, as a freshly shown list does.
    const bool open = model_.isWeeklyMenuOpen();
    if (open && !currencyMenuWasOpen_) menuScroll_ = 0;
    currencyMenuWasOpen_ = open;
    update();
}

const WeeklyPainting::PreparedHeader& WeeklyTabView::header() const {
    const auto state = headerState(model_, currency_, includeMedium_);
    if (!header_ || header_->width != width() || !(header_->state == state)) {
        header_ = WeeklyPainting::prepareHeader(width(), state);
    }
    return *header_;
}

const WeeklyTabView::PreparedEntry& WeeklyTabView::prepared(std::size_t index) {
    std::optional<PreparedEntry>& slot = prepared_[index];
    if (!slot) {
        const WeeklyTabLayout::ListEntry& entry = layout_.entries[index];
        const WeeklyDay& day = days_[entry.day];
        if (entry.item) {
            slot = WeeklyPainting::prepareRow(day.items[*entry.item], width());
        } else {
            slot = WeeklyPainting::prepareHeading(day);
        }
    }
    return *slot;
}

std::vector<std::size_t> WeeklyTabView::focusedRows() const {
    return WeeklyTabLayout::focusedRows(layout_, days_, model_.weeklyFocusID());
}

QRectF WeeklyTabView::entryRect(std::size_t entry) const {
    const WeeklyTabLayout::ListEntry& e = layout_.entries.at(entry);
    return {0, WeeklyTabLayout::listTop + e.y - offset_, static_cast<double>(width()), e.height};
}

double WeeklyTabView::viewportHeight() const { return std::max(0.0, height() - WeeklyTabLayout::listTop); }

void WeeklyTabView::setOffset(double offset) {
    offset = WeeklyTabLayout::clampedOffset(offset, layout_.contentHeight, viewportHeight());
    if (offset == offset_) return;
    offset_ = offset;
    update();
}

void WeeklyTabView::scrollToFocus() {
    // Two releases may share the focused id; the first one in the list leads.
    const std::vector<std::size_t> rows = focusedRows();
    if (rows.empty()) return;
    const double target =
        WeeklyTabLayout::centredOffset(layout_.entries[rows.front()], layout_.contentHeight, viewportHeight());
    glide_ = ScrollGlide{offset_, target, frames_.now()};
    glideTask_ = frames_.run([this](double now) {
        if (!glide_) return false;
        setOffset(glide_->value(now));
        if (!glide_->isFinished(now)) return true;
        glide_.reset();
        return false;
    });
}

void WeeklyTabView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    WeeklyPainting::paintHeader(painter, header());

    painter.save();
    painter.setClipRect(QRectF(0, WeeklyTabLayout::listTop, width(), viewportHeight()));
    const std::optional<std::string>& focus = model_.weeklyFocusID();
    const auto [first, last] = layout_.visible(offset_, offset_ + viewportHeight());
    for (std::size_t i = first; i < last; ++i) {
        const WeeklyTabLayout::ListEntry& entry = layout_.entries[i];
        const QPointF origin = entryRect(i).topLeft();
        const PreparedEntry& part = prepared(i);
        if (const auto* heading = std::get_if<WeeklyPainting::PreparedHeading>(&part)) {
            WeeklyPainting::paintHeading(painter, origin, *heading);
            continue;
        }
        const WeeklyItem& item = days_[entry.day].items[*entry.item];
        WeeklyPainting::paintRow(painter, origin, width(), std::get<WeeklyPainting::PreparedRow>(part),
                                 focus && item.activityID == *focus);
    }
    painter.restore();

    // The impact menu lies above the currency menu should both be open.
    if (model_.isWeeklyMenuOpen()) {
        WeeklyPainting::paintCurrencyMenu(painter, WeeklyTabLayout::currencyPanel(width(), currencies_.size()),
                                          menuScroll_, currencies_, currency_);
    }
    if (model_.isWeeklyImpactMenuOpen()) {
        WeeklyPainting::paintImpactMenu(painter, WeeklyTabLayout::impactPanel(width()), includeMedium_);
    }
}

WeeklyTabView::Target WeeklyTabView::targetAt(QPointF p) const {
    using Kind = Target::Kind;
    // An open menu's catcher covers the whole tab, header included.
    if (model_.isWeeklyImpactMenuOpen()) {
        const Rect panel = WeeklyTabLayout::impactPanel(width());
        if (!panel.contains(point(p))) return {Kind::impactCatcher};
        const auto entry = WeeklyTabLayout::menuEntryAt(panel, 0, 2, point(p));
        // "High" is always listed and takes no click.
        return entry == std::optional<std::size_t>(1) ? Target{Kind::mediumEntry} : Target{};
    }
    if (model_.isWeeklyMenuOpen()) {
        const Rect panel = WeeklyTabLayout::currencyPanel(width(), currencies_.size());
        if (!panel.contains(point(p))) return {Kind::currencyCatcher};
        const auto entry = WeeklyTabLayout::menuEntryAt(panel, menuScroll_, currencies_.size(), point(p));
        return entry ? Target{Kind::currencyEntry, *entry} : Target{};
    }
    const WeeklyTabLayout::HeaderGeometry& g = headerGeometry();
    if (insideCapsule(g.impactButton, p)) return {Kind::impactButton};
    if (insideCapsule(g.currencyButton, p)) return {Kind::currencyButton};
    if (insideCapsule(g.pencilButton, p)) return {Kind::pencilButton};
    return {};
}

void WeeklyTabView::act(const Target& target) {
    using Kind = Target::Kind;
    switch (target.kind) {
        case Kind::none:
            return;
        case Kind::impactButton:
            model_.setWeeklyMenuOpen(false);
            model_.setWeeklyImpactMenuOpen(!model_.isWeeklyImpactMenuOpen());
            return;
        case Kind::currencyButton:
            model_.setWeeklyImpactMenuOpen(false);
            model_.setWeeklyMenuOpen(!model_.isWeeklyMenuOpen());
            return;
        case Kind::pencilButton:
            model_.setWeeklyMenuOpen(false);
            model_.setWeeklyImpactMenuOpen(false);
            if (model_.onOpenNewsEditor()) model_.onOpenNewsEditor()();
            return;
        case Kind::currencyCatcher:
            model_.setWeeklyMenuOpen(false);
            return;
        case Kind::impactCatcher:
            model_.setWeeklyImpactMenuOpen(false);
            return;
        case Kind::currencyEntry:
            if (target.index < currencies_.size()) {
                // Copied: the settings' change may rebuild the list under us.
                const std::string code = currencies_[target.index];
                model_.settings().setWeeklyCurrency(code);
            }
            model_.setWeeklyMenuOpen(false);
            return;
        case Kind::mediumEntry:
            model_.settings().setWeeklyIncludeMedium(!model_.settings().weeklyIncludeMedium());
            return;
    }
}

void WeeklyTabView::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return QWidget::mousePressEvent(event);
    pressed_ = targetAt(event->position());
    event->accept();
}

void WeeklyTabView::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || !pressed_) return QWidget::mouseReleaseEvent(event);
    const Target pressed = *pressed_;
    pressed_.reset();
    if (targetAt(event->position()) == pressed) act(pressed);
    event->accept();
}

void WeeklyTabView::wheelEvent(QWheelEvent* event) {
    const QPoint pixels = event->pixelDelta();
    const QPoint angle = event->angleDelta();
    const double dx = pixels.isNull() ? angle.x() / 120.0 * pointsPerNotch : pixels.x();
    const double dy = pixels.isNull() ? angle.y() / 120.0 * pointsPerNotch : pixels.y();
    // Sideways moves belong to the panel, which swipes between tabs.
    if (std::abs(dx) > std::abs(dy) || dy == 0) return event->ignore();
    event->accept();
    if (model_.isWeeklyImpactMenuOpen()) return;
    if (model_.isWeeklyMenuOpen()) {
        const Rect panel = WeeklyTabLayout::currencyPanel(width(), currencies_.size());
        if (!panel.contains(point(event->position()))) return;
        const double scroll =
            std::clamp(menuScroll_ - dy, 0.0, WeeklyTabLayout::currencyMenuOverflow(currencies_.size()));
        if (scroll != menuScroll_) {
            menuScroll_ = scroll;
            update();
        }
        return;
    }
    if (event->position().y() < WeeklyTabLayout::listTop) return;
    // The user's hand wins over a glide under way.
    glide_.reset();
    glideTask_.cancel();
    setOffset(offset_ - dy);
}

bool WeeklyTabView::event(QEvent* event) {
    if (event->type() == QEvent::ToolTip) {
        auto* help = static_cast<QHelpEvent*>(event);
        const bool overPencil = targetAt(help->pos()).kind == Target::Kind::pencilButton;
        if (overPencil) {
            QToolTip::showText(help->globalPos(), QString::fromUtf8(WeeklyTexts::editRuleHelp.data(), static_cast<qsizetype>(WeeklyTexts::editRuleHelp.size())), this);
        } else {
            QToolTip::hideText();
            event->ignore();
        }
        return true;
    }
    return QWidget::event(event);
}

void WeeklyTabView::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    if (event->size().width() != event->oldSize().width()) prepared_.assign(layout_.entries.size(), std::nullopt);
    offset_ = WeeklyTabLayout::clampedOffset(offset_, layout_.contentHeight, viewportHeight());
}

void WeeklyTabView::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    refresh();
    scrollToFocus();
}

void WeeklyTabView::hideEvent(QHideEvent* event) {
    QWidget::hideEvent(event);
    // Leaving the screen closes what this view opened.
    model_.setWeeklyMenuOpen(false);
    model_.setWeeklyImpactMenuOpen(false);
    pressed_.reset();
}

}  // namespace WaylarkKit
