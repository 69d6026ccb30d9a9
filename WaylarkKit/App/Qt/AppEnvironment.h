#pragma once

#include <functional>
#include <memory>
#include <set>
#include <string>

#include "Base/Observable.h"
#include "CalendarKit/Feed/FeedFetching.h"
#include "CalendarKit/Storage/CalendarStore.h"
#include "ChecklistKit/ChecklistStore.h"
#include "IslandKit/Geometry/Rect.h"
#include "IslandKit/Model/IslandModel.h"
#include "IslandKit/Model/IslandView.h"
#include "SettingsKit/SettingsStore.h"
#include "WaylarkKit/App/AppPlatform.h"
#include "WaylarkKit/App/LoginItem.h"
#include "WaylarkKit/App/Qt/AppViews.h"
#include "WaylarkKit/App/WakeWatching.h"
#include "WaylarkKit/Calculator/CalculatorModel.h"
#include "WaylarkKit/Motion/Qt/PortalMotionListener.h"
#include "WaylarkKit/Presence/PresenceController.h"

namespace WaylarkKit {

// Everything the application delegate takes from outside: where its data
// lives, the network, the desktop, the views it does not build and how the
// process started. SystemEnvironment makes the real one; tests make fakes.
struct AppEnvironment {
    std::shared_ptr<SettingsKit::SettingsStore> settingsStore;
    std::shared_ptr<ChecklistKit::ChecklistStore> checklistStore;
    std::shared_ptr<CalendarKit::FeedFetching> feedFetcher;
    std::shared_ptr<CalendarKit::CalendarStore> calendarStore;

    std::unique_ptr<DisplayEnvironment> displays;
    // The window of a new island; `onMenuRequest` opens the status menu from the island.
    std::function<std::unique_ptr<IslandWindow>(IslandKit::IslandModel&, std::function<void()> onMenuRequest)>
        makeIslandWindow;
    std::function<std::unique_ptr<OverlayCard>(IslandKit::IslandView content, IslandKit::Size cardSize)>
        makeOverlayCard;
    // What runs on the machine, watched for the trigger applications.
    std::function<std::unique_ptr<RunningApplicationsWatching>(const std::set<std::string>& triggers)>
        makeApplicationsWatcher;
    // Hears the open requests of later launches until the subscription is dropped.
    std::function<Base::Subscription(std::function<void()> onRequest)> listenForOpenRequests;
    std::unique_ptr<WakeWatching> wake;
    std::unique_ptr<LoginItemControlling> loginItem;
    CalculatorModel::CopyText copyText;
    // After an island gave up the keyboard: hands it to a card still shown,
    // else back to the window of another application that had it before.
    std::function<void()> returnKeyboard;
    // As the run ends, before the windows go: hands the keyboard back to
    // that window when one of ours has it.
    std::function<void()> returnKeyboardAtExit;
    // Ends the application's run; termination follows.
    std::function<void()> quit;
    // Kills the download programs still running, waiting for nothing: safe
    // from inside exit(). Unset where there are none.
    std::function<void()> endDownloadsNow;
    // Covers the screen the showreel records with its backdrop; unset, or
    // with no screen, nothing is shown.
    std::function<void()> showShowreelBackdrop;
    AppViews views;
    // Keeps the Reduce Motion flag of `views` up to date with the desktop; unset where nothing listens.
    std::unique_ptr<PortalMotionListener> desktopMotion;

    // The user started this process (not the session's autostart).
    bool launchedByUser = false;
    // The program runs from an installed prefix.
    bool runsInstalled = false;
};

}  // namespace WaylarkKit
