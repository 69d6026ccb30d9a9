#include "WaylarkKit/App/Qt/StandInViews.h"

#include <array>
#include <cmath>

#include <QCoreApplication>
#include <QEvent>
#include <QPainter>
#include <QWidget>

#include "WaylarkKit/Mascot/MascotForStatus.h"
#include "WaylarkKit/Mascot/Qt/MascotView.h"
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

    QSize sizeHint() const override { return {static_cast<int>(std::ceil(MonoDigits::width(font_, text_))) + 4, 20}; }

protected:
    virtual std::pair<QString, QColor> look() const = 0;

    void refresh() {
        auto [text, colour] = look();
        if (text == text_ && colour == colour_) return;
        const QSize before = sizeHint();
        text_ = std::move(text);
        colour_ = colour;
        if (sizeHint() != before) {
            updateGeometry();
            // The island measures its slots when their box asks for a layout,
            // which Qt leaves out while the island's window is not shown yet.
            if (parentWidget()) QCoreApplication::postEvent(parentWidget(), new QEvent(QEvent::LayoutRequest));
        }
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
            case StatusBase::green:
                return {word, toQColor(Palette::green)};
            case StatusBase::red:
                return {word,
                        toQColor(evaluation.restrictionImpact == TradingCore::NewsImpact::medium ? ImpactColor::medium
                                                                                                 : ImpactColor::high)};
            case StatusBase::amber:
                return {word, toQColor(Palette::yellow)};
            case StatusBase::gray:
                break;
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
                activity.title + " " +
                Formatting::countdown(activity.target->secondsSince1970 - timing_.now().secondsSince1970);
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

// Centres the mascot in the notch and keeps its pose in step with the status.
class NotchMascot final : public QWidget {
public:
    static constexpr double side = 22;

    NotchMascot(TimingViewModel& timing, Base::Scheduler& scheduler, QWidget* parent)
        : QWidget(parent), timing_(timing), mascot_(new MascotView(side, scheduler, systemReduceMotion(), this)) {
        setAttribute(Qt::WA_TransparentForMouseEvents);
        subscriptions_ = {timing_.observe(Field::evaluation, [this] { refresh(); }),
                          timing_.observe(Field::isCelebratingChecklist, [this] { refresh(); })};
        refresh();
    }

protected:
    void resizeEvent(QResizeEvent*) override {
        const QSize hint = mascot_->sizeHint();
        mascot_->setGeometry((width() - hint.width()) / 2, (height() - hint.height()) / 2, hint.width(), hint.height());
    }

private:
    void refresh() { mascot_->show(WaylarkKit::mascot(timing_.evaluation(), timing_.isCelebratingChecklist())); }

    TimingViewModel& timing_;
    MascotView* mascot_;
    std::array<Base::Subscription, 2> subscriptions_;
};

class NoSwipe final : public TabSwipeMonitoring {
public:
    void start() override {}
    void stop() override {}
};

}  // namespace

IslandKit::IslandView statusWord(TimingViewModel& timing) {
    return [&timing](QWidget* parent) { return new StatusWord(timing, parent); };
}

IslandKit::IslandView nextActivity(TimingViewModel& timing) {
    return [&timing](QWidget* parent) { return new NextActivity(timing, parent); };
}

IslandKit::IslandView mascot(TimingViewModel& timing, Base::Scheduler& scheduler) {
    return [&timing, &scheduler](QWidget* parent) { return new NotchMascot(timing, scheduler, parent); };
}

IslandKit::IslandView panel(TimingViewModel& timing) {
    return [&timing](QWidget* parent) { return new PanelName(timing, parent); };
}

std::unique_ptr<TabSwipeMonitoring> tabSwipe() { return std::make_unique<NoSwipe>(); }

}  // namespace WaylarkKit::StandIn
