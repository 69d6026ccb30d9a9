#include "TradingCore/Model/NewsRule.h"

#include "Base/JsonRead.h"

namespace TradingCore {

Base::Json toJson(const NewsRule& rule) {
    Base::Json currencies = Base::Json::array();
    for (const auto& currency : rule.currencies) currencies.push(Base::Json::string(currency));
    Base::Json impacts = Base::Json::array();
    for (NewsImpact impact : rule.impacts) impacts.push(Base::Json::string(std::string(rawValue(impact))));
    Base::Json json = Base::Json::object();
    json.set("currencies", std::move(currencies));
    json.set("impacts", std::move(impacts));
    json.set("beforeSeconds", Base::Json::number(rule.beforeSeconds));
    json.set("afterSeconds", Base::Json::number(rule.afterSeconds));
    json.set("leadSeconds", Base::Json::number(rule.leadSeconds));
    return json;
}

template <>
Base::Result<NewsRule> fromJson<NewsRule>(const Base::Json& json) {
    BASE_TRY(reader, Base::JsonObjectReader::of(json, "newsRule"));
    NewsRule rule;

    BASE_TRY(currencies, reader.arrayOf("currencies", Base::JsonValue::string));
    rule.currencies.insert(currencies.begin(), currencies.end());

    BASE_TRY(impacts, reader.arrayOf("impacts", [](const Base::Json& element,
                                                   std::string_view path) -> Base::Result<NewsImpact> {
        BASE_TRY(text, Base::JsonValue::string(element, path));
        std::optional<NewsImpact> impact = newsImpactFromRaw(text);
        if (!impact) return Base::makeError(std::string(path) + ": unknown impact \"" + text + "\"");
        return *impact;
    }));
    rule.impacts.insert(impacts.begin(), impacts.end());

    BASE_TRY(before, reader.number("beforeSeconds"));
    BASE_TRY(after, reader.number("afterSeconds"));
    BASE_TRY(lead, reader.number("leadSeconds"));
    rule.beforeSeconds = before;
    rule.afterSeconds = after;
    rule.leadSeconds = lead;
    return rule;
}

}  // namespace TradingCore
