#pragma once

#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "ChecklistKit/ChecklistModel.h"
#include "ChecklistKit/InMemoryChecklistStore.h"
#include "WaylarkKit/Calculator/CalculatorModel.h"
#include "WaylarkKit/Checklist/ChecklistUIState.h"
#include "WaylarkKit/Showreel/ShowreelDirector.h"
#include "WaylarkKit/tests/Timing/TimingFixture.h"

namespace WaylarkKit::Testing {

// One line of the showreel's log: its elapsed time and its message.
struct Line {
    double at;
    std::string text;
    bool operator==(const Line&) const = default;
};

inline std::ostream& operator<<(std::ostream& out, const Line& line) { return out << line.at << " " << line.text; }

// The showreel's stage on the manual clock: the models it drives, over
// in-memory stores, and an island stand-in that expands and collapses as the
// application's would. Completing the checklist starts the celebration, as
// the application does.
class ShowreelTest : public TimingTest {
protected:
    void SetUp() override {
        make();
        timing = model.get();
        checklist = std::make_unique<ChecklistKit::ChecklistModel>(
            std::make_shared<ChecklistKit::InMemoryChecklistStore>(), scheduler, 0.4);
        checklistUI = std::make_unique<ChecklistUIState>(1.5, scheduler);
        calculator = std::make_unique<CalculatorModel>(*settings, scheduler, [](const std::string&) {});
        completion = checklist->observeState([this] {
            const bool complete = checklist->progress() && checklist->progress()->isComplete();
            if (complete && !wasComplete) timing->celebrateChecklist();
            wasComplete = complete;
        });
    }

    ShowreelStage stage(bool withIsland = true) {
        ShowreelStage::Actions actions{[](L2Tab) {}, [] {}};
        if (withIsland) {
            actions.openL2 = [this](L2Tab tab) {
                timing->setActiveTab(tab);
                timing->setExpandedIsland("built-in");
                timing->setExpanded(true);
            };
            actions.closeL2 = [this] {
                timing->setExpandedIsland("");
                timing->setExpanded(false);
            };
        }
        return ShowreelStage{*timing, *checklist, *checklistUI, *calculator, *settings, std::move(actions)};
    }

    // Seeds, activates and starts the reel as the application does.
    ShowreelDirector& play(std::optional<ShowreelDirector::Seed> seed = std::nullopt, bool withIsland = true) {
        timing->setPresentation(true);
        const ShowreelDirector::Seed used = seed ? *seed : ShowreelDirector::seed(*checklist, *settings, "Alex");
        timing->start();
        director = std::make_unique<ShowreelDirector>(stage(withIsland), used, scheduler,
                                                      [this](const std::string& l) { lines.push_back(l); });
        director->start();
        return *director;
    }

    // The logged lines split into their time and message.
    std::vector<Line> parsed() const {
        std::vector<Line> result;
        for (const auto& l : lines) result.push_back({std::stod(l.substr(3, 6)), l.substr(12)});
        return result;
    }

    TimingViewModel* timing = nullptr;
    std::unique_ptr<ChecklistKit::ChecklistModel> checklist;
    std::unique_ptr<ChecklistUIState> checklistUI;
    std::unique_ptr<CalculatorModel> calculator;
    bool wasComplete = false;
    Base::Subscription completion;
    std::vector<std::string> lines;
    std::unique_ptr<ShowreelDirector> director;
};

}  // namespace WaylarkKit::Testing
