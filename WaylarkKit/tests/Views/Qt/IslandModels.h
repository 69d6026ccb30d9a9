#pragma once

// Everything the island's views read, on one scheduler, and an island model
// holding the real status, activity and panel views, wired as the island host
// wires them: for the widget tests on the manual clock and for the real
// windows on an X server.

#include <functional>
#include <memory>
#include <string>

#include "CalendarKit/Service/CalendarService.h"
#include "CalendarKit/tests/service/MemoryStore.h"
#include "CalendarKit/tests/service/ScriptedFetcher.h"
#include "ChecklistKit/InMemoryChecklistStore.h"
#include "IslandKit/Model/IslandModel.h"
#include "SettingsKit/InMemorySettingsStore.h"
#include "SettingsKit/SettingsModel.h"
#include "WaylarkKit/App/IslandLook.h"
#include "WaylarkKit/Timing/DemoScenario.h"
#include "WaylarkKit/Views/Qt/IslandViews.h"

namespace WaylarkKit::Testing {

// A display with a camera notch, as the island was designed on: its status
// view draws the mascot.
inline const IslandKit::ScreenMetrics notchedScreen{IslandKit::Rect{0, 0, 1512, 982}, IslandKit::Size{200, 38}, 38,
                                                    std::nullopt, std::nullopt};

// Moments of the demo scenario, in seconds after its base: a trading window
// opens at 0, CPI (high) at 180 with its blackout 120–240, "Kill zone" (pink)
// 240–360, PPI (medium) at 420 with its blackout 360–480, the "Demo" macro
// 480–540, "Silver Bullet" (cyan) 540–600; outside every window from 600.
namespace DemoMoment {
inline constexpr double cpiBlackout = 200;
inline constexpr double killZone = 270;
inline constexpr double ppiBlackout = 400;
inline constexpr double outside = 700;
}  // namespace DemoMoment

// The models in demo mode, the greeting off so the status shows at once.
struct IslandModels {
    explicit IslandModels(Base::Scheduler& scheduler)
        : clock(scheduler),
          fetcher(std::make_shared<CalendarKit::Testing::ScriptedFetcher>(scheduler)),
          calendar(fetcher, store, scheduler, CalendarKit::CalendarService::Settings::application()),
          settings(std::make_shared<SettingsKit::InMemorySettingsStore>(), scheduler, 0.4),
          checklist(std::make_shared<ChecklistKit::InMemoryChecklistStore>(), scheduler, 0.4),
          checklistUI(1.0, scheduler),
          calculator(settings, scheduler, [](const std::string&) {}),
          timing(calendar, settings, TimingViewModel::Mode::demo, 5.0, scheduler) {
        settings.setGreetingEnabled(false);
    }

    // The demo scenario with its clock showing `offset` seconds after the
    // scenario's base, running at `speed`, the one-second tick started.
    void play(double offset, double speed = 1) {
        timing.start();
        const DemoScenario scenario = DemoScenario::make(clock.now());
        timing.playScenario(scenario, scenario.events.front().time - 180 + offset, speed, false);
    }

    Base::Scheduler& clock;
    std::shared_ptr<CalendarKit::Testing::ScriptedFetcher> fetcher;
    std::shared_ptr<CalendarKit::Testing::MemoryStore> store = std::make_shared<CalendarKit::Testing::MemoryStore>();
    CalendarKit::CalendarService calendar;
    SettingsKit::SettingsModel settings;
    ChecklistKit::ChecklistModel checklist;
    ChecklistUIState checklistUI;
    CalculatorModel calculator;
    TimingViewModel timing;
};

// An island `id` on `metrics` with the real views; `onQuit` is the panel's Quit.
inline std::unique_ptr<IslandKit::IslandModel> islandWithViews(const IslandViews::Shared& shared,
                                                               const IslandKit::ScreenMetrics& metrics,
                                                               const std::string& id, std::function<void()> onQuit) {
    const double side = IslandViews::mascotSide(metrics);
    auto model = std::make_unique<IslandKit::IslandModel>(
        metrics, IslandKit::IslandSlots{}, islandLook(), IslandViews::leading(shared, id, metrics.hasNotch(), side),
        IslandViews::trailing(shared, id), IslandKit::IslandView{});
    model->setExpanded(IslandViews::expanded(shared, *model, std::move(onQuit)));
    if (!metrics.hasNotch()) model->setCenter(IslandViews::center(shared, side));
    return model;
}

}  // namespace WaylarkKit::Testing
