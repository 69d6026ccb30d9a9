#include "WaylarkKit/App/Qt/StandInViews.h"

#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>
#include <QWidget>

#include "WaylarkKit/Style/Palette.h"
#include "WaylarkKit/Style/Qt/Fonts.h"
#include "WaylarkKit/Style/Qt/QtColor.h"
#include "WaylarkKit/Style/Qt/TextDrawing.h"
#include "WaylarkKit/Views/Formatting.h"
#include "WaylarkKit/Views/ImpactColor.h"
#include "WaylarkKit/Views/StatusLabel.h"

namespace WaylarkKit::StandIn {

namespace {

using Field = TimingViewModel::Field;

// One line of text that repaints only when the text or its colour changed.
class TextLine : public QWidget {
public:
    TextLine(TimingViewModel& timing, std::initializer_list<Field> fields, QWidget* parent)
        : QWidget(parent), timing_(timing), font_(interFont(12, FontWeight::semibold)) {
        setAttribute(Qt::WA_TransparentForMouseEvents);
        for (const Field field : fields) subscriptions_.push_back(timing_.observe(field, [this] { refresh(); }));
    }

    QSize sizeHint() const override {
        return {static_cast<int>(std::ceil(MonoDigits::width(font_, text_))) + 4, 20};
    }

protected:
    virtual std::pair<QString, QColor> look() const = 0;

    void refresh() {
        auto [text, colour] = look();
        if (text == text_ && colour == colour_) return;
        const bool resized = text.size() != text_.size();
        text_ = std::move(text);
        colour_ = colour;
        if (resized) updateGeometry();
        update();
    }

    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.setRenderHint(QPainter::TextAntialiasing);
        painter.setPen(colour_);
        MonoDigits::drawIn(painter, rect(), Qt::AlignCenter, font_, text_);
    }

    TimingViewModel& timing_;

private:
    QFont font_;
    QString text_;
    QColor colour_;
    std::vector<Base::Subscription> subscriptions_;
};

class StatusWord final : public TextLine {
public:
    StatusWord(TimingViewModel& timing, QWidget* parent)
        : TextLine(timing, {Field::evaluation, Field::now, Field::isExpanded, Field::isEditorOpen}, parent) {
        refresh();
    }

protected:
    std::pair<QString, QColor> look() const override {
        const auto& evaluation = timing_.evaluation();
        const QString word = QString::fromStdString(StatusLabel::word(evaluation, !timing_.isStatusLabelFull()));
        using TradingCore::StatusBase;
        switch (evaluation.base) {
            case StatusBase::green: return {word, toQColor(Palette::green)};
            case StatusBase::red:
                return {word, toQColor(evaluation.restrictionImpact == TradingCore::NewsImpact::medium ? ImpactColor::medium
                                                                                                       : ImpactColor::high)};
            case StatusBase::amber: return {word, toQColor(Palette::yellow)};
            case StatusBase::gray: break;
        }
        return {word, toQColor(Palette::white.withOpacity(0.55))};
    }
};

class NextActivity final : public TextLine {
public:
    NextActivity(TimingViewModel& timing, QWidget* parent) : TextLine(timing, {Field::evaluation, Field::now}, parent) {
        refresh();
    }

protected:
    std::pair<QString, QColor> look() const override {
        for (const auto& activity : timing_.evaluation().activities) {
            if (!activity.target || activity.phase == TradingCore::ActivityPhase::ended) continue;
            const std::string text =
                activity.title + " " + Formatting::countdown(activity.target->secondsSince1970 - timing_.now().secondsSince1970);
            return {QString::fromStdString(text), Qt::white};
        }
        return {};
    }
};

class PanelName final : public TextLine {
public:
    PanelName(TimingViewModel& timing, QWidget* parent) : TextLine(timing, {Field::activeTab}, parent) { refresh(); }

protected:
    std::pair<QString, QColor> look() const override {
        static constexpr const char* names[] = {"TIMELINE", "WEEKLY", "LOT SIZE", "CHECKLIST"};
        return {names[static_cast<int>(timing_.effectiveTab())], toQColor(Palette::white.withOpacity(0.55))};
    }
};

class NoSwipe final : public TabSwipeMonitoring {
public:
    void start() override {}
    void stop() override {}
};

QWidget* editorCard(const QString& title, const std::vector<std::pair<QString, std::function<void()>>>& buttons,
                    QWidget* parent) {
    auto* card = new QWidget(parent);
    auto* layout = new QVBoxLayout(card);
    auto* label = new QLabel(title, card);
    label->setTextFormat(Qt::PlainText);
    label->setFont(interFont(18, FontWeight::semibold));
    label->setStyleSheet("color: white");
    layout->addWidget(label);
    layout->addStretch();
    for (const auto& [text, action] : buttons) {
        auto* button = new QPushButton(text, card);
        QObject::connect(button, &QPushButton::clicked, card, [action] { action(); });
        layout->addWidget(button);
    }
    return card;
}

class StandInEditors final : public SettingsEditors {
public:
    void resetTimingEditor() override {}
    void showTimingProfile() override {}
    void disarmNewsRulesEditor() override {}
    IslandKit::IslandView timingEditor(std::function<void()> onDone) override {
        return [onDone](QWidget* parent) { return editorCard("Trading windows", {{"Done", onDone}}, parent); };
    }
    IslandKit::IslandView newsRulesEditor(std::function<void()> onDone) override {
        return [onDone](QWidget* parent) { return editorCard("News blackout", {{"Done", onDone}}, parent); };
    }
    IslandKit::IslandView greetingEditor(std::function<void()> onTry, std::function<void()> onDone) override {
        return [onTry, onDone](QWidget* parent) {
            return editorCard("Greeting", {{"Try", onTry}, {"Done", onDone}}, parent);
        };
    }
};

}  // namespace

IslandKit::IslandView statusWord(TimingViewModel& timing) {
    return [&timing](QWidget* parent) { return new StatusWord(timing, parent); };
}

IslandKit::IslandView nextActivity(TimingViewModel& timing) {
    return [&timing](QWidget* parent) { return new NextActivity(timing, parent); };
}

IslandKit::IslandView panel(TimingViewModel& timing) {
    return [&timing](QWidget* parent) { return new PanelName(timing, parent); };
}

std::unique_ptr<TabSwipeMonitoring> tabSwipe() { return std::make_unique<NoSwipe>(); }

std::unique_ptr<SettingsEditors> settingsEditors() { return std::make_unique<StandInEditors>(); }

}  // namespace WaylarkKit::StandIn
