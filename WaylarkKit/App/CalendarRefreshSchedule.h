#pragma once

#include "Base/Scheduler.h"
#include "CalendarKit/Service/CalendarService.h"
#include "WaylarkKit/App/WakeWatching.h"

namespace WaylarkKit {

// Keeps the calendar fresh while the island is active: a refresh at once,
// one every hour and one after every wake. None is forced, so the service's
// own spacing of refreshes and its pauses apply to each: a wake soon after
// the last attempt fetches nothing. Main thread only.
class CalendarRefreshSchedule {
public:
    static constexpr double interval = 3600;

    CalendarRefreshSchedule(CalendarKit::CalendarService& calendar, Base::Scheduler& scheduler, WakeWatching& wake);
    ~CalendarRefreshSchedule();
    CalendarRefreshSchedule(const CalendarRefreshSchedule&) = delete;
    CalendarRefreshSchedule& operator=(const CalendarRefreshSchedule&) = delete;

    // A new timer and a new wake watch; the first refresh follows at once.
    void start();
    // Ends the timer and the wake watch. A refresh already asked for still runs.
    void stop();
    bool isRunning() const { return timer_.isScheduled(); }

private:
    CalendarKit::CalendarService& calendar_;
    Base::Scheduler& scheduler_;
    WakeWatching& wake_;
    Base::TaskHandle first_;
    Base::TaskHandle timer_;
};

}  // namespace WaylarkKit
