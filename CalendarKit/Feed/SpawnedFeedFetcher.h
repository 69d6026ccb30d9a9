#pragma once

#include <atomic>
#include <filesystem>
#include <string_view>

#include "Base/Scheduler.h"
#include "CalendarKit/Feed/FeedFetcherOptions.h"
#include "CalendarKit/Feed/FeedFetching.h"
#include "CalendarKit/Feed/FeedWorkers.h"
#include "CalendarKit/Feed/RunningDownloads.h"

namespace CalendarKit {

// Fetches through the small download program, one run per fetch, so the
// long-running program never loads the TLS stack. The download program gets
// only the week and the options, no open files and only the proxy and
// certificate settings of the environment. It runs in a process group of its
// own, which is killed whole with the program itself when the run ends, is
// cancelled or hangs, or when the process exits without unwinding; of its
// standard error only the first few kilobytes reach ours.
class SpawnedFeedFetcher final : public FeedFetching {
public:
    static constexpr std::string_view programName = "WaylarkFeedFetch";
    // Seconds a run may outlast the download's own overall limit before it
    // counts as hung and is ended.
    static constexpr double defaultHangSlack = 15;

    SpawnedFeedFetcher(Base::Scheduler& scheduler, std::filesystem::path program, FeedFetcherOptions options = {},
                       double hangSlack = defaultHangSlack);

    // The download program installed beside the running executable.
    static std::filesystem::path besideThisProgram();

    [[nodiscard]] Base::TaskHandle fetch(FeedWeek week, Completion completion) override;

    // One run of the download program on the calling thread.
    Base::Result<FeedResponse> fetchNow(FeedWeek week, const std::atomic<bool>& cancelled) const;

    // Kills the running download programs and their groups at once, and any
    // started later; their runs end as failed. Safe from inside exit() while a
    // worker waits for its child: it takes no lock and waits for nothing.
    void endRunsNow() noexcept { running_.endAll(); }

private:
    std::filesystem::path program_;
    FeedFetcherOptions options_;
    double hangSlack_;
    mutable RunningDownloads running_;
    // Last, so its running fetches stop before the options go.
    FeedWorkers workers_;
};

}  // namespace CalendarKit
