#include "CalendarKit/Feed/FairEconomyFeed.h"

#include <optional>
#include <string>

#include "Base/Json.h"
#include "Base/JsonRead.h"
#include "Base/Text.h"
#include "CalendarKit/Feed/InternetDateTime.h"

namespace CalendarKit::FairEconomyFeed {

namespace {

// Far deeper than a feed entry (an array of flat objects) ever goes, and
// shallow enough that a hostile document cannot exhaust the stack.
constexpr std::size_t kMaxDepth = 128;

constexpr std::size_t kMaxTitleLength = 200;
constexpr std::size_t kMaxCountryLength = 8;
constexpr std::size_t kMaxValueLength = 64;

// One element as read, before any judgement of its content.
struct RawEvent {
    std::string title;
    std::string country;
    std::string date;
    std::string impact;
    std::optional<std::string> forecast;
    std::optional<std::string> previous;
};

// Nothing when the element is not an object, lacks a required text or holds a
// value of another JSON type; absent or null forecast and previous are fine.
std::optional<RawEvent> readRaw(const Base::Json& element) {
    if (!element.isObject()) return std::nullopt;
    auto reader = Base::JsonObjectReader::of(element);
    if (!reader) return std::nullopt;
    auto title = reader->string("title");
    auto country = reader->string("country");
    auto date = reader->string("date");
    auto impact = reader->string("impact");
    auto forecast = reader->optionalString("forecast");
    auto previous = reader->optionalString("previous");
    if (!title || !country || !date || !impact || !forecast || !previous) return std::nullopt;
    return RawEvent{std::move(title).value(),    std::move(country).value(),  std::move(date).value(),
                    std::move(impact).value(),   std::move(forecast).value(), std::move(previous).value()};
}

// Length in grapheme clusters, and no character of category Cc or Cf.
bool valid(std::string_view text, std::size_t max, bool allowEmpty) {
    if (text.empty()) return allowEmpty;
    if (Base::Text::isPrintableAscii(text)) return text.size() <= max;
    for (const char32_t cp : Base::Text::codePoints(text)) {
        if (Base::Text::isControlOrFormat(cp)) return false;
    }
    // A cluster holds at least one byte, so a short text needs no counting.
    return text.size() <= max || Base::Text::graphemeCount(text) <= max;
}

bool isAcceptable(const RawEvent& raw) {
    return valid(raw.title, kMaxTitleLength, false) && valid(raw.country, kMaxCountryLength, false) &&
           valid(raw.forecast.value_or(""), kMaxValueLength, true) &&
           valid(raw.previous.value_or(""), kMaxValueLength, true);
}

std::optional<TradingCore::NewsImpact> impactOf(std::string_view text) {
    const std::string lower = Base::Text::lowercased(text);
    if (lower == "high") return TradingCore::NewsImpact::high;
    if (lower == "medium") return TradingCore::NewsImpact::medium;
    if (lower == "low") return TradingCore::NewsImpact::low;
    if (lower == "holiday") return TradingCore::NewsImpact::holiday;
    return std::nullopt;
}

std::optional<FeedEvent> accept(const Base::Json& element) {
    std::optional<RawEvent> raw = readRaw(element);
    if (!raw || !isAcceptable(*raw)) return std::nullopt;
    const std::optional<Base::Date> time = InternetDateTime::parse(raw->date);
    if (!time) return std::nullopt;
    const std::optional<TradingCore::NewsImpact> impact = impactOf(raw->impact);
    if (!impact) return std::nullopt;
    return FeedEvent{std::move(raw->title),
                     std::move(raw->country),
                     *time,
                     *impact,
                     std::move(raw->forecast).value_or(""),
                     std::move(raw->previous).value_or("")};
}

}  // namespace

FeedResult<FeedParseResult> parse(std::string_view data) {
    if (data.size() > maxBytes) return FeedError::tooLarge;
    Base::Result<Base::Json> document = Base::Json::parse(data, Base::Json::ParseOptions{kMaxDepth});
    if (!document || !document->isArray()) return FeedError::notAnArray;
    const Base::Json::Array& elements = document->asArray();
    if (elements.size() > maxItems) return FeedError::tooLarge;

    FeedParseResult result;
    result.events.reserve(elements.size());
    for (const Base::Json& element : elements) {
        if (std::optional<FeedEvent> event = accept(element)) {
            result.events.push_back(std::move(*event));
        } else {
            ++result.skippedCount;
        }
    }
    return result;
}

}  // namespace CalendarKit::FairEconomyFeed
