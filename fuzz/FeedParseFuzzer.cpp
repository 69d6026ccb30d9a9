// Feeds arbitrary bytes to the feed parser, then pushes whatever it accepts
// through validation, normalisation, reconciliation, the diff, the freshness
// coverage and the cache's JSON form, checking the promises each step makes.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <set>
#include <string>
#include <string_view>
#include <unordered_set>

#include "Base/Json.h"
#include "Base/Text.h"
#include "CalendarKit/Diff/SnapshotDiff.h"
#include "CalendarKit/Feed/FairEconomyFeed.h"
#include "CalendarKit/Feed/FeedValidator.h"
#include "CalendarKit/Feed/InternetDateTime.h"
#include "CalendarKit/Freshness/FreshnessPolicy.h"
#include "CalendarKit/Normalization/EventNormalizer.h"
#include "CalendarKit/Reconcile/EventReconciler.h"

namespace {

void check(bool condition) {
    if (!condition) std::abort();
}

bool withinLimit(const std::string& text, std::size_t max, bool allowEmpty) {
    if (text.empty()) return allowEmpty;
    for (const char32_t cp : Base::Text::codePoints(text)) {
        if (Base::Text::isControlOrFormat(cp)) return false;
    }
    return Base::Text::graphemeCount(text) <= max;
}

void checkSlug(const std::string& slug) {
    check(slug.empty() || (slug.front() != '-' && slug.back() != '-'));
    check(slug.find("--") == std::string::npos);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace CalendarKit;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    // The text helpers also meet raw bytes, malformed UTF-8 included.
    checkSlug(EventNormalizer::slug(bytes.substr(0, 512)));
    (void)InternetDateTime::parse(bytes.substr(0, 64));
    const auto parsed = FairEconomyFeed::parse(bytes);
    if (!parsed.ok()) return 0;

    // Every array element is either accepted or counted.
    const auto document = Base::Json::parse(bytes);
    check(document.ok() && document->isArray());
    check(parsed->events.size() + parsed->skippedCount == document->asArray().size());

    for (const FeedEvent& event : parsed->events) {
        check(withinLimit(event.title, 200, false));
        check(withinLimit(event.currency, 8, false));
        check(withinLimit(event.forecast, 64, true));
        check(withinLimit(event.previous, 64, true));
    }

    const Base::Date now = parsed->events.empty() ? Base::Date(1772803800) : parsed->events.front().time;
    const FeedValidationPolicy policy{1500, 1'209'600, 2'419'200, 0.4, 20};
    (void)FeedValidator::validate(parsed->events, static_cast<std::int64_t>(parsed->events.size()) * 2, now, policy);

    const auto& zone = EventNormalizer::newYork();
    const auto events = EventNormalizer::normalize(parsed->events, zone);
    check(events.size() == parsed->events.size());
    std::unordered_set<std::string> ids;
    for (std::size_t i = 0; i < events.size(); ++i) {
        check(i == 0 || !(events[i].time < events[i - 1].time));
        check(ids.insert(events[i].id).second);
        checkSlug(EventNormalizer::slug(events[i].title));
        const auto back = fromJson<CalendarEvent>(toJson(events[i]));
        check(back.ok() && *back == events[i]);
        (void)events[i].newsEvent();
    }

    // Reconcile the second half of the list as an update of the whole.
    const std::vector<CalendarEvent> later(events.begin() + static_cast<std::ptrdiff_t>(events.size() / 2),
                                           events.end());
    const auto reconciled = EventReconciler::reconcile(events, later, {}, now, 7200);
    check(reconciled.events.size() + reconciled.dropped.size() == events.size());
    const auto changes = SnapshotDiff::compare(events, reconciled.events);
    for (const auto& change : changes) check(change.kind == CalendarChange::Kind::removed);
    check(changes.size() == reconciled.dropped.size());

    if (const auto coverage = FreshnessPolicy::coverage(events, zone)) {
        check(coverage->start <= events.front().time && events.back().time < coverage->end);
    } else {
        check(events.empty());
    }
    return 0;
}
