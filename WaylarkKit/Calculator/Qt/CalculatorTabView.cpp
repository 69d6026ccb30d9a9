#include "WaylarkKit/Calculator/Qt/CalculatorTabView.h"

#include <algorithm>

#include <QHelpEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QToolTip>

#include "WaylarkKit/Calculator/CalculatorFormat.h"
#include "WaylarkKit/Calculator/Qt/InstrumentMenuView.h"
#include "WaylarkKit/TextField/Qt/EditableText.h"

namespace WaylarkKit {

namespace {

using CalculatorKit::RiskMode;
using CalculatorKit::StopMode;
using Field = CalculatorModel::Field;

// Texts a user or a file wrote reach the tooltip as plain text.
QString plainTooltip(const QString& text) { return text.isEmpty() ? text : "<p>" + text.toHtmlEscaped() + "</p>"; }

// The risk and the stop edit another setting once their mode is switched.
std::string editedValue(const CalculatorModel& model, Field field) {
    switch (field) {
        case Field::risk: return model.calculator().riskMode == RiskMode::amount ? "amount" : "percent";
        case Field::stop: return model.calculator().stopMode == StopMode::price ? "price" : "points";
        case Field::balance:
        case Field::entry: break;
    }
    return {};
}

}  // namespace

// Paints the toast above the menu and lets every click through.
class CalculatorTabView::Toast final : public QWidget {
public:
    explicit Toast(QWidget* parent) : QWidget(parent) { setAttribute(Qt::WA_TransparentForMouseEvents); }
    void setText(const QString& text) {
        text_ = text;
        update();
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing, true);
        paintCalculatorToast(painter, text_, QRectF(rect()));
    }

private:
    QString text_;
};

CalculatorTabView::CalculatorTabView(CalculatorModel& model, Base::Scheduler& scheduler, QWidget* parent)
    : QWidget(parent), model_(model), scheduler_(scheduler) {
    for (const Field field : {Field::balance, Field::risk, Field::stop, Field::entry}) {
        TextBinding binding{[this, field] { return model_.displayText(field); },
                            [this, field](const std::string& text) { model_.edit(field, text); },
                            [this, field] { return editedValue(model_, field); }};
        EditableText::Look look;
        look.fontSize = 14;
        look.weight = FontWeight::semibold;
        auto* text = new EditableText(std::move(binding), look, scheduler, this);
        text->setOnSubmit([this, field] { model_.endEditing(field); });
        text->setOnEnd([this, field] { fieldLostFocus(field); });
        fields_[field] = text;
    }
    menu_ = new InstrumentMenuView(model_, this);
    toast_ = new Toast(this);

    const auto changed = [this] { refresh(); };
    subscriptions_.push_back(model_.settings().observeSettings(changed));
    subscriptions_.push_back(model_.observeDrafts(changed));
    subscriptions_.push_back(model_.observeEntryText(changed));
    subscriptions_.push_back(model_.observeStopPriceText(changed));
    subscriptions_.push_back(model_.observeDirection(changed));
    subscriptions_.push_back(model_.observeInstrumentMenuOpen(changed));
    subscriptions_.push_back(model_.observeToast(changed));
    refresh();
}

CalculatorTabView::~CalculatorTabView() = default;

void CalculatorTabView::fieldLostFocus(Field field) {
    // The focus is still on its way: the rebuild this end triggers waits for
    // the next turn, and a click into another field of the tab keeps the
    // keyboard. Giving it back then would take it from the field just clicked.
    endings_[field] = scheduler_.post([this, field] {
        QWidget* focus = window()->focusWidget();
        const bool stays = std::any_of(fields_.begin(), fields_.end(),
                                       [focus](const auto& each) { return each.second == focus; });
        model_.endEditing(field, stays ? CalculatorModel::Keyboard::keep : CalculatorModel::Keyboard::giveBack);
    });
}

void CalculatorTabView::refresh() {
    for (auto& [field, text] : fields_) text->refresh();
    CalculatorTabState next = CalculatorTabState::of(model_);
    // A setting the tab does not show leaves the painted part as it is. A
    // keystroke does not: the cards are sized by the texts they hold.
    if (next == state_ && !geometry_.cards.empty()) return;
    state_ = std::move(next);
    geometry_ = layoutCalculatorTab(state_, QSizeF(size()));
    for (const CalculatorCard& card : state_.cards) {
        EditableText* text = fields_.at(card.field);
        text->setPlaceholderText(QString::fromStdString(card.placeholder));
        const auto applied = grouping_.find(card.field);
        if (applied == grouping_.end() || applied->second != card.groupsThousands) {
            grouping_[card.field] = card.groupsThousands;
            if (card.groupsThousands) {
                const Field field = card.field;
                // The model still holds what the field showed before this keystroke.
                text->setLiveFormatter(
                    [this, field](const std::string& raw) {
                        return CalculatorFormat::liveGrouped(raw, model_.displayText(field));
                    },
                                       [](const std::string& raw, int caret, const std::string& formatted) {
                                           return CalculatorFormat::caretAfterGrouping(raw, caret, formatted);
                                       });
            } else {
                text->setLiveFormatter({}, {});
            }
        }
    }
    menu_->setContent(state_.menu, state_.storedInstrumentID);
    toast_->setText(state_.toast ? QString::fromStdString(*state_.toast) : QString());
    placeChildren();
    update();
}

void CalculatorTabView::placeChildren() {
    for (auto& [field, text] : fields_) {
        const auto card = std::find_if(geometry_.cards.begin(), geometry_.cards.end(),
                                       [field](const auto& each) { return each.card.field == field; });
        if (card == geometry_.cards.end()) {
            text->hide();
            continue;
        }
        text->setGeometry(card->textField.toAlignedRect());
        text->show();
    }
    menu_->setGeometry(rect());
    menu_->setVisible(state_.menuOpen);
    menu_->raise();
    toast_->setVisible(geometry_.toast.has_value());
    if (geometry_.toast) toast_->setGeometry(geometry_.toast->toAlignedRect());
    toast_->raise();
}

void CalculatorTabView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    paintCalculatorTab(painter, state_, geometry_);
}

void CalculatorTabView::resizeEvent(QResizeEvent*) {
    geometry_ = layoutCalculatorTab(state_, QSizeF(size()));
    placeChildren();
}

void CalculatorTabView::mousePressEvent(QMouseEvent* event) {
    pressed_ = hitCalculatorTab(geometry_, event->position());
    event->accept();
}

void CalculatorTabView::mouseReleaseEvent(QMouseEvent* event) {
    const auto released = hitCalculatorTab(geometry_, event->position());
    const auto pressed = std::exchange(pressed_, std::nullopt);
    event->accept();
    if (released && released == pressed) activate(*released);
}

void CalculatorTabView::activate(CalculatorTabTarget target) {
    switch (target) {
        case CalculatorTabTarget::instrumentChip: model_.setInstrumentMenuOpen(!model_.isInstrumentMenuOpen()); break;
        case CalculatorTabTarget::assumption:
        case CalculatorTabTarget::edit: model_.openInstrumentEditor(); break;
        case CalculatorTabTarget::direction:
            if (state_.stopMode == StopMode::points) model_.toggleDirection();
            break;
        case CalculatorTabTarget::riskSwitch:
            model_.setRiskMode(model_.calculator().riskMode == RiskMode::percent ? RiskMode::amount
                                                                                 : RiskMode::percent);
            break;
        case CalculatorTabTarget::stopSwitch:
            model_.setStopMode(model_.calculator().stopMode == StopMode::points ? StopMode::price : StopMode::points);
            break;
        case CalculatorTabTarget::riskMinus: model_.nudgeRisk(-1); break;
        case CalculatorTabTarget::riskPlus: model_.nudgeRisk(1); break;
        case CalculatorTabTarget::stopMinus: model_.nudgeStop(-1); break;
        case CalculatorTabTarget::stopPlus: model_.nudgeStop(1); break;
        case CalculatorTabTarget::sizeBlock: model_.copySize(); break;
        case CalculatorTabTarget::microButton:
            if (state_.micro) model_.selectInstrument(state_.micro->instrument.id);
            break;
    }
}

bool CalculatorTabView::event(QEvent* event) {
    if (event->type() == QEvent::ToolTip) {
        auto* help = static_cast<QHelpEvent*>(event);
        const auto target = hitCalculatorTab(geometry_, help->pos());
        const QString tip = target ? calculatorTabTooltip(state_, *target) : QString();
        if (tip.isEmpty()) {
            QToolTip::hideText();
            event->ignore();
        } else {
            QToolTip::showText(help->globalPos(), plainTooltip(tip), this);
        }
        return true;
    }
    return QWidget::event(event);
}

void CalculatorTabView::hideEvent(QHideEvent* event) {
    // Leaving the screen closes the menu and drops every draft.
    model_.setInstrumentMenuOpen(false);
    model_.endAllEditing();
    QWidget::hideEvent(event);
}

}  // namespace WaylarkKit
