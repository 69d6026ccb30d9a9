#include "WaylarkKit/Weekly/WeeklyTabLayout.h"

#include <algorithm>
#include <cmath>

namespace WaylarkKit::WeeklyTabLayout {

namespace {

constexpr double headerSpacing = 8;
constexpr double rowSpacing = 8;
constexpr double headingToRows = 2;
constexpr double daySpacing = 8;
constexpr double listBottomMargin = 4;
constexpr double timeColumnWidth = 44;
constexpr double dotSize = 6;
constexpr double pencilWidth = 24;

double filterButtonWidth(double text, double chevron) { return 8 + text + 4 + chevron + 8; }

Rect headerRect(const Span& span) { return {span.x, 0, span.width, headerHeight}; }

}  // namespace

std::vector<Span> hstack(double x, double width, double spacing, const std::vector<StackItem>& items) {
    using Kind = StackItem::Kind;
    std::vector<Span> spans(items.size());
    if (items.empty()) return spans;
    double left = width - spacing * static_cast<double>(items.size() - 1);
    std::vector<std::size_t> texts;
    std::size_t spacers = 0;
    for (std::size_t i = 0; i < items.size(); ++i) {
        const StackItem& item = items[i];
        if (item.kind == Kind::text) {
            texts.push_back(i);
            continue;
        }
        spans[i].width = std::max(0.0, item.width);
        left -= spans[i].width;
        if (item.kind == Kind::spacer) ++spacers;
    }
    std::stable_sort(texts.begin(), texts.end(),
                     [&](std::size_t a, std::size_t b) { return items[a].width < items[b].width; });
    for (std::size_t n = 0; n < texts.size(); ++n) {
        const double share = std::max(0.0, left / static_cast<double>(texts.size() - n));
        const double given = std::min(std::max(0.0, items[texts[n]].width), share);
        spans[texts[n]].width = given;
        left -= given;
    }
    if (spacers > 0 && left > 0) {
        for (std::size_t i = 0; i < items.size(); ++i) {
            if (items[i].kind == Kind::spacer) spans[i].width += left / static_cast<double>(spacers);
        }
    }
    double cursor = x;
    for (Span& span : spans) {
        span.x = cursor;
        cursor += span.width + spacing;
    }
    return spans;
}

HeaderGeometry header(double width, const HeaderWidths& w) {
    using Kind = StackItem::Kind;
    const std::vector<Span> spans =
        hstack(0, width, headerSpacing,
               {{Kind::text, w.title},
                {Kind::text, w.subtitle},
                {Kind::spacer, 4},
                {Kind::fixed, filterButtonWidth(w.impactText, w.chevron)},
                {Kind::fixed, filterButtonWidth(w.currencyText, w.chevron)},
                {Kind::fixed, pencilWidth}});
    return {headerRect(spans[0]), headerRect(spans[1]), headerRect(spans[3]), headerRect(spans[4]),
            headerRect(spans[5])};
}

RowGeometry row(double width, const RowWidths& w) {
    using Kind = StackItem::Kind;
    std::vector<StackItem> items = {{Kind::fixed, timeColumnWidth}, {Kind::fixed, dotSize}, {Kind::text, w.main}};
    if (w.second) items.push_back({Kind::text, *w.second});
    items.push_back({Kind::spacer, 4});
    if (w.detail) items.push_back({Kind::text, *w.detail});
    const std::vector<Span> spans = hstack(rowInset, width - 2 * rowInset, rowSpacing, items);
    RowGeometry result{spans[0], spans[1], spans[2], std::nullopt, std::nullopt};
    std::size_t next = 3;
    if (w.second) result.second = spans[next++];
    ++next;  // the space
    if (w.detail) result.detail = spans[next];
    return result;
}

ListLayout list(const std::vector<WeeklyDay>& days) {
    ListLayout layout;
    double y = 0;
    for (std::size_t d = 0; d < days.size(); ++d) {
        if (d > 0) y += daySpacing;
        layout.entries.push_back({d, std::nullopt, y, dayHeadingHeight});
        y += dayHeadingHeight;
        for (std::size_t i = 0; i < days[d].items.size(); ++i) {
            y += headingToRows;
            layout.entries.push_back({d, i, y, rowHeight});
            y += rowHeight;
        }
    }
    layout.contentHeight = y + listBottomMargin;
    return layout;
}

std::pair<std::size_t, std::size_t> ListLayout::visible(double top, double bottom) const {
    const auto first = std::partition_point(entries.begin(), entries.end(),
                                            [&](const ListEntry& e) { return e.y + e.height <= top; });
    const auto last =
        std::partition_point(first, entries.end(), [&](const ListEntry& e) { return e.y < bottom; });
    return {static_cast<std::size_t>(first - entries.begin()), static_cast<std::size_t>(last - entries.begin())};
}

std::vector<std::size_t> focusedRows(const ListLayout& layout, const std::vector<WeeklyDay>& days,
                                     const std::optional<std::string>& focus) {
    std::vector<std::size_t> result;
    if (!focus) return result;
    for (std::size_t i = 0; i < layout.entries.size(); ++i) {
        const ListEntry& entry = layout.entries[i];
        if (entry.item && days[entry.day].items[*entry.item].activityID == *focus) result.push_back(i);
    }
    return result;
}

double clampedOffset(double offset, double contentHeight, double viewportHeight) {
    const double overflow = std::max(0.0, contentHeight - viewportHeight);
    if (!std::isfinite(offset)) return 0;
    return std::clamp(offset, 0.0, overflow);
}

double centredOffset(const ListEntry& entry, double contentHeight, double viewportHeight) {
    return clampedOffset(entry.y + entry.height / 2 - viewportHeight / 2, contentHeight, viewportHeight);
}

Rect currencyPanel(double tabWidth, std::size_t codes) {
    constexpr double width = 86;
    const double height = static_cast<double>(std::min(codes, currencyMenuVisibleRows)) * menuRowHeight;
    return {tabWidth - 30 - width, listTop, width, height};
}

Rect impactPanel(double tabWidth) {
    constexpr double width = 120;
    return {tabWidth - 88 - width, listTop, width, 2 * menuRowHeight};
}

double currencyMenuOverflow(std::size_t codes) {
    const double all = static_cast<double>(codes) * menuRowHeight;
    return std::max(0.0, all - static_cast<double>(std::min(codes, currencyMenuVisibleRows)) * menuRowHeight);
}

std::optional<std::size_t> menuEntryAt(const Rect& panel, double scroll, std::size_t count, IslandKit::Point point) {
    if (!panel.contains(point)) return std::nullopt;
    const double index = std::floor((point.y - panel.minY() + scroll) / menuRowHeight);
    if (index < 0 || index >= static_cast<double>(count)) return std::nullopt;
    return static_cast<std::size_t>(index);
}

}  // namespace WaylarkKit::WeeklyTabLayout
