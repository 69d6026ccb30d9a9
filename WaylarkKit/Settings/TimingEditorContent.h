#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "TradingCore/Model/IntervalColor.h"
#include "TradingCore/Model/NamedMacro.h"
#include "TradingCore/Model/SessionProfile.h"
#include "TradingCore/Model/Weekday.h"
#include "WaylarkKit/Settings/TimingEditorModel.h"

namespace SettingsKit {
class SettingsModel;
}

namespace WaylarkKit {

// One row of the timing editor's sidebar.
struct SidebarRow {
    std::string left;
    std::string right;
    bool highlighted = false;  // semibold, full white
    bool background = false;   // the row of the page shown

    bool operator==(const SidebarRow&) const = default;
};

// The sidebar as the settings and the page shown make it.
struct TimingSidebar {
    std::vector<SidebarRow> profiles;  // in stored order
    SidebarRow customs;
    SidebarRow macros;
    std::string footnote;

    static TimingSidebar of(const SettingsKit::SettingsModel& settings, TimingEditorModel::Section section);
};

// One row of the macros page.
struct MacroRowContent {
    std::string title;
    std::string detail;
    std::string badge;
    bool isOn = false;
    bool locked = false;

    bool operator==(const MacroRowContent&) const = default;
};

namespace TimingEditorContent {

// The hourly macros (always on, locked), then the lunch and final macros.
std::array<MacroRowContent, 3> macroRows(bool lunchEnabled, bool finalEnabled);
// "11:30–13:30".
std::string span(const TradingCore::WallClockTime& start, const TradingCore::WallClockTime& end);
// "NY windows".
std::string windowsHeading(std::string_view profile);
// The swatch tooltip: "Cyan", "Blue", ...
std::string colourName(TradingCore::IntervalColor colour);

struct WeekdayToggle {
    TradingCore::Weekday day;
    std::string_view label;
};
// Monday first, as the week reads on a trading desk.
inline constexpr std::array<WeekdayToggle, 7> weekdayToggles{{
    {TradingCore::Weekday::monday, "Mo"},
    {TradingCore::Weekday::tuesday, "Tu"},
    {TradingCore::Weekday::wednesday, "We"},
    {TradingCore::Weekday::thursday, "Th"},
    {TradingCore::Weekday::friday, "Fr"},
    {TradingCore::Weekday::saturday, "Sa"},
    {TradingCore::Weekday::sunday, "Su"},
}};

}  // namespace TimingEditorContent

}  // namespace WaylarkKit
