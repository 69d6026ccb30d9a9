#include "WaylarkKit/L2/PanelFooter.h"

#include <array>
#include <cmath>
#include <string_view>

#include "Base/Calendar.h"
#include "TradingCore/Model/MarketTimeZone.h"
#include "WaylarkKit/Style/Palette.h"
#include "WaylarkKit/Timing/TimingViewModel.h"
#include "WaylarkKit/Views/Formatting.h"

namespace WaylarkKit::PanelFooter {

namespace {

constexpr std::string_view separator = " \u00B7 ";
constexpr double buttonOpacity = 0.9;

std::string_view confidenceWord(TradingCore::DataConfidence confidence) {
    switch (confidence) {
        case TradingCore::DataConfidence::live: return "live";
        case TradingCore::DataConfidence::degraded: return "degraded";
        case TradingCore::DataConfidence::unknown: return "unknown";
    }
    return "unknown";
}

std::optional<std::string> refreshPart(const CalendarKit::CalendarServiceStatus& status,
                                       const Base::TimeZone& localZone) {
    using Kind = CalendarKit::CalendarServiceStatus::Kind;
    switch (status.kind) {
        case Kind::syncing: return "reading\u2026";
        case Kind::failed: return "last read failed";
        case Kind::rateLimited:
            return "server pause until " + Formatting::ClockFormatter(localZone, false).string(status.until);
        case Kind::idle:
        case Kind::ok: return std::nullopt;
    }
    return std::nullopt;
}

std::string agePart(const std::optional<Base::Date>& lastSuccess, Base::Date now) {
    if (!lastSuccess) return "never read";
    // A last read stamped ahead of now (a clock set back) reads as just now.
    const double seconds = std::max(0.0, now - *lastSuccess);
    if (!std::isfinite(seconds)) return "never read";
    const auto minutes = static_cast<long long>(std::min(seconds / 60, 1e15));
    if (minutes <= 59) return "read " + std::to_string(minutes) + " min ago";
    return "read " + std::to_string(minutes / 60) + " h ago";
}

std::string releasePart(const std::optional<CalendarKit::CalendarEvent>& event) {
    if (!event) return "no red USD ahead";
    const auto family = event->currentFamily();
    const std::string what = family ? std::string(CalendarKit::shortLabel(*family)) : event->title;
    return "next red USD: " + releaseDay(event->time) + " " + what;
}

std::string twoDigits(int value) { return (value < 10 ? "0" : "") + std::to_string(value); }

}  // namespace

std::string releaseDay(Base::Date time) {
    static constexpr std::array<std::string_view, 7> weekdays = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
    static constexpr std::array<std::string_view, 12> months = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                                                "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    if (!std::isfinite(time.secondsSince1970)) return "--";
    const Base::DateComponents c = Base::Calendar(TradingCore::MarketTimeZone::newYork()).components(time);
    if (c.weekday < 1 || c.weekday > 7 || c.month < 1 || c.month > 12) return "--";
    return std::string(weekdays[static_cast<std::size_t>(c.weekday - 1)]) + " " + std::to_string(c.day) + " " +
           std::string(months[static_cast<std::size_t>(c.month - 1)]) + " " + twoDigits(c.hour) + ":" +
           twoDigits(c.minute);
}

std::string statusLine(const StatusInputs& inputs, const Base::TimeZone& localZone) {
    if (inputs.demo) return "Demo \u00B7 scenariu de test, nu date reale";
    std::string line = "Data " + std::string(confidenceWord(inputs.confidence));
    const auto append = [&line](const std::string& part) {
        line += separator;
        line += part;
    };
    if (auto refresh = refreshPart(inputs.status, localZone)) append(*refresh);
    append(agePart(inputs.lastSuccess, inputs.now));
    append(releasePart(inputs.nextRestricted));
    return line;
}

StatusInputs statusInputs(const TimingViewModel& model) {
    StatusInputs inputs;
    inputs.demo = model.mode() == TimingViewModel::Mode::demo;
    inputs.confidence = model.evaluation().confidence;
    inputs.status = model.calendar().status();
    inputs.lastSuccess = model.calendar().lastSuccess();
    inputs.now = model.now();
    if (!inputs.demo) {
        auto next = model.upcomingRestrictedEvents(1);
        if (!next.empty()) inputs.nextRestricted = std::move(next.front());
    }
    return inputs;
}

std::vector<Button> buttons(bool demo, const std::optional<TradingCore::DataConfidence>& simulated) {
    using TradingCore::DataConfidence;
    std::string data = "reale";
    if (simulated) {
        switch (*simulated) {
            case DataConfidence::live: data = "la zi"; break;
            case DataConfidence::degraded: data = "cam vechi (simulat)"; break;
            case DataConfidence::unknown: data = "lips\u0103 (simulat)"; break;
        }
    }
    const auto colour = [](Rgba c) { return c.withOpacity(buttonOpacity); };
    return {
        {Button::Action::toggleMode, demo ? "Mod: Demo" : "Mod: Live", colour(Palette::green)},
        demo ? Button{Button::Action::restartDemo, "Repornește demo", colour(Palette::cyan)}
             : Button{Button::Action::refresh, "Reîmprospătează", colour(Palette::cyan)},
        {Button::Action::cycleConfidence, "Date: " + data, colour(Palette::yellow)},
        {Button::Action::greeting, "Greeting \u270E", colour(Palette::white)},
        {Button::Action::quit, "Quit", colour(Palette::red)},
    };
}

}  // namespace WaylarkKit::PanelFooter
