#include "WaylarkKit/tests/xvfb/App/ComposedApp.h"

#include <stdlib.h>

#include <memory>

#include <QProcess>

#include "CalendarKit/Feed/SpawnedFeedFetcher.h"
#include "IslandKit/View/IslandRootView.h"
#include "WaylarkKit/App/Qt/SystemEnvironment.h"
#include "WaylarkKit/tests/xvfb/support/XvfbDriving.h"

namespace WaylarkKit::Xvfb {

void liveIn(const std::filesystem::path& home) {
    const std::filesystem::path runtime = home / "run";
    std::filesystem::create_directories(runtime);
    std::filesystem::permissions(runtime, std::filesystem::perms::owner_all);
    ::setenv("XDG_DATA_HOME", (home / "data").c_str(), 1);
    ::setenv("XDG_CONFIG_HOME", (home / "config").c_str(), 1);
    ::setenv("XDG_RUNTIME_DIR", runtime.c_str(), 1);
}

AppEnvironment offlineEnvironment(Base::Scheduler& scheduler, const LaunchOptions& options,
                                  const std::vector<std::string>& arguments,
                                  std::shared_ptr<IslandKit::KeyboardHandover> keyboard) {
    AppEnvironment environment = SystemEnvironment::make(scheduler, options, arguments, std::move(keyboard));
    // Nothing listens on the discard port.
    CalendarKit::FeedFetcherOptions offline;
    offline.baseAddress = "https://127.0.0.1:9";
    environment.feedFetcher = std::make_shared<CalendarKit::SpawnedFeedFetcher>(scheduler, WAYLARK_FEED_FETCH, offline);
    return environment;
}

bool islandsSettled() {
    int resting = 0;
    for (IslandKit::IslandRootView* root : viewsOf<IslandKit::IslandRootView>()) {
        if (!root->isVisible()) continue;
        if (root->isAnimating()) return false;
        ++resting;
    }
    return resting > 0;
}

QString outputOf(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.start(program, arguments);
    process.waitForFinished();
    return QString::fromLocal8Bit(process.readAllStandardOutput()).trimmed();
}

QString keyboardAt() { return outputOf("xdotool", {"getwindowfocus", "-f"}); }

CalculatorTabView* openLotSizeTab(AppDelegate& delegate) {
    delegate.timing().onOpenTab()(L2Tab::calculator);
    CalculatorTabView* tab = nullptr;
    check(waitFor([&] {
              const auto tabs = viewsOf<CalculatorTabView>();
              tab = tabs.empty() ? nullptr : tabs.front();
              return tab && tab->isVisible() && islandsSettled();
          }),
          "the lot-size tab is open");
    return tab;
}

}  // namespace WaylarkKit::Xvfb
