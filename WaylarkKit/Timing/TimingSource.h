#pragma once

#include <memory>
#include <optional>
#include <vector>

#include "Base/Date.h"
#include "CalendarKit/Freshness/DateInterval.h"
#include "CalendarKit/Freshness/FreshnessPolicy.h"
#include "CalendarKit/Normalization/CalendarEvent.h"
#include "CalendarKit/Service/CalendarService.h"
#include "TradingCore/Model/DataConfidence.h"
#include "TradingCore/Model/NewsEvent.h"
#include "TradingCore/Model/TimingConfiguration.h"
#include "WaylarkKit/Timing/DemoScenario.h"

namespace WaylarkKit {

// What one evaluation needs besides the instant. The parts are shared and
// never changed after they are handed out, so passing inputs along copies
// nothing and a kept copy stays valid.
struct TimingInputs {
    std::shared_ptr<const TradingCore::TimingConfiguration> configuration;
    std::shared_ptr<const std::vector<TradingCore::NewsEvent>> events;
    TradingCore::DataConfidence confidence = TradingCore::DataConfidence::unknown;
};

// Where the timing view model takes its inputs from: the live calendar or a
// demonstration scenario.
class TimingSource {
public:
    virtual ~TimingSource() = default;
    virtual TimingInputs inputs(Base::Date now) = 0;
};

// The calendar's news with the confidence its freshness earns, under the
// configuration the view model builds from the settings on every tick.
class LiveSource final : public TimingSource {
public:
    // Live within a day of the last success, degraded within a week.
    static constexpr CalendarKit::FreshnessPolicy standardPolicy{86'400, 604'800};

    LiveSource(CalendarKit::CalendarService& service,
               std::shared_ptr<const TradingCore::TimingConfiguration> configuration,
               CalendarKit::FreshnessPolicy policy = standardPolicy);
    LiveSource(const LiveSource&) = delete;
    LiveSource& operator=(const LiveSource&) = delete;

    // Converts the calendar's events only when their list differs from the
    // one converted last time.
    TimingInputs inputs(Base::Date now) override;

    const TradingCore::TimingConfiguration& configuration() const { return *configuration_; }
    void setConfiguration(std::shared_ptr<const TradingCore::TimingConfiguration> configuration) {
        configuration_ = std::move(configuration);
    }
    const CalendarKit::FreshnessPolicy& policy() const { return policy_; }
    const std::vector<TradingCore::NewsEvent>& cachedNews() const { return *cachedNews_; }
    // How many times the calendar's list has been converted.
    int conversionCount() const { return conversionCount_; }

private:
    CalendarKit::CalendarService& service_;
    std::shared_ptr<const TradingCore::TimingConfiguration> configuration_;
    CalendarKit::FreshnessPolicy policy_;
    std::vector<CalendarKit::CalendarEvent> cachedSource_;
    std::shared_ptr<const std::vector<TradingCore::NewsEvent>> cachedNews_;
    // The service's coverage follows from its events alone, so it is read
    // with them: it costs a calendar computation that need not run every tick.
    std::optional<CalendarKit::DateInterval> cachedCoverage_;
    int conversionCount_ = 0;
    // The service tells of every real change of its list, so a list it has
    // not announced since the last comparison is known to be unchanged and
    // the comparison of a few hundred events can be skipped.
    bool listMayDiffer_ = true;
    Base::Subscription listChanged_;
};

// A scenario's configuration and news, always rated live.
class DemoSource final : public TimingSource {
public:
    // Starts with the default scenario for `now`.
    explicit DemoSource(Base::Date now);

    TimingInputs inputs(Base::Date now) override;

    const DemoScenario& scenario() const { return *scenario_; }
    void setScenario(DemoScenario scenario) { scenario_ = std::make_shared<const DemoScenario>(std::move(scenario)); }

private:
    std::shared_ptr<const DemoScenario> scenario_;
};

}  // namespace WaylarkKit
