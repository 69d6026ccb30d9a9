#include "TradingCore/Model/NewsEvent.h"

#include "Base/EpochText.h"

namespace TradingCore {

std::string NewsEvent::activityID() const {
    return "news:" + displayLabel() + "@" + Base::epochText(time.secondsSince1970);
}

}  // namespace TradingCore
