#include "WaylarkKit/Timing/TimingSource.h"

#include <utility>

namespace WaylarkKit {

LiveSource::LiveSource(CalendarKit::CalendarService& service,
                       std::shared_ptr<const TradingCore::TimingConfiguration> configuration,
                       CalendarKit::FreshnessPolicy policy)
    : service_(service),
      configuration_(std::move(configuration)),
      policy_(policy),
      cachedNews_(std::make_shared<const std::vector<TradingCore::NewsEvent>>()),
      listChanged_(service.observeEvents([this] { listMayDiffer_ = true; })) {}

TimingInputs LiveSource::inputs(Base::Date now) {
    const std::vector<CalendarKit::CalendarEvent>& events = service_.events();
    if (std::exchange(listMayDiffer_, false) && events != cachedSource_) {
        std::vector<TradingCore::NewsEvent> news;
        news.reserve(events.size());
        for (const auto& event : events) news.push_back(event.newsEvent());
        cachedNews_ = std::make_shared<const std::vector<TradingCore::NewsEvent>>(std::move(news));
        cachedSource_ = events;
        cachedCoverage_ = service_.coverage();
        ++conversionCount_;
    }
    return TimingInputs{configuration_, cachedNews_,
                        policy_.confidence(service_.lastSuccess(), cachedCoverage_, now)};
}

DemoSource::DemoSource(Base::Date now) : scenario_(std::make_shared<const DemoScenario>(DemoScenario::make(now))) {}

TimingInputs DemoSource::inputs(Base::Date) {
    // Aliases into the scenario, so the inputs keep it alive without a copy.
    return TimingInputs{std::shared_ptr<const TradingCore::TimingConfiguration>(scenario_, &scenario_->configuration),
                        std::shared_ptr<const std::vector<TradingCore::NewsEvent>>(scenario_, &scenario_->events),
                        TradingCore::DataConfidence::live};
}

}  // namespace WaylarkKit
