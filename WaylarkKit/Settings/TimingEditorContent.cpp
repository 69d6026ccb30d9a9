#include "WaylarkKit/Settings/TimingEditorContent.h"

#include "SettingsKit/SettingsModel.h"

namespace WaylarkKit {

using Section = TimingEditorModel::Section;

namespace {

std::string footnoteFor(Section section) {
    switch (section) {
        case Section::profile:
            return "The selected profile is the one the island follows.";
        case Section::customs:
            return "Custom times only inform: they never change the green, gray or red status.";
        case Section::macros:
            break;
    }
    return "Macros only inform too: they never change the green, gray or red status.";
}

}  // namespace

TimingSidebar TimingSidebar::of(const SettingsKit::SettingsModel& settings, Section section) {
    TimingSidebar sidebar;
    const std::string active = settings.activeProfile().name;
    for (const auto& profile : settings.profiles()) {
        const bool isActive = profile.name == active;
        sidebar.profiles.push_back(SidebarRow{profile.name, std::to_string(profile.windows.size()), isActive,
                                              isActive && section == Section::profile});
    }
    const bool customs = section == Section::customs;
    sidebar.customs = SidebarRow{"Custom times", std::to_string(settings.customIntervals().size()), customs, customs};
    const int named = (settings.lunchMacroEnabled() ? 1 : 0) + (settings.finalMacroEnabled() ? 1 : 0);
    const bool macros = section == Section::macros;
    sidebar.macros = SidebarRow{"Macros", std::to_string(named) + "/2", macros, macros};
    sidebar.footnote = footnoteFor(section);
    return sidebar;
}

namespace TimingEditorContent {

std::array<MacroRowContent, 3> macroRows(bool lunchEnabled, bool finalEnabled) {
    const auto named = [](const TradingCore::NamedMacro& macro, std::string badge, bool on) {
        return MacroRowContent{macro.name, span(macro.start, macro.end), std::move(badge), on, false};
    };
    return {
        MacroRowContent{"Hourly macros", "10 minutes either side of every full hour", "M", true, true},
        named(TradingCore::NamedMacro::lunch(), "LM", lunchEnabled),
        named(TradingCore::NamedMacro::finalHour(), "FM", finalEnabled),
    };
}

std::string span(const TradingCore::WallClockTime& start, const TradingCore::WallClockTime& end) {
    return start.text() + "\u2013" + end.text();
}

std::string windowsHeading(std::string_view profile) { return std::string(profile) + " windows"; }

std::string colourName(TradingCore::IntervalColor colour) {
    using TradingCore::IntervalColor;
    switch (colour) {
        case IntervalColor::cyan: return "Cyan";
        case IntervalColor::blue: return "Blue";
        case IntervalColor::pink: return "Pink";
        case IntervalColor::yellow: return "Yellow";
        case IntervalColor::teal: return "Teal";
        case IntervalColor::white: break;
    }
    return "White";
}

}  // namespace TimingEditorContent

}  // namespace WaylarkKit
