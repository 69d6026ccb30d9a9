#include "TradingCore/Model/WindowRules.h"

#include <cstddef>
#include <cstdint>

namespace TradingCore::WindowRules {

namespace {

constexpr std::int64_t minutesPerDay = 1440;

struct Piece {
    std::int64_t start;
    std::int64_t end;
    std::size_t window;
};

}  // namespace

std::optional<Issue> issue(const std::vector<SessionWindow>& windows) {
    if (windows.size() > static_cast<std::size_t>(maxWindows)) return Issue::tooMany();

    // minutesSinceMidnight saturates, so windows far outside a day still
    // compare without overflow; nothing below adds to these values.
    std::vector<Piece> pieces;
    pieces.reserve(windows.size() * 2);
    for (std::size_t i = 0; i < windows.size(); ++i) {
        const std::int64_t s = windows[i].start.minutesSinceMidnight();
        const std::int64_t e = windows[i].end.minutesSinceMidnight();
        if (s == e) return Issue::zeroLength(windows[i].name);
        if (s < e) {
            pieces.push_back({s, e, i});
        } else {
            pieces.push_back({s, minutesPerDay, i});
            pieces.push_back({0, e, i});
        }
    }

    for (std::size_t a = 0; a < pieces.size(); ++a) {
        for (std::size_t b = a + 1; b < pieces.size(); ++b) {
            const Piece& p = pieces[a];
            const Piece& q = pieces[b];
            if (p.window != q.window && p.start < q.end && q.start < p.end) {
                return Issue::overlap(windows[p.window].name, windows[q.window].name);
            }
        }
    }
    return std::nullopt;
}

}  // namespace TradingCore::WindowRules
