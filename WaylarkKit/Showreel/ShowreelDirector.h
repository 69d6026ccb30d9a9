#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "Base/Date.h"
#include "Base/Scheduler.h"
#include "Base/Uuid.h"
#include "ChecklistKit/ChecklistModel.h"
#include "SettingsKit/SettingsModel.h"
#include "TradingCore/Evaluation/Evaluation.h"
#include "TradingCore/Evaluation/Timeline.h"
#include "WaylarkKit/L2/L2Tab.h"
#include "WaylarkKit/Showreel/ShowreelStage.h"

namespace WaylarkKit {

// Plays the showreel: a fixed script of clips over the stage's models, for a
// screen recording. Every step of the script and every change of what the
// island shows becomes one timed line of the log. Main thread only.
//
// The scheduler is the director's whole sense of time: its steady clock
// stamps the lines, its wall clock picks the week the clips play in, and the
// waits between steps are its tasks. Dropping the director cancels the
// script and the state logger.
class ShowreelDirector {
public:
    using Actions = ShowreelStage::Actions;

    // What the seeding set up for the script to finish.
    struct Seed {
        Base::Uuid chooseItem;           // the question the script answers
        std::vector<Base::Uuid> toTick;  // the items it ticks, in order

        bool operator==(const Seed&) const = default;
    };

    // Writes one finished line.
    using LogLine = std::function<void(const std::string&)>;

    // Prepares the reel's checklist, greeting name, calculator and weekly
    // list before the director exists. When the checklist refuses its
    // template or an item, nothing else is set and the seed ticks nothing.
    static Seed seed(ChecklistKit::ChecklistModel& checklist, SettingsKit::SettingsModel& settings,
                     const std::optional<std::string>& name);

    // The state line: the status, the activities worth naming, the greeting,
    // the celebration and the tab of the expanded panel, joined with " · ".
    static std::string describe(const TradingCore::Evaluation& evaluation, bool celebrating, bool greeting,
                                std::optional<L2Tab> panel);

    // The macro band the tour clicks: the timeline's first band starting after
    // `now`, else its first band; none without bands.
    static std::optional<std::string> macroBandToClick(const TradingCore::Timeline& timeline, Base::Date now);

    // "[t=  12.5s] " and the message.
    static std::string line(double elapsedSeconds, const std::string& message);

    // The text and a line feed on standard output, flushed at once, so a
    // recording sees each line as it happens.
    static void writeToStandardOutput(const std::string& line);

    ShowreelDirector(ShowreelStage stage, Seed seed, Base::Scheduler& scheduler, LogLine log = writeToStandardOutput);
    ~ShowreelDirector();
    ShowreelDirector(const ShowreelDirector&) = delete;
    ShowreelDirector& operator=(const ShowreelDirector&) = delete;

    // Starts the script on the scheduler, once; later calls do nothing.
    void start();
    // After the closing line.
    bool hasFinished() const { return finished_; }

private:
    // One step: its line, what it does, then how long the script waits.
    struct Step {
        Step(std::string line, std::function<void()> action, double seconds, std::function<bool()> condition = {})
            : say(std::move(line)), act(std::move(action)), wait(seconds), when(std::move(condition)) {}

        std::string say;  // empty: no line
        std::function<void()> act;
        double wait = 0;
        // Asked as the step comes; false skips its line, its action and its wait.
        std::function<bool()> when;
    };

    std::vector<Step> script(Base::Date monday);
    void run();
    void playFrom(std::size_t index);
    // Wakes at least every `longestNap` seconds until `deadline` on the steady clock.
    void sleepUntil(double deadline, std::size_t next);
    void pollState();
    std::string describeState() const;
    void say(const std::string& message) const;
    double elapsed() const;

    // Read from the timeline as their steps come.
    bool chooseMacroBand();
    bool chooseNewsMarker();

    ShowreelStage stage_;
    Seed seed_;
    Base::Scheduler& scheduler_;
    LogLine log_;

    bool started_ = false;
    bool finished_ = false;
    double t0_ = 0;
    std::vector<Step> steps_;
    std::optional<std::string> macroBand_;
    std::optional<std::string> newsMarker_;
    std::string lastState_;
    // Last, so they go first: no step or poll runs on a director being torn down.
    Base::TaskHandle scriptTask_;
    Base::TaskHandle loggerTask_;
};

}  // namespace WaylarkKit
