#pragma once

#include <optional>
#include <variant>

#include "TradingCore/Model/IntervalColor.h"

namespace WaylarkKit {

// Which pose the mascot shows. Two kinds are equal when they are the same case
// with equal values; an absent tint equals only another absent tint.
class MascotKind {
public:
    // Trading allowed: verified when the calendar data is live; tinted with the
    // colour of the custom time that is active now.
    struct Session {
        bool verified = false;
        std::optional<TradingCore::IntervalColor> tint;
        bool operator==(const Session&) const = default;
    };
    // A news blackout; medium when a medium-impact release caused it.
    struct Restricted {
        bool medium = false;
        bool operator==(const Restricted&) const = default;
    };
    // Outside every trading window.
    struct Out {
        bool operator==(const Out&) const = default;
    };
    // The short celebration after the checklist was completed.
    struct ChecklistDone {
        bool operator==(const ChecklistDone&) const = default;
    };
    using Value = std::variant<Session, Restricted, Out, ChecklistDone>;

    static MascotKind session(bool verified, std::optional<TradingCore::IntervalColor> tint = std::nullopt) {
        return MascotKind(Session{verified, tint});
    }
    static MascotKind restricted(bool medium) { return MascotKind(Restricted{medium}); }
    static MascotKind out() { return MascotKind(Out{}); }
    static MascotKind checklistDone() { return MascotKind(ChecklistDone{}); }

    const Value& value() const { return value_; }
    const Session* asSession() const { return std::get_if<Session>(&value_); }
    const Restricted* asRestricted() const { return std::get_if<Restricted>(&value_); }
    bool isOut() const { return std::holds_alternative<Out>(value_); }
    bool isChecklistDone() const { return std::holds_alternative<ChecklistDone>(value_); }

    bool operator==(const MascotKind&) const = default;

private:
    explicit MascotKind(Value value) : value_(value) {}
    Value value_;
};

// True when going from `shown` to `next` only changes a session's tint: the
// shown figure is then re-coloured in place instead of being built again.
bool onlyTintChanges(const MascotKind& shown, const MascotKind& next);

}  // namespace WaylarkKit
