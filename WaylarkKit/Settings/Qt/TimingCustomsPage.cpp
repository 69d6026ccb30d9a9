#include "WaylarkKit/Settings/Qt/TimingCustomsPage.h"

#include <algorithm>

#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QScrollArea>
#include <QVBoxLayout>

#include "SettingsKit/SettingsModel.h"
#include "WaylarkKit/Settings/Qt/EditorButtons.h"
#include "WaylarkKit/Settings/Qt/EditorLook.h"
#include "WaylarkKit/Settings/TimingEditorContent.h"
#include "WaylarkKit/Style/Qt/QtColor.h"
#include "WaylarkKit/Views/IntervalColorDisplay.h"

namespace WaylarkKit {

using EditorLook::white;
using TradingCore::IntervalColor;
using TradingCore::WallClockTime;


CustomRow::CustomRow(QWidget* parent, TimingEditorContext& context, const Base::Uuid& id, bool autofocus)
    : QWidget(parent), context_(context), id_(id) {
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(8, 8, 8, 8);
    column->setSpacing(6);

    auto* first = new QHBoxLayout();
    first->setSpacing(8);
    TextBinding name{
        [this] {
            const auto* c = interval();
            return c ? c->name : name_->text().toStdString();
        },
        [this](const std::string& text) {
            context_.act([&] { context_.settings.renameCustomInterval(id_, text); });
        },
        {},  // a row stays with its custom time for life
    };
    name_ = new EditableText(std::move(name), {"Name", 13, FontWeight::regular, autofocus, false}, context.scheduler);
    name_->installEventFilter(this);
    first->addWidget(nameFieldBox(this, name_));
    const auto timeOf = [this](bool start) {
        return [this, start] {
            const auto* c = interval();
            return c ? (start ? c->start : c->end) : WallClockTime();
        };
    };
    const auto keyOf = [this](bool start) { return [this, start] { return TimingEditorModel::customDraftKey(id_, start); }; };
    const auto commitOf = [this](bool start) {
        return [this, start](const std::string& text) {
            context_.editor.commitCustom(text, start, id_, context_.settings);
        };
    };
    start_ = new TimeField(this, context, timeOf(true), keyOf(true), commitOf(true));
    end_ = new TimeField(this, context, timeOf(false), keyOf(false), commitOf(false));
    first->addWidget(start_);
    first->addWidget(new TextLine(this, EditorLook::font(13), white(0.4), QString::fromUtf8("\u2013")));
    first->addWidget(end_);
    remove_ = removeButton(this, [this] {
        context_.act([this] { context_.editor.removeCustom(id_, context_.settings); });
    });
    first->addWidget(remove_);
    column->addLayout(first);

    auto* second = new QHBoxLayout();
    second->setSpacing(6);
    for (std::size_t i = 0; i < TradingCore::allIntervalColors.size(); ++i) {
        const IntervalColor colour = TradingCore::allIntervalColors[i];
        auto* swatch = new PaintedButton(this);
        swatch->setFixedSize(20, 20);
        swatch->setHitShape(PaintedButton::HitShape::circle);
        swatch->setToolTip(QString::fromStdString(TimingEditorContent::colourName(colour)));
        swatch->setOnClick([this, colour] { context_.act([&] { context_.settings.setCustomColor(id_, colour); }); });
        second->addWidget(swatch);
        swatches_[i] = swatch;
    }
    // A flexible gap of at least 8 between the swatches and the days.
    second->addSpacerItem(new QSpacerItem(8, 0, QSizePolicy::Expanding, QSizePolicy::Minimum));
    for (std::size_t i = 0; i < TimingEditorContent::weekdayToggles.size(); ++i) {
        const auto toggle = TimingEditorContent::weekdayToggles[i];
        auto* button = new PaintedButton(this);
        button->setFixedSize(26, 20);
        button->setHitShape(PaintedButton::HitShape::capsule);
        button->setOnClick([this, day = toggle.day] {
            context_.act([&] { context_.settings.toggleCustomWeekday(id_, day); });
        });
        second->addWidget(button);
        weekdays_[i] = button;
    }
    column->addLayout(second);
    refresh();
}

const TradingCore::CustomInterval* CustomRow::interval() const {
    for (const auto& c : context_.settings.customIntervals()) {
        if (c.id == id_) return &c;
    }
    return nullptr;
}

PaintedButton* CustomRow::swatch(IntervalColor colour) const {
    const auto& all = TradingCore::allIntervalColors;
    return swatches_[static_cast<std::size_t>(std::find(all.begin(), all.end(), colour) - all.begin())];
}

PaintedButton* CustomRow::weekday(TradingCore::Weekday day) const {
    const auto& all = TimingEditorContent::weekdayToggles;
    const auto found = std::find_if(all.begin(), all.end(), [&](const auto& t) { return t.day == day; });
    return weekdays_[static_cast<std::size_t>(found - all.begin())];
}

void CustomRow::refresh() {
    const auto* c = interval();
    if (!c) return;  // going: its row is removed on this same redraw
    name_->refresh();
    start_->refresh();
    end_->refresh();
    for (std::size_t i = 0; i < swatches_.size(); ++i) {
        const IntervalColor colour = TradingCore::allIntervalColors[i];
        const bool current = c->color == colour;
        swatches_[i]->setPainter([colour, current](QPainter& painter, const QRectF& bounds) {
            const QRectF circle(bounds.center().x() - 7, bounds.center().y() - 7, 14, 14);
            painter.setPen(Qt::NoPen);
            painter.setBrush(toQColor(displayColor(colour)));
            painter.drawEllipse(circle);
            if (!current) return;
            // The ring lies inside the circle's edge.
            painter.setPen(QPen(Qt::white, 2));
            painter.setBrush(Qt::NoBrush);
            painter.drawEllipse(circle.adjusted(1, 1, -1, -1));
        }, current ? "current" : "other");
    }
    for (std::size_t i = 0; i < weekdays_.size(); ++i) {
        const auto toggle = TimingEditorContent::weekdayToggles[i];
        const bool on = c->weekdays.contains(toggle.day);
        const QString label = QString::fromUtf8(toggle.label.data(), static_cast<qsizetype>(toggle.label.size()));
        weekdays_[i]->setPainter([on, label](QPainter& painter, const QRectF& bounds) {
            EditorLook::fillCapsule(painter, bounds, on ? white(0.9) : white(0.08));
            EditorLook::drawText(painter, bounds, EditorLook::font(10, FontWeight::semibold),
                                 on ? QColor(Qt::black) : white(0.55), label, Qt::AlignHCenter);
        }, on ? "on" : "off");
    }
}

void CustomRow::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    EditorLook::fillRounded(painter, QRectF(rect()), 10, white(0.04));
}

bool CustomRow::eventFilter(QObject* watched, QEvent* event) {
    // Spent once taken, as for windows: a rebuilt card must not take the focus again.
    if (watched == name_ && event->type() == QEvent::FocusIn && context_.editor.focusCustomID() == id_) {
        context_.editor.setFocusCustomID(std::nullopt);
    }
    return QWidget::eventFilter(watched, event);
}

TimingCustomsPage::TimingCustomsPage(QWidget* parent, TimingEditorContext& context)
    : QWidget(parent), context_(context) {
    auto* page = new QVBoxLayout(this);
    page->setContentsMargins(0, 0, 0, 0);
    page->setSpacing(10);
    page->addWidget(new TitleRow(this, "Custom times", "New York time (ET)"));

    QScrollArea* scroll = scrollColumn(this, 10, column_);
    QWidget* content = scroll->widget();
    empty_ = note(
        content,
        QStringLiteral("None yet. Add a time you trade, like a kill zone: the island will tell you when it starts."), 11,
        0.45);
    column_->insertWidget(0, empty_);
    add_ = new AddButton(content, "Add custom time", [this] {
        context_.act([this] { context_.editor.addCustom(context_.settings); });
    });
    column_->insertWidget(1, add_);
    page->addWidget(scroll, 1);

    message_ = messageLine(this);
    page->addWidget(message_);
    page->addLayout(EditorButtons::footer(this, {}, [this] {
                        if (context_.onDone) context_.onDone();
                    }).layout);
}

std::vector<CustomRow*> TimingCustomsPage::rows() const {
    std::vector<CustomRow*> rows;
    for (const auto& id : order_) rows.push_back(rows_.at(id));
    return rows;
}

void TimingCustomsPage::refresh() {
    const auto& intervals = context_.settings.customIntervals();
    std::vector<Base::Uuid> order;
    for (const auto& c : intervals) {
        if (std::find(order.begin(), order.end(), c.id) == order.end()) order.push_back(c.id);
    }
    for (auto it = rows_.begin(); it != rows_.end();) {
        if (std::find(order.begin(), order.end(), it->first) != order.end()) {
            ++it;
            continue;
        }
        it->second->hide();
        it->second->deleteLater();  // the click that removed it may come from this row
        it = rows_.erase(it);
    }
    for (const auto& id : order) {
        if (rows_.contains(id)) continue;
        const bool focus = context_.editor.focusCustomID() == id;
        rows_[id] = new CustomRow(column_->parentWidget(), context_, id, focus);
    }
    if (order != order_) {
        for (const auto& [id, row] : rows_) column_->removeWidget(row);
        for (std::size_t i = 0; i < order.size(); ++i) {
            column_->insertWidget(static_cast<int>(i) + 1, rows_.at(order[i]));
            rows_.at(order[i])->show();
        }
        order_ = order;
    }
    for (const auto& [id, row] : rows_) row->refresh();

    empty_->setVisible(intervals.empty());
    add_->setRoom(static_cast<int>(intervals.size()) < TradingCore::CustomIntervalRules::maxCount);
    showMessage(message_, context_.editor.message());
}

}  // namespace WaylarkKit
