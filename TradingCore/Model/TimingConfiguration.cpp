#include "TradingCore/Model/TimingConfiguration.h"

namespace TradingCore {

TimingConfiguration TimingConfiguration::newYorkDefault() {
    static const TimingConfiguration configuration{
        SessionProfile::newYork(),
        MacroSchedule::newYorkDefault(),
        NewsRule{{"USD"}, {NewsImpact::high}, 300, 300, 900},
        {},
        MarketTimeZone::newYork(),
        10,
        10,
        120,
        1800,
        300,
    };
    return configuration;
}

}  // namespace TradingCore
