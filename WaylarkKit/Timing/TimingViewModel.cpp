#include "WaylarkKit/Timing/TimingViewModel.h"

#include "TradingCore/Evaluation/TimingEvaluator.h"
#include "WaylarkKit/Views/StatusLabel.h"

namespace WaylarkKit {

using TradingCore::TimingEvaluator;

TimingViewModel::TimingViewModel(CalendarKit::CalendarService& calendar, SettingsKit::SettingsModel& settings,
                                 Mode mode, double greetingDuration, Base::Scheduler& scheduler)
    : calendar_(calendar),
      settings_(settings),
      scheduler_(scheduler),
      greetingDuration_(greetingDuration),
      now_(scheduler.now()),
      statusChangedAt_(now_),
      mode_(mode),
      configuration_(configurationFromSettings()),
      settingsChanged_(settings.observeSettings([this] { configuration_.reset(); })),
      live_(calendar, configuration_),
      demo_(now_),
      demoOrigin_(now_),
      self_(std::make_shared<TimingViewModel*>(this)) {
    const TimingInputs inputs = currentInputs(now_);
    evaluation_ = TimingEvaluator::evaluate(*inputs.configuration, *inputs.events, inputs.confidence, now_);
    const double h = timelineHalfSpan();
    timeline_ = TimingEvaluator::timeline(*inputs.configuration, *inputs.events, now_ - h, now_ + h);
    lastStatusWord_ = StatusLabel::word(evaluation_, false);
    settings_.onChange = [weak = std::weak_ptr<TimingViewModel*>(self_)] {
        if (const auto self = weak.lock()) (*self)->refresh();
    };
}

TimingViewModel::~TimingViewModel() = default;

Base::Subscription TimingViewModel::observe(Field field, std::function<void()> observer) {
    return signals_[static_cast<std::size_t>(field)].subscribe(std::move(observer));
}

void TimingViewModel::announce(Field field) const { signals_[static_cast<std::size_t>(field)].notify(); }

void TimingViewModel::start() {
    if (timer_.isScheduled()) return;
    // The handle belongs to the model and dies with it, so a firing never
    // reaches a model that is gone. The platform scheduler coalesces
    // second-long timers on its own, which is the slack the tick allows.
    timer_ = scheduler_.repeat(tickInterval, [this] { refresh(); });
    refresh();
    assign(Field::statusChangedAt, statusChangedAt_, now_);
    assign(Field::greetingStartedAt, greetingStartedAt_, std::optional<Base::Date>(now_));
}

void TimingViewModel::stop() { timer_.cancel(); }

Base::Date TimingViewModel::clock() const {
    const Base::Date real = scheduler_.now();
    if (mode_ == Mode::live) return real;
    return demoBase_.value_or(demoOrigin_) + (real - demoOrigin_) * demoSpeed_;
}

double TimingViewModel::timelineHalfSpan() const { return settings_.timelineHalfSpanMinutes() * 60.0; }

std::shared_ptr<const TradingCore::TimingConfiguration> TimingViewModel::configurationFromSettings() const {
    // The zone and the five durations are the default's; the rest is the user's.
    static const TradingCore::TimingConfiguration defaults = TradingCore::TimingConfiguration::newYorkDefault();
    return std::make_shared<const TradingCore::TimingConfiguration>(TradingCore::TimingConfiguration{
        settings_.activeProfile(),
        settings_.macroSchedule(),
        settings_.newsRule(),
        settings_.customIntervals(),
        defaults.timeZone,
        defaults.announcementSeconds,
        defaults.lingerSeconds,
        defaults.macroLeadSeconds,
        defaults.grayCountdownSeconds,
        defaults.customLeadSeconds,
    });
}

TimingInputs TimingViewModel::currentInputs(Base::Date at) {
    return mode_ == Mode::demo ? demo_.inputs(at) : live_.inputs(at);
}

void TimingViewModel::refresh() {
    assign(Field::now, now_, clock());
    if (!configuration_) configuration_ = configurationFromSettings();
    live_.setConfiguration(configuration_);
    const TimingInputs inputs = currentInputs(now_);
    const TradingCore::DataConfidence confidence = simulatedConfidence_.value_or(inputs.confidence);
    assign(Field::evaluation, evaluation_,
           TimingEvaluator::evaluate(*inputs.configuration, *inputs.events, confidence, now_));

    // Compared as text, so a change of countdowns alone keeps the full word's timer.
    std::string word = StatusLabel::word(evaluation_, false);
    if (word != lastStatusWord_) {
        lastStatusWord_ = std::move(word);
        assign(Field::statusChangedAt, statusChangedAt_, now_);
    }

    // While every island is collapsed nobody shows the timeline; it keeps its last value.
    if (isExpanded_) {
        const double h = timelineHalfSpan();
        assign(Field::timeline, timeline_,
               TimingEvaluator::timeline(*inputs.configuration, *inputs.events, now_ - h, now_ + h));
    }
}

void TimingViewModel::setMode(Mode mode) {
    assign(Field::mode, mode_, mode);
    refresh();
}

void TimingViewModel::setSimulatedConfidence(std::optional<TradingCore::DataConfidence> confidence) {
    assign(Field::simulatedConfidence, simulatedConfidence_, confidence);
    refresh();
}

void TimingViewModel::setExpandedIsland(std::string island) {
    assign(Field::expandedIsland, expandedIsland_, std::move(island));
}
void TimingViewModel::setPresentation(bool presentation) {
    assign(Field::isPresentation, isPresentation_, presentation);
}
void TimingViewModel::setEditorOpen(bool open) { assign(Field::isEditorOpen, isEditorOpen_, open); }
void TimingViewModel::setWeeklyMenuOpen(bool open) { assign(Field::isWeeklyMenuOpen, isWeeklyMenuOpen_, open); }
void TimingViewModel::setWeeklyImpactMenuOpen(bool open) {
    assign(Field::isWeeklyImpactMenuOpen, isWeeklyImpactMenuOpen_, open);
}
void TimingViewModel::setProfileMenuOpen(bool open) { assign(Field::isProfileMenuOpen, isProfileMenuOpen_, open); }

}  // namespace WaylarkKit
