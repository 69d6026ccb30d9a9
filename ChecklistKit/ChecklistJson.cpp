#include "ChecklistKit/ChecklistJson.h"

#include <string_view>

#include "Base/JsonRead.h"

namespace ChecklistKit {

namespace {

using Base::Json;
using Base::JsonObjectReader;

Base::Result<Base::Uuid> uuidValue(const Json& value, const std::string& context) {
    BASE_TRY(text, Base::JsonValue::string(value, context));
    std::optional<Base::Uuid> id = Base::Uuid::fromText(text);
    if (!id) return Base::makeError(context + ": \"" + text + "\" is no UUID");
    return *id;
}

Base::Result<Base::Uuid> idMember(const JsonObjectReader& reader) {
    BASE_TRY(value, reader.required("id"));
    return uuidValue(*value, reader.path("id"));
}

Json stringArrayJson(const std::vector<std::string>& texts) {
    Json array = Json::array();
    for (const std::string& text : texts) array.push(Json::string(text));
    return array;
}

Base::Result<ChecklistState::TickLists> tickLists(const Json::Object& object, const std::string& context) {
    ChecklistState::TickLists result;
    for (const auto& [key, value] : object) {
        const std::string path = context + "." + key;
        BASE_TRY(keys, Base::JsonValue::arrayOf(value, path, Base::JsonValue::string));
        result.emplace(key, std::move(keys));
    }
    return result;
}

Base::Result<ChecklistState::ChoiceMaps> choiceMaps(const Json::Object& object, const std::string& context) {
    ChecklistState::ChoiceMaps result;
    for (const auto& [key, value] : object) {
        const std::string path = context + "." + key;
        BASE_TRY(inner, Base::JsonValue::object(value, path));
        std::map<std::string, std::string> choices;
        for (const auto& [itemKey, choice] : *inner) {
            BASE_TRY(text, Base::JsonValue::string(choice, path + "." + itemKey));
            choices.emplace(itemKey, std::move(text));
        }
        result.emplace(key, std::move(choices));
    }
    return result;
}

}  // namespace

Json toJson(const ChecklistItem& item) {
    Json json = Json::object();
    json.set("id", Json::string(item.id.text()));
    json.set("options", stringArrayJson(item.options));
    json.set("text", Json::string(item.text));
    return json;
}

Json toJson(const ChecklistTemplate& checklist) {
    Json items = Json::array();
    for (const ChecklistItem& item : checklist.items) items.push(toJson(item));
    Json json = Json::object();
    json.set("id", Json::string(checklist.id.text()));
    json.set("items", std::move(items));
    json.set("name", Json::string(checklist.name));
    return json;
}

Json toJson(const ChecklistState& state) {
    Json checked = Json::object();
    for (const auto& [key, keys] : state.checked) checked.set(key, stringArrayJson(keys));
    Json choices = Json::object();
    for (const auto& [key, inner] : state.choices) {
        Json object = Json::object();
        for (const auto& [itemKey, choice] : inner) object.set(itemKey, Json::string(choice));
        choices.set(key, std::move(object));
    }
    Json templates = Json::array();
    for (const ChecklistTemplate& checklist : state.templates) templates.push(toJson(checklist));

    Json json = Json::object();
    if (state.activeTemplateID) json.set("activeTemplateID", Json::string(state.activeTemplateID->text()));
    json.set("checked", std::move(checked));
    json.set("choices", std::move(choices));
    json.set("templates", std::move(templates));
    json.set("version", Json::number(state.version));
    return json;
}

template <>
Base::Result<ChecklistItem> fromJson<ChecklistItem>(const Json& json) {
    BASE_TRY(reader, JsonObjectReader::of(json, "item"));
    BASE_TRY(id, idMember(reader));
    BASE_TRY(text, reader.string("text"));
    ChecklistItem item{id, std::move(text), {}};
    BASE_TRY(options, reader.optionalArrayOf("options", Base::JsonValue::string));
    if (options) item.options = std::move(*options);
    return item;
}

template <>
Base::Result<ChecklistTemplate> fromJson<ChecklistTemplate>(const Json& json) {
    BASE_TRY(reader, JsonObjectReader::of(json, "template"));
    BASE_TRY(id, idMember(reader));
    BASE_TRY(name, reader.string("name"));
    ChecklistTemplate checklist{id, std::move(name), {}};
    BASE_TRY(items, reader.arrayOf("items", fromJson<ChecklistItem>));
    checklist.items = std::move(items);
    return checklist;
}

template <>
Base::Result<ChecklistState> fromJson<ChecklistState>(const Json& json) {
    BASE_TRY(reader, JsonObjectReader::of(json, "checklists"));
    ChecklistState state;
    BASE_TRY(version, reader.integer("version"));
    state.version = version;

    BASE_TRY(templates, reader.arrayOf("templates", fromJson<ChecklistTemplate>));
    state.templates = std::move(templates);

    if (const Json* active = reader.present("activeTemplateID")) {
        BASE_TRY(id, uuidValue(*active, reader.path("activeTemplateID")));
        state.activeTemplateID = id;
    }

    BASE_TRY(checkedObject, reader.required("checked"));
    BASE_TRY(checkedMembers, Base::JsonValue::object(*checkedObject, reader.path("checked")));
    BASE_TRY(checked, tickLists(*checkedMembers, reader.path("checked")));
    state.checked = std::move(checked);

    if (const Json* choicesObject = reader.present("choices")) {
        BASE_TRY(choicesMembers, Base::JsonValue::object(*choicesObject, reader.path("choices")));
        BASE_TRY(choices, choiceMaps(*choicesMembers, reader.path("choices")));
        state.choices = std::move(choices);
    }
    return state;
}

}  // namespace ChecklistKit
