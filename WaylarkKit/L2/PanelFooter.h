#pragma once

#include <optional>
#include <string>
#include <vector>

#include "Base/Date.h"
#include "Base/TimeZone.h"
#include "CalendarKit/Normalization/CalendarEvent.h"
#include "CalendarKit/Service/CalendarServiceStatus.h"
#include "TradingCore/Model/DataConfidence.h"
#include "WaylarkKit/Style/Rgba.h"

namespace WaylarkKit {

class TimingViewModel;

// The texts of the panel's footer: the one-line data status and the row of
// small buttons, with the demonstration controls in Romanian.
namespace PanelFooter {

struct StatusInputs {
    bool demo = false;
    TradingCore::DataConfidence confidence = TradingCore::DataConfidence::unknown;
    CalendarKit::CalendarServiceStatus status;
    std::optional<Base::Date> lastSuccess;
    Base::Date now;
    std::optional<CalendarKit::CalendarEvent> nextRestricted;
};

// In demo mode the fixed demonstration line. Otherwise, joined by " · ": the
// data confidence, the calendar's refresh state when it says something, how
// long ago it was last read (a last read ahead of `now` counts as just now)
// and the next restricted release. Times of a server pause are written in
// `localZone`, releases in New York.
std::string statusLine(const StatusInputs& inputs, const Base::TimeZone& localZone);
StatusInputs statusInputs(const TimingViewModel& model);

// "Tue 10 Mar 08:30": a release's New York day and time.
std::string releaseDay(Base::Date time);

struct Button {
    enum class Action { toggleMode, refresh, restartDemo, cycleConfidence, greeting, quit };
    Action action;
    std::string title;
    Rgba colour;
    bool operator==(const Button&) const = default;
};

// Left to right; "Quit" stands alone at the far right.
std::vector<Button> buttons(bool demo, const std::optional<TradingCore::DataConfidence>& simulated);

}  // namespace PanelFooter
}  // namespace WaylarkKit
