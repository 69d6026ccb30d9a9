#include "TradingCore/Evaluation/BuilderCache.h"

#include <optional>

namespace TradingCore {

ScheduleBuilder& threadBuilder(const Base::TimeZone& zone) {
    thread_local std::optional<ScheduleBuilder> builder;
    if (!builder || !(builder->calendar().timeZone() == zone)) builder.emplace(Base::Calendar(zone));
    return *builder;
}

}  // namespace TradingCore
