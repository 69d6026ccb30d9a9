#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "IslandKit/Geometry/Rect.h"
#include "WaylarkKit/Weekly/WeeklyItem.h"

// Geometry of the weekly tab, in points with y downward, free of the toolkit:
// the header line and the rows from measured text widths, the day list, the
// scroll target of the focused row and the two menu panels.
namespace WaylarkKit::WeeklyTabLayout {

using IslandKit::Rect;

inline constexpr double headerHeight = 22;
inline constexpr double listTop = headerHeight + 6;  // the header, then the stack's spacing
inline constexpr double dayHeadingHeight = 12;
inline constexpr double rowHeight = 22;
inline constexpr double rowInset = 6;
inline constexpr double menuRowHeight = 26;
inline constexpr std::size_t currencyMenuVisibleRows = 5;

// One element of a horizontal stack. Fixed elements take their width; texts
// share what is left, the narrowest served first and none beyond its own
// width (a text that gets less is cut at its end); a spacer takes the rest,
// never less than its minimum.
struct StackItem {
    enum class Kind { fixed, text, spacer };
    Kind kind = Kind::fixed;
    double width = 0;  // fixed and text: the wanted width; spacer: the minimum
};
struct Span {
    double x = 0;
    double width = 0;
    bool operator==(const Span&) const = default;
};
std::vector<Span> hstack(double x, double width, double spacing, const std::vector<StackItem>& items);

// The header line across `width`: title, subtitle, space, impact button,
// currency button and pencil button, 8 apart. A filter button is its text,
// 4, the chevron, and 8 on either side.
struct HeaderWidths {
    double title = 0;
    double subtitle = 0;
    double impactText = 0;
    double currencyText = 0;
    double chevron = 0;
};
struct HeaderGeometry {
    Rect title;
    Rect subtitle;  // narrower than its text when the line is short of room
    Rect impactButton;
    Rect currencyButton;
    Rect pencilButton;
};
HeaderGeometry header(double width, const HeaderWidths& widths);

// One row across `width`, inset 6 on both sides: time column, dot, main
// text, second text (with a label only), space, detail (when there is one).
struct RowWidths {
    double main = 0;
    std::optional<double> second;
    std::optional<double> detail;
};
struct RowGeometry {
    Span time;
    Span dot;
    Span main;
    std::optional<Span> second;
    std::optional<Span> detail;
};
RowGeometry row(double width, const RowWidths& widths);

// The day list: per day its heading, then its rows, 2 apart; days 8 apart and
// 4 below the last. Positions are from the top of the list's content.
struct ListEntry {
    std::size_t day = 0;
    std::optional<std::size_t> item;  // none: the day's heading
    double y = 0;
    double height = 0;
    bool operator==(const ListEntry&) const = default;
};
struct ListLayout {
    std::vector<ListEntry> entries;  // top to bottom
    double contentHeight = 0;

    // The entries that reach into [top, bottom), as [first, last) indices.
    std::pair<std::size_t, std::size_t> visible(double top, double bottom) const;
};
ListLayout list(const std::vector<WeeklyDay>& days);

// Every row whose item carries the focused activity id, in list order. Two
// releases at the same instant under the same label share one id: both are
// highlighted, and the list scrolls to the first.
std::vector<std::size_t> focusedRows(const ListLayout& layout, const std::vector<WeeklyDay>& days,
                                     const std::optional<std::string>& focus);

// Scroll offsets run from 0 to the content's overflow.
double clampedOffset(double offset, double contentHeight, double viewportHeight);
// The offset that brings the middle of `entry` to the middle of the viewport,
// as far as the content allows.
double centredOffset(const ListEntry& entry, double contentHeight, double viewportHeight);

// The menu panels, from the tab's top right: the currency panel shows at most
// five codes and scrolls beyond; the impact panel holds its two rows.
Rect currencyPanel(double tabWidth, std::size_t codes);
Rect impactPanel(double tabWidth);
double currencyMenuOverflow(std::size_t codes);
// The entry under a point of the tab, or none outside the panel.
std::optional<std::size_t> menuEntryAt(const Rect& panel, double scroll, std::size_t count, IslandKit::Point point);

}  // namespace WaylarkKit::WeeklyTabLayout
