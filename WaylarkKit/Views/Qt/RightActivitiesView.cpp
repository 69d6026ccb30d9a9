#include "WaylarkKit/Views/Qt/RightActivitiesView.h"

#include <algorithm>
#include <cmath>
#include <set>

#include <QFontMetricsF>
#include <QHelpEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QToolTip>

#include "WaylarkKit/Calculator/CalculatorGlyph.h"
#include "WaylarkKit/Calculator/Qt/CalculatorGlyphPainting.h"
#include "WaylarkKit/Checklist/Qt/ChecklistIndicator.h"
#include "WaylarkKit/Greeting/Qt/GreetingWordView.h"
#include "WaylarkKit/Style/Palette.h"
#include "WaylarkKit/Style/Qt/Fonts.h"
#include "WaylarkKit/Style/Qt/QtColor.h"
#include "WaylarkKit/Style/Qt/QtText.h"
#include "WaylarkKit/Style/Qt/TextDrawing.h"
#include "WaylarkKit/Views/Qt/CompactRoom.h"
#include "WaylarkKit/Views/Qt/IslandViewsObserving.h"

namespace WaylarkKit {

namespace {

using Kind = RightActivitiesView::Item::Kind;
using HoverTarget = TimingViewModel::HoverTarget;

// One line of `widths`' font from the top of `box`, vertically centred in it.
// Its glyphs are shaped once per text: the pulse of the badge beside a
// countdown repaints the countdown on every frame.
void drawLine(QPainter& painter, const QRectF& box, TextWidths& widths, const QString& text) {
    widths.draw(painter, QPointF(box.left(), centredBaseline(widths.font(), box)), text);
}

}  // namespace

bool RightActivitiesView::Item::sameLook(const Item& other) const {
    return kind == other.kind && key == other.key && rect == other.rect && hovered == other.hovered &&
           glyphColour == other.glyphColour && parts == other.parts && pulses == other.pulses &&
           pulseColour == other.pulseColour && tint == other.tint;
}

RightActivitiesView::RightActivitiesView(TimingViewModel& model, ChecklistKit::ChecklistModel& checklist,
                                         std::string islandID, Base::Scheduler& scheduler,
                                         ReduceMotionFlag reduceMotion, QWidget* parent)
    : QWidget(parent),
      model_(model),
      checklist_(checklist),
      islandID_(std::move(islandID)),
      scheduler_(scheduler),
      reduceMotion_(std::move(reduceMotion)),
      tickRepaint_(*this, scheduler),
      indicator_(new ChecklistIndicator(checklist_, scheduler_, reduceMotion_, this)) {
    // It sits on the black island: painting that black itself spares the
    // island beneath a repaint on every tick and every pulse.
    setAttribute(Qt::WA_OpaquePaintEvent);
    refresh();

    using F = TimingViewModel::Field;
    subscriptions_ = IslandViews::observeCompact(model_, {F::activeTab, F::expandedIsland}, [this] { refresh(); });
    // The badge's width follows the checklist.
    subscriptions_.push_back(checklist_.observeState([this] { refresh(); }));
}

RightActivitiesView::~RightActivitiesView() = default;

std::vector<RightActivitiesView::Item> RightActivitiesView::makeItems() const {
    std::vector<Item> items;
    Item calculator;
    calculator.kind = Kind::calculator;
    calculator.key = TimingViewModel::lotSizeFrameKey;
    const bool showsCalculator = model_.effectiveTab() == L2Tab::calculator && model_.isExpanded() &&
                                 model_.expandedIsland() == islandID_;
    calculator.glyphColour = toQColor(Palette::white.withOpacity(showsCalculator ? 1 : dimmedGlyphOpacity));
    calculator.hovered = model_.isHovered(HoverTarget::calculator(), islandID_);
    items.push_back(calculator);

    for (const auto& activity : model_.evaluation().activities) {
        const ActivityView view{activity, model_.now()};
        Item item;
        item.kind = Kind::activity;
        item.key = TimingViewModel::frameKey(activity);
        item.activity = activity;
        item.parts = view.parts();
        item.pulses = view.pulses();
        item.pulseColour = toQColor(view.pulseColor());
        item.tint = toQColor(view.tint());
        item.hovered = model_.isHovered(HoverTarget::activity(activity.id), islandID_);
        items.push_back(std::move(item));
    }

    Item badge;
    badge.kind = Kind::checklist;
    badge.key = TimingViewModel::checklistFrameKey;
    badge.hovered = model_.isHovered(HoverTarget::checklist(), islandID_);
    items.push_back(badge);
    return items;
}

double RightActivitiesView::labelWidth(const Item& item) {
    // The pulsing label is bold, the plain one semibold.
    return (item.pulses ? pulsingWidths_ : widths_).of(qtText(item.parts.label));
}

void RightActivitiesView::layOut(std::vector<Item>& items) {
    const double line = widths_.lineHeight();
    const QSize badge = indicator_->sizeHint();
    std::vector<QSizeF> sizes;
    for (const Item& item : items) {
        switch (item.kind) {
            case Kind::calculator:
                sizes.emplace_back(CalculatorGlyph::width + 2 * calculatorPadding, CalculatorGlyph::height);
                break;
            case Kind::activity: {
                double w = labelWidth(item);
                if (item.parts.countdown) w += ActivityView::spacing + widths_.of(qtText(*item.parts.countdown));
                sizes.emplace_back(w, line);
                break;
            }
            case Kind::checklist: sizes.emplace_back(badge.width(), badge.height() + 2 * checklistPadding); break;
        }
    }
    double width = 0;
    double height = 0;
    for (const QSizeF& size : sizes) {
        width += size.width();
        height = std::max(height, size.height());
    }
    width += spacing * static_cast<double>(sizes.size() - 1);
    // Room for the end items to grow into; inner items grow into the spacing.
    const int left = CompactRoom::margin(sizes.front().width());
    const int right = CompactRoom::margin(sizes.back().width());
    const int vertical = CompactRoom::margin(height);
    size_ = QSize(left + static_cast<int>(std::ceil(width)) + right, static_cast<int>(std::ceil(height)) + 2 * vertical);
    const double middle = vertical + height / 2;
    double x = left;
    for (std::size_t i = 0; i < items.size(); ++i) {
        items[i].rect = QRectF(x, middle - sizes[i].height() / 2, sizes[i].width(), sizes[i].height());
        x += sizes[i].width() + spacing;
    }
}

void RightActivitiesView::refresh() {
    const bool greeting = model_.isGreeting();
    if (greeting) {
        const QString name = qtText(model_.settings().greeting().name);
        if (!greeting_ || greetingRun_ != model_.greetingRun()) {
            // A new run is a new word view, so its letters play from the start.
            delete greeting_.data();
            greeting_ = new GreetingWordView(name, GreetingMotion::Style::shine, model_.greetingDuration(),
                                             greetingFontSize, scheduler_, reduceMotion_, this);
            greetingRun_ = model_.greetingRun();
            greeting_->show();
        } else {
            greeting_->update(name, GreetingMotion::Style::shine, model_.greetingDuration());
        }
        const QSize canvas = greeting_->sizeHint();
        greeting_->setGeometry(QRect(QPoint(0, 0), canvas));
        indicator_->hide();
        setPulsesShown();
        if (canvas != size_) {
            size_ = canvas;
            updateGeometry();
        }
        return;
    }
    const bool wasGreeting = greeting_ != nullptr;
    delete greeting_.data();

    const QSize oldSize = size_;
    std::vector<Item> next = makeItems();
    layOut(next);
    const bool sameLayout = !wasGreeting && next.size() == items_.size() &&
                            std::equal(next.begin(), next.end(), items_.begin(), [](const Item& a, const Item& b) {
                                return a.key == b.key && a.rect == b.rect;
                            });
    QRegion dirty;
    if (sameLayout) {
        for (std::size_t i = 0; i < next.size(); ++i) {
            if (next[i].sameLook(items_[i])) continue;
            // From one tick to the next usually only a countdown moves on.
            Item withOldCountdown = next[i];
            withOldCountdown.parts.countdown = items_[i].parts.countdown;
            const bool onlyCountdown = next[i].parts.countdown && withOldCountdown.sameLook(items_[i]);
            dirty += (onlyCountdown ? grown(items_[i], countdownBox(items_[i])) : grownRect(items_[i])).toAlignedRect();
        }
    }
    items_ = std::move(next);
    syncHelpers();
    if (sameLayout) {
        for (const QRect& area : dirty) tickRepaint_.request(area);
    } else {
        if (size_ != oldSize) updateGeometry();
        placeIndicator();
        update();
        reportFrames();
    }
    indicator_->setVisible(true);
    setPulsesShown();
}

void RightActivitiesView::syncHelpers() {
    std::set<std::string> keys;
    std::set<std::string> pulsing;
    for (const Item& item : items_) {
        keys.insert(item.key);
        auto& magnifier = magnifiers_[item.key];
        if (!magnifier) {
            const std::string key = item.key;
            magnifier = std::make_unique<HoverMagnification>(scheduler_, [this, key] {
                if (const Item* shown = this->item(key)) update(grownRect(*shown).toAlignedRect());
                if (key == TimingViewModel::checklistFrameKey) indicator_->setMagnification(magnification(key));
            });
        }
        magnifier->setHovered(item.hovered);
        if (!item.pulses) continue;
        pulsing.insert(item.activity.id);
        auto& label = pulses_[item.activity.id];
        if (!label) {
            // A label made anew starts a new pulse; Reduce Motion is read as it starts.
            const std::string key = item.key;
            label = std::make_unique<PulsingLabel>(scheduler_, reduceMotion_, [this, key] {
                if (const Item* shown = this->item(key)) update(grownRect(*shown).toAlignedRect());
            });
        }
        label->set(qtText(item.parts.label), item.pulseColour);
    }
    std::erase_if(magnifiers_, [&](const auto& entry) { return !keys.count(entry.first); });
    std::erase_if(pulses_, [&](const auto& entry) { return !pulsing.count(entry.first); });
}

void RightActivitiesView::placeIndicator() {
    const Item& badge = items_.back();
    const int room = CompactRoom::margin(badge.rect.width());
    indicator_->setGeometry(badge.rect.toAlignedRect().adjusted(-room, 0, room, 0));
}

void RightActivitiesView::reportFrames() {
    if (greeting_) return;
    std::set<std::string> shown;
    const QPointF offset = pos();
    for (const Item& item : items_) {
        const QRectF r = item.rect.translated(offset);
        model_.setTrailingFrame(IslandKit::Rect{r.x(), r.y(), r.width(), r.height()}, item.key);
        shown.insert(item.key);
    }
    model_.retainTrailingFrames(shown);
}

void RightActivitiesView::setPulsesShown() {
    const bool shown = isVisible() && !greeting_;
    for (auto& [id, label] : pulses_) label->setShown(shown);
}

const RightActivitiesView::Item* RightActivitiesView::item(const std::string& key) const {
    const auto found = std::find_if(items_.begin(), items_.end(), [&](const Item& i) { return i.key == key; });
    return found == items_.end() ? nullptr : &*found;
}

double RightActivitiesView::magnification(const std::string& key) const {
    const auto found = magnifiers_.find(key);
    return found == magnifiers_.end() ? 1.0 : found->second->scale();
}

const PulsingLabel* RightActivitiesView::pulsingLabel(const std::string& activityID) const {
    const auto found = pulses_.find(activityID);
    return found == pulses_.end() ? nullptr : found->second.get();
}

QRectF RightActivitiesView::labelBox(const Item& item) {
    return QRectF(item.rect.left(), item.rect.top(), labelWidth(item), item.rect.height());
}

QRectF RightActivitiesView::countdownBox(const Item& item) {
    const double left = labelBox(item).right() + ActivityView::spacing;
    return QRectF(left, item.rect.top(), item.rect.right() - left, item.rect.height());
}

QRectF RightActivitiesView::grown(const Item& item, const QRectF& part) const {
    const double s = std::max(magnification(item.key), HoverMagnification::magnified);
    const QPointF c = item.rect.center();
    return QRectF(c + (part.topLeft() - c) * s, part.size() * s).adjusted(-1, -1, 1, 1);
}

QRectF RightActivitiesView::grownRect(const Item& item) const {
    return grown(item, item.rect);
}

const RightActivitiesView::Item* RightActivitiesView::itemAt(QPointF point) const {
    for (const Item& item : items_) {
        if (item.rect.contains(point)) return &item;
    }
    return nullptr;
}

void RightActivitiesView::activate(const Item& item) {
    const auto& open = model_.onOpenTab();
    switch (item.kind) {
        case Kind::calculator:
            if (open) open(L2Tab::calculator);
            break;
        case Kind::checklist:
            if (open) open(L2Tab::checklist);
            break;
        case Kind::activity:
            if (item.activity.kind == TradingCore::ActivityKind::news) {
                model_.openWeekly(item.activity.id);
            } else if (open) {
                open(L2Tab::timeline);
            }
            break;
    }
}

bool RightActivitiesView::event(QEvent* event) {
    if (event->type() == QEvent::ToolTip) {
        const auto* help = static_cast<QHelpEvent*>(event);
        const Item* under = greeting_ ? nullptr : itemAt(help->pos());
        if (under && under->kind == Kind::calculator) {
            QToolTip::showText(help->globalPos(), QStringLiteral("Lot size calculator"), this,
                               under->rect.toAlignedRect());
        } else {
            QToolTip::hideText();
            event->ignore();
        }
        return true;
    }
    return QWidget::event(event);
}

void RightActivitiesView::mousePressEvent(QMouseEvent* event) {
    const bool onItem = greeting_ ? QRectF(greeting_->wordRect()).contains(event->position())
                                  : itemAt(event->position()) != nullptr;
    if (onItem) {
        event->accept();
    } else {
        event->ignore();
    }
}

void RightActivitiesView::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        event->ignore();
        return;
    }
    if (greeting_) {
        if (!QRectF(greeting_->wordRect()).contains(event->position())) {
            event->ignore();
            return;
        }
        event->accept();
        if (const auto& open = model_.onOpenTab()) open(L2Tab::timeline);
        return;
    }
    const Item* under = itemAt(event->position());
    if (!under) {
        event->ignore();
        return;
    }
    event->accept();
    // The action may change what is shown and rebuild the items: act on a copy.
    const Item chosen = *under;
    activate(chosen);
}

void RightActivitiesView::moveEvent(QMoveEvent* event) {
    QWidget::moveEvent(event);
    reportFrames();
}

void RightActivitiesView::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    reportFrames();
    setPulsesShown();
}

void RightActivitiesView::hideEvent(QHideEvent* event) {
    QWidget::hideEvent(event);
    setPulsesShown();
}

void RightActivitiesView::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    painter.fillRect(event->rect(), Qt::black);
    if (greeting_) return;
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setRenderHint(QPainter::TextAntialiasing, true);
    for (const Item& item : items_) {
        if (item.kind == Kind::checklist) continue;  // a widget of its own
        if (!event->region().intersects(grownRect(item).toAlignedRect())) continue;
        painter.save();
        const double s = magnification(item.key);
        if (s != 1) {
            painter.translate(item.rect.center());
            painter.scale(s, s);
            painter.translate(-item.rect.center());
        }
        if (item.kind == Kind::calculator) {
            const QPointF origin(item.rect.left() + calculatorPadding, item.rect.top());
            paintCalculatorGlyph(painter, origin, item.glyphColour);
        } else {
            paintActivity(painter, item, event->region());
        }
        painter.restore();
    }
}

void RightActivitiesView::paintActivity(QPainter& painter, const Item& item, const QRegion& exposed) {
    // Shaping is most of the cost of text: a part not exposed is not drawn.
    const QRectF label = labelBox(item);
    if (exposed.intersects(grown(item, label).toAlignedRect())) {
        if (item.pulses) {
            if (const PulsingLabel* pulse = pulsingLabel(item.activity.id)) pulse->paint(painter, label);
        } else {
            painter.setPen(item.tint);
            drawLine(painter, label, widths_, qtText(item.parts.label));
        }
    }
    if (item.parts.countdown && exposed.intersects(grown(item, countdownBox(item)).toAlignedRect())) {
        painter.setPen(item.tint);
        drawLine(painter, countdownBox(item), widths_, qtText(*item.parts.countdown));
    }
}

}  // namespace WaylarkKit
