#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include <QWidget>

#include "Base/Observable.h"
#include "Base/Scheduler.h"
#include "WaylarkKit/Motion/FrameClock.h"
#include "WaylarkKit/Timing/TimingViewModel.h"
#include "WaylarkKit/Weekly/Qt/WeeklyPainting.h"
#include "WaylarkKit/Weekly/ScrollGlide.h"
#include "WaylarkKit/Weekly/WeeklyItem.h"
#include "WaylarkKit/Weekly/WeeklyTabLayout.h"

namespace WaylarkKit {

// The weekly tab: under a header with the impact and currency filters and
// the button to the news-blackout rule, the week's news and bank holidays of
// the chosen currency, day by day, in a list with its own scrolling. The
// filter menus open as layers over the whole tab; a click outside a menu's
// panel only closes it. What is open and which release is focused live in
// the timing view model, so the panel may hide and show this view freely.
//
// Hiding the view closes both menus; the panel hides it when it shows
// another tab or collapses.
class WeeklyTabView final : public QWidget {
public:
    // The tab's region in the expanded panel of the usual island.
    static constexpr int preferredWidth = 310;
    static constexpr int preferredHeight = 130;

    // `scheduler` runs the glide to the focused row.
    WeeklyTabView(TimingViewModel& model, Base::Scheduler& scheduler, QWidget* parent = nullptr);
    ~WeeklyTabView() override;
    WeeklyTabView(const WeeklyTabView&) = delete;
    WeeklyTabView& operator=(const WeeklyTabView&) = delete;

    QSize sizeHint() const override { return {preferredWidth, preferredHeight}; }

    // What the list shows now, for the showreel and the tests.
    const std::vector<WeeklyDay>& days() const { return days_; }
    const std::vector<std::string>& currencies() const { return currencies_; }
    const WeeklyTabLayout::ListLayout& listLayout() const { return layout_; }
    double scrollOffset() const { return offset_; }
    const WeeklyTabLayout::HeaderGeometry& headerGeometry() const { return header().geometry; }
    // The rows that carry the focused release, as indices into the list layout.
    std::vector<std::size_t> focusedRows() const;
    // Where an entry of the list layout shows in the view at the current scroll.
    QRectF entryRect(std::size_t entry) const;

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    // What a click lands on; a press acts only when released on the same thing.
    struct Target {
        enum class Kind { none, impactButton, currencyButton, pencilButton, currencyCatcher, impactCatcher,
                          currencyEntry, mediumEntry };
        Kind kind = Kind::none;
        std::size_t index = 0;
        bool operator==(const Target&) const = default;
    };

    // Builds the list anew from the calendar, the settings and the clock;
    // draws again only when something shown has changed.
    void refresh();
    void menusChanged();
    void scrollToFocus();
    void setOffset(double offset);
    double viewportHeight() const;
    const WeeklyPainting::PreparedHeader& header() const;
    // Entry `index` of the list measured and cut to the view's width, kept
    // until the rows or the width change.
    using PreparedEntry = std::variant<WeeklyPainting::PreparedHeading, WeeklyPainting::PreparedRow>;
    const PreparedEntry& prepared(std::size_t index);
    Target targetAt(QPointF point) const;
    void act(const Target& target);

    TimingViewModel& model_;
    FrameClock frames_;

    std::vector<WeeklyDay> days_;
    std::vector<std::string> currencies_;
    std::string currency_;
    bool includeMedium_ = false;
    WeeklyTabLayout::ListLayout layout_;
    double offset_ = 0;
    double menuScroll_ = 0;
    bool currencyMenuWasOpen_ = false;
    std::optional<ScrollGlide> glide_;
    std::optional<Target> pressed_;
    mutable std::optional<WeeklyPainting::PreparedHeader> header_;
    std::vector<std::optional<PreparedEntry>> prepared_;

    Base::TaskHandle glideTask_;
    // Last, so they go first.
    std::vector<Base::Subscription> subscriptions_;
};

}  // namespace WaylarkKit
