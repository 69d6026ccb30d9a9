#include "WaylarkKit/App/CalendarRefreshSchedule.h"

namespace WaylarkKit {

CalendarRefreshSchedule::CalendarRefreshSchedule(CalendarKit::CalendarService& calendar, Base::Scheduler& scheduler,
                                                 WakeWatching& wake)
    : calendar_(calendar), scheduler_(scheduler), wake_(wake) {}

CalendarRefreshSchedule::~CalendarRefreshSchedule() { stop(); }

void CalendarRefreshSchedule::start() {
    // The tasks hold the calendar, which outlives this schedule.
    CalendarKit::CalendarService& calendar = calendar_;
    first_ = scheduler_.post([&calendar] { calendar.refresh(false); });
    timer_ = scheduler_.repeat(interval, [&calendar] { calendar.refresh(false); });
    wake_.start([&calendar] { calendar.refresh(false); });
}

void CalendarRefreshSchedule::stop() {
    if (!timer_.isScheduled()) return;
    timer_.cancel();
    wake_.stop();
}

}  // namespace WaylarkKit
