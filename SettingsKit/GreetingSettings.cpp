#include "SettingsKit/GreetingSettings.h"

#include "Base/JsonRead.h"
#include "Base/Text.h"
#include "SettingsKit/SettingsText.h"

namespace SettingsKit {

bool GreetingSettings::hasContent() const {
    return !Base::Text::trimmed(leading).empty() || !Base::Text::trimmed(name).empty();
}

bool GreetingSettings::operator==(const GreetingSettings& other) const {
    return isEnabled == other.isEnabled && sameText(leading, other.leading) && sameText(name, other.name);
}

Base::Json toJson(const GreetingSettings& greeting) {
    Base::Json json = Base::Json::object();
    json.set("isEnabled", Base::Json::boolean(greeting.isEnabled));
    json.set("leading", Base::Json::string(greeting.leading));
    json.set("name", Base::Json::string(greeting.name));
    return json;
}

Base::Result<GreetingSettings> greetingFromJson(const Base::Json& json, const std::string& context) {
    BASE_TRY(reader, Base::JsonObjectReader::of(json, context));
    BASE_TRY(isEnabled, reader.boolean("isEnabled"));
    BASE_TRY(leading, reader.string("leading"));
    BASE_TRY(name, reader.string("name"));
    return GreetingSettings{isEnabled, std::move(leading), std::move(name)};
}

}  // namespace SettingsKit
