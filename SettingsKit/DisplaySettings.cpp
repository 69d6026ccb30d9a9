#include "SettingsKit/DisplaySettings.h"

#include <algorithm>
#include <vector>

#include "Base/JsonRead.h"
#include "Base/Text.h"

namespace SettingsKit {

bool isRememberableDisplayID(const std::string& id) {
    return !id.empty() && Base::Text::graphemeCount(id) <= DisplaySettings::maxIDLength;
}

DisplaySettings DisplaySettings::validated() const {
    struct Entry {
        std::string canonical;
        const std::pair<const std::string, bool>* entry;
    };
    std::vector<Entry> kept;
    for (const auto& entry : choices) {
        if (isRememberableDisplayID(entry.first)) kept.push_back({Base::Text::nfc(entry.first), &entry});
    }
    std::stable_sort(kept.begin(), kept.end(),
                     [](const Entry& a, const Entry& b) { return a.canonical < b.canonical; });
    DisplaySettings result;
    std::string previous;
    for (const Entry& item : kept) {
        if (result.choices.size() == maxRemembered) break;
        // Two spellings of one identifier name one display; the first in order speaks for it.
        if (!result.choices.empty() && item.canonical == previous) continue;
        previous = item.canonical;
        result.choices.insert(*item.entry);
    }
    return result;
}

Base::Json toJson(const DisplaySettings& displays) {
    Base::Json choices = Base::Json::object();
    for (const auto& [id, on] : displays.choices) choices.set(id, Base::Json::boolean(on));
    Base::Json json = Base::Json::object();
    json.set("choices", std::move(choices));
    return json;
}

Base::Result<DisplaySettings> displaysFromJson(const Base::Json& json, const std::string& context) {
    BASE_TRY(reader, Base::JsonObjectReader::of(json, context));
    BASE_TRY(choices, reader.object("choices"));
    DisplaySettings result;
    for (const auto& [id, value] : choices.members()) {
        BASE_TRY(on, Base::JsonValue::boolean(value, choices.path(id)));
        result.choices.emplace(id, on);
    }
    return result;
}

}  // namespace SettingsKit
