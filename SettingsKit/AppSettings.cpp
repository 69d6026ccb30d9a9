#include "SettingsKit/AppSettings.h"

#include "SettingsKit/SettingsText.h"

namespace SettingsKit {

TradingCore::SessionProfile AppSettings::activeProfile() const {
    for (const auto& profile : profiles) {
        if (sameText(profile.name, activeProfileName)) return profile;
    }
    return TradingCore::SessionProfile::newYork();
}

bool AppSettings::operator==(const AppSettings& other) const {
    return version == other.version && profiles == other.profiles &&
           sameText(activeProfileName, other.activeProfileName) && weeklyCurrency == other.weeklyCurrency &&
           weeklyIncludeMedium == other.weeklyIncludeMedium && newsRule == other.newsRule &&
           greeting == other.greeting && timelineHalfSpanMinutes == other.timelineHalfSpanMinutes &&
           customIntervals == other.customIntervals && lunchMacroEnabled == other.lunchMacroEnabled &&
           finalMacroEnabled == other.finalMacroEnabled && calculator == other.calculator &&
           displays == other.displays;
}

}  // namespace SettingsKit
