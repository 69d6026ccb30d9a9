#pragma once

#include <string>

#include "Base/Date.h"

namespace CalendarKit {

// Where the calendar's refreshing stands, for the panel to render. It has no
// text of its own beyond a failure's words.
struct CalendarServiceStatus {
    enum class Kind { rateLimited, failed, idle, syncing, ok };

    Kind kind = Kind::idle;
    Base::Date until;     // rateLimited: no refresh before this instant
    std::string message;  // failed: "HTTP 503", "tooLarge", "citire respinsă: empty", ...

    static CalendarServiceStatus rateLimited(Base::Date until) { return {Kind::rateLimited, until, {}}; }
    static CalendarServiceStatus failed(std::string message) { return {Kind::failed, {}, std::move(message)}; }
    static CalendarServiceStatus idle() { return {Kind::idle, {}, {}}; }
    static CalendarServiceStatus syncing() { return {Kind::syncing, {}, {}}; }
    static CalendarServiceStatus ok() { return {Kind::ok, {}, {}}; }

    bool operator==(const CalendarServiceStatus&) const = default;
};

}  // namespace CalendarKit
