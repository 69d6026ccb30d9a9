#include <utility>

#include "WaylarkKit/Showreel/ShowreelDirector.h"
#include "WaylarkKit/Showreel/ShowreelScenarios.h"

namespace WaylarkKit {

std::vector<ShowreelDirector::Step> ShowreelDirector::script(Base::Date monday) {
    using TradingCore::NewsImpact;
    // Each scenario is built as its clip comes, so its custom times get their
    // identifiers then.
    const auto play = [this, monday](ShowreelScenario (*build)(Base::Date), bool greeting = false) {
        return [this, build, monday, greeting] {
            ShowreelScenario clip = build(monday);
            stage_.timing.playScenario(std::move(clip.scenario), clip.start, 1.0, greeting);
        };
    };
    const auto playNews = [this, monday](NewsImpact impact) {
        return [this, monday, impact] {
            ShowreelScenario clip = ShowreelScenarios::news(monday, impact);
            stage_.timing.playScenario(std::move(clip.scenario), clip.start, 1.0, false);
        };
    };
    const auto hasMacroBand = [this] { return macroBand_.has_value(); };
    const auto hasNewsMarker = [this] { return newsMarker_.has_value(); };
    const auto selectMacro = [this] { stage_.timing.toggleSelection(TimelineSelection::macro(*macroBand_)); };
    const auto selectMarker = [this] { stage_.timing.toggleSelection(TimelineSelection::marker(*newsMarker_)); };

    std::vector<Step> steps{
        // Clip 1: the greeting.
        {"CLIP 1  greeting: the island appears over a sleeping mascot (scene 2)", play(ShowreelScenarios::idle, true),
         6.5},
        {"CLIP 1  the island rests as Out", {}, 3},
        // Clips 2 to 5: the status in the compact island.
        {"CLIP 2  status: Out with a 9 s countdown, then Session starts (scene 3)", play(ShowreelScenarios::states),
         22},
        {"CLIP 3  custom session: Session, then the pink \"Kill zone\" starts at +12 s and tints the mascot "
         "(scene 3)",
         play(ShowreelScenarios::custom), 25},
        {"CLIP 4  news High: CPI countdown, then the red blackout, then ended (scene 4)", playNews(NewsImpact::high),
         50},
        {"CLIP 5  news Medium: PPI countdown, then the orange blackout, then ended (scene 4)",
         playNews(NewsImpact::medium), 50},
        // Clip 6: the tour of the expanded panel.
        {"CLIP 6  L2 tour, 09:41 on a day with a spread-out schedule (scene 5)", play(ShowreelScenarios::tour), 2},
        {"CLIP 6a  L2 opens on Timeline", [this] { stage_.actions.openL2(L2Tab::timeline); }, 3.5},
        {"CLIP 6a  Timeline zooms out (\u00B1 30 min \u2192 \u00B1 1 h)", [this] { stage_.settings.zoomOut(); }, 3.5},
        {"CLIP 6a  click on the macro", selectMacro, 3.5, [this] { return chooseMacroBand(); }},
        {"", selectMacro, 0.8, hasMacroBand},
        {"CLIP 6a  click on the news marker", selectMarker, 3.5, [this] { return chooseNewsMarker(); }},
        {"", selectMarker, 0.8, hasNewsMarker},
        {"CLIP 6b  two-finger swipe to Weekly (already on CAD with High + Medium)",
         [this] { stage_.timing.swipeTab(TabSwipeDirection::next); }, 3.8},
        {"CLIP 6b  the currency menu opens", [this] { stage_.timing.setWeeklyMenuOpen(true); }, 3},
        {"", [this] { stage_.timing.setWeeklyMenuOpen(false); }, 0.8},
        {"CLIP 6b  the impact menu opens", [this] { stage_.timing.setWeeklyImpactMenuOpen(true); }, 3},
        {"", [this] { stage_.timing.setWeeklyImpactMenuOpen(false); }, 1.2},
        {"CLIP 6c  swipe to Checklist", [this] { stage_.timing.swipeTab(TabSwipeDirection::next); }, 2.6},
        {"CLIP 6c  the item with options opens; the list scrolls to show them",
         [this] { stage_.checklistUI.toggleChoice(seed_.chooseItem); }, 3},
        {"",
         [this] {
             stage_.checklist.setChoice(std::string("Below"), seed_.chooseItem);
             stage_.checklistUI.setOpenChoiceItemID(std::nullopt);
         },
         1.6},
        // Clip 7: the checklist completes.
        {"CLIP 7  the last items are scrolled into view and ticked; checklist complete, the mascot celebrates "
         "(6 s) (scene 6)",
         {},
         0},
    };
    for (const Base::Uuid& item : seed_.toTick) {
        steps.push_back({"",
                         [this, item] {
                             stage_.checklistUI.setScrollTarget(item);
                             stage_.checklistUI.setScrollTick(stage_.checklistUI.scrollTick() + 1);
                         },
                         0.7});
        steps.push_back({"", [this, item] { stage_.checklist.toggle(item); }, 1.4});
    }
    std::vector<Step> ending{
        {"", {}, 6.8},
        // Clip 8: the position-size calculator.
        {"CLIP 8  Lot size calculator: 5 contracts at 0.5% risk, then 1% risk makes it 10 (scene 7)",
         [this] { stage_.timing.setActiveTab(L2Tab::calculator); }, 2.8},
        {"", [this] { stage_.calculator.edit(CalculatorModel::Field::risk, "1"); }, 4.5},
        {"CLIP 8  L2 closes", [this] { stage_.actions.closeL2(); }, 2.5},
        // Clip 9: the greeting once more, and the end.
        {"CLIP 9  extra take of the greeting", [this] { stage_.timing.previewGreeting(); }, 6.5},
        {"DONE  press Ctrl+C in the terminal to quit", {}, 0},
    };
    for (auto& step : ending) steps.push_back(std::move(step));
    return steps;
}

std::optional<std::string> ShowreelDirector::macroBandToClick(const TradingCore::Timeline& timeline, Base::Date now) {
    for (const auto& band : timeline.macros) {
        if (band.start > now) return band.id;
    }
    if (timeline.macros.empty()) return std::nullopt;
    return timeline.macros.front().id;
}

bool ShowreelDirector::chooseMacroBand() {
    macroBand_ = macroBandToClick(stage_.timing.timeline(), stage_.timing.now());
    return macroBand_.has_value();
}

bool ShowreelDirector::chooseNewsMarker() {
    const auto& markers = stage_.timing.timeline().markers;
    newsMarker_ = markers.empty() ? std::nullopt : std::optional<std::string>(markers.front().id);
    return newsMarker_.has_value();
}

}  // namespace WaylarkKit
