#include "WaylarkKit/App/Qt/SystemEnvironment.h"

#include <unistd.h>

#include <filesystem>

#include <QCoreApplication>
#include <QDesktopServices>
#include <QGuiApplication>
#include <QScreen>
#include <QUrl>

#include "CalendarKit/Feed/SpawnedFeedFetcher.h"
#include "CalendarKit/Storage/FileCalendarStore.h"
#include "ChecklistKit/FileChecklistStore.h"
#include "ChecklistKit/InMemoryChecklistStore.h"
#include "IslandKit/Overlay/OverlayWindowController.h"
#include "IslandKit/Screen/ScreenMetricsReader.h"
#include "IslandKit/Window/KeyboardHandover.h"
#include "SettingsKit/FileSettingsStore.h"
#include "SettingsKit/InMemorySettingsStore.h"
#include "WaylarkKit/App/Qt/QtDisplayEnvironment.h"
#include "WaylarkKit/App/Qt/QtIslandWindow.h"
#include "WaylarkKit/App/Qt/QtOverlayCard.h"
#include "WaylarkKit/App/Qt/SystemWakeMonitor.h"
#include "WaylarkKit/Calculator/Qt/SystemClipboard.h"
#include "WaylarkKit/Launch/OpenRequest.h"
#include "WaylarkKit/Launch/OpenRequestListener.h"
#include "WaylarkKit/Presence/PresenceAliases.h"
#include "WaylarkKit/Presence/ProcessApplicationsWatcher.h"
#include "WaylarkKit/Showreel/Qt/ShowreelBackdrop.h"

namespace WaylarkKit::SystemEnvironment {

namespace {

std::filesystem::path executablePath() {
    std::error_code error;
    const auto path = std::filesystem::read_symlink("/proc/self/exe", error);
    return error ? std::filesystem::path(QCoreApplication::applicationFilePath().toStdString()) : path;
}

void say(const std::string& line) {
    const std::string text = line + "\n";
    [[maybe_unused]] const ssize_t written = ::write(STDERR_FILENO, text.data(), text.size());
}

}  // namespace

AppEnvironment make(Base::Scheduler& scheduler, const LaunchOptions& options, const std::vector<std::string>& arguments,
                    std::shared_ptr<IslandKit::KeyboardHandover> keyboard) {
    AppEnvironment environment;
    if (options.showreel) {
        environment.settingsStore = std::make_shared<SettingsKit::InMemorySettingsStore>();
        environment.checklistStore = std::make_shared<ChecklistKit::InMemoryChecklistStore>();
    } else {
        environment.settingsStore =
            std::make_shared<SettingsKit::FileSettingsStore>(SettingsKit::FileSettingsStore::defaultPath());
        environment.checklistStore =
            std::make_shared<ChecklistKit::FileChecklistStore>(ChecklistKit::FileChecklistStore::defaultURL());
    }
    const auto fetcher = std::make_shared<CalendarKit::SpawnedFeedFetcher>(
        scheduler, CalendarKit::SpawnedFeedFetcher::besideThisProgram());
    environment.feedFetcher = fetcher;
    environment.endDownloadsNow = [fetcher] { fetcher->endRunsNow(); };
    environment.calendarStore =
        std::make_shared<CalendarKit::FileCalendarStore>(CalendarKit::FileCalendarStore::defaultPath());

    environment.displays = std::make_unique<QtDisplayEnvironment>();
    // One for the process: a card notes the window that had the keyboard
    // before an island took it, and the other way round.
    if (!keyboard) keyboard = std::make_shared<IslandKit::X11KeyboardHandover>();
    environment.makeIslandWindow = [&scheduler, keyboard](IslandKit::IslandModel& model,
                                                          std::function<void()> onMenuRequest) {
        return std::make_unique<QtIslandWindow>(model, scheduler, *keyboard, std::move(onMenuRequest));
    };
    environment.makeOverlayCard = [&scheduler, keyboard](IslandKit::IslandView content, IslandKit::Size cardSize) {
        return std::make_unique<QtOverlayCard>(std::move(content), cardSize, scheduler, *keyboard);
    };
    environment.returnKeyboard = [keyboard] {
        if (!IslandKit::OverlayWindowController::giveKeyboardToShownCard()) keyboard->returnToHolder();
    };
    environment.returnKeyboardAtExit = [keyboard] { keyboard->returnAtExit(); };
    environment.makeApplicationsWatcher = [&scheduler](const std::set<std::string>& triggers) {
        return std::make_unique<ProcessApplicationsWatcher>(scheduler, PresenceAliases::expanded(triggers));
    };
    environment.listenForOpenRequests = [&scheduler](std::function<void()> onRequest) {
        auto listener = OpenRequestListener::start(scheduler, OpenRequest::socketPath(), std::move(onRequest));
        if (!listener) {
            // The island still follows the charting application; only a second launch cannot reach this one.
            say("Orl Trading Waylark cannot hear open requests: " + listener.error().message);
            return Base::Subscription();
        }
        std::shared_ptr<OpenRequestListener> held = std::move(listener).value();
        return Base::Subscription([held]() mutable { held.reset(); });
    };
    environment.wake = std::make_unique<SystemWakeMonitor>(scheduler);
    // Made in every mode and kept for the whole run; only the showreel shows it.
    environment.showShowreelBackdrop = [backdrop = std::make_shared<ShowreelBackdrop>()] {
        QScreen* screen = IslandKit::ScreenMetricsReader::builtInScreen();
        backdrop->show(screen ? screen : QGuiApplication::primaryScreen());
    };

    const auto installed = AutostartLoginItem::installedExecutable(executablePath());
    environment.loginItem = std::make_unique<AutostartLoginItem>(
        AutostartLoginItem::defaultEntryPath(), installed, [](const std::filesystem::path& folder) {
            QDesktopServices::openUrl(QUrl::fromLocalFile(QString::fromStdString(folder.string())));
        });
    environment.copyText = [](const std::string& text) { copyToClipboard(text); };
    environment.quit = [] { QCoreApplication::quit(); };
    // Every view asks one flag. The desktop's setting is read once here and then heard from the portal
    // as it changes. The showreel is a recording of the motion, whatever the desktop says.
    if (options.showreel) {
        environment.views = AppViews::standard(scheduler, fixedReduceMotion(false));
    } else {
        environment.desktopMotion =
            std::make_unique<PortalMotionListener>(DesktopMotionSetting::readNow(), QDBusConnection::sessionBus());
        environment.views = AppViews::standard(scheduler, environment.desktopMotion->setting().flag());
    }
    environment.launchedByUser = launchedByUser(arguments);
    environment.runsInstalled = installed.has_value();
    return environment;
}

}  // namespace WaylarkKit::SystemEnvironment
