// The program itself on an X server with a compositor and a tray, started and
// ended the way a user and a session do: the island appears, "Quit" in the
// tray menu saves and ends the run, two RandR monitors get two islands, an
// installed program starts at login, and the settings file is neither written
// over when another program changed it nor lost without a word when it cannot
// be saved.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <sstream>

#include "Base/testing/TemporaryFolder.h"
#include "IslandKit/Screen/DisplayIdentity.h"
#include "Base/testing/Waiting.h"
#include "SettingsKit/FileSettingsStore.h"
#include "WaylarkKit/tests/support/ProgramRun.h"

namespace fs = std::filesystem;
using Base::Testing::commandOutput;
using Base::Testing::waitUntil;
using WaylarkKitTest::ProgramRun;

namespace {

struct Window {
    int x = 0, y = 0, width = 0, height = 0;
    // An island's canvas is 420 points tall, the tray icon a small square; the rest is the menu.
    bool isIsland() const { return height == 420; }
    bool isTrayIcon() const { return width <= 64 && height <= 64; }
};

// The program's windows on screen now.
std::vector<Window> windows() {
    std::vector<Window> found;
    std::istringstream lines(
        commandOutput("xdotool search --onlyvisible --class WaylarkApp getwindowgeometry --shell %@ 2>/dev/null"));
    for (std::string line; std::getline(lines, line);) {
        const int value = std::atoi(line.c_str() + line.find('=') + 1);
        if (line.starts_with("WINDOW=")) found.emplace_back();
        if (found.empty()) continue;
        if (line.starts_with("X=")) found.back().x = value;
        if (line.starts_with("Y=")) found.back().y = value;
        if (line.starts_with("WIDTH=")) found.back().width = value;
        if (line.starts_with("HEIGHT=")) found.back().height = value;
    }
    return found;
}
std::vector<Window> islands() {
    std::vector<Window> all = windows();
    std::erase_if(all, [](const Window& w) { return !w.isIsland(); });
    return all;
}

void openTrayMenu() {
    std::optional<Window> icon;
    ASSERT_TRUE(waitUntil([&] {
        for (const Window& w : windows()) {
            if (w.isTrayIcon()) icon = w;
        }
        return icon.has_value();
    }));
    commandOutput("xdotool mousemove " + std::to_string(icon->x + icon->width / 2) + " " + std::to_string(icon->y + 4) +
        " click 3");
    ASSERT_TRUE(waitUntil([] {
        return std::ranges::any_of(windows(), [](const Window& w) { return !w.isIsland() && !w.isTrayIcon(); });
    }));
}

// Private data, config and runtime folders for the programs a test starts.
struct Session {
    Base::Testing::TemporaryFolder folder;
    fs::path checklists;
    Session() {
        fs::create_directory(folder.path() / "run");
        ::setenv("XDG_DATA_HOME", (folder.path() / "data").c_str(), 1);
        ::setenv("XDG_CONFIG_HOME", (folder.path() / "config").c_str(), 1);
        ::setenv("XDG_RUNTIME_DIR", (folder.path() / "run").c_str(), 1);
        checklists = folder.path() / "data/OrlTradingWaylark/Checklists/checklists.json";
    }
};

}  // namespace

TEST(AppProcessChecks, AnIslandAppearsAndQuitFromTheTrayMenuSavesAndEnds) {
    Session session;
    ProgramRun app(WAYLARK_APP_PATH, {"--always-on", "--demo"});
    ASSERT_TRUE(waitUntil([] { return islands().size() == 1; }));
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - app.started).count();
    std::printf("first island on screen after %.2f s\n", seconds);
    EXPECT_LE(seconds, 3.0);
    EXPECT_FALSE(fs::exists(SettingsKit::FileSettingsStore::defaultPath()));
    // Its repaints reach the X server over the socket: images in shared
    // memory would cost a round trip before every frame, all day.
    const std::string mappings = commandOutput("cat /proc/" + std::to_string(app.pid()) + "/maps");
    EXPECT_NE(mappings.find("[stack]"), std::string::npos);
    EXPECT_EQ(mappings.find("memfd:xorg"), std::string::npos);

    openTrayMenu();
    // "Quit" is the last row.
    commandOutput("xdotool key Up Return");
    ASSERT_TRUE(app.waitForExit(20));
    EXPECT_EQ(app.exitStatus(), 0) << app.errors;
    EXPECT_TRUE(fs::exists(SettingsKit::FileSettingsStore::defaultPath()));
    EXPECT_TRUE(fs::exists(session.checklists));
}

TEST(AppProcessChecks, TwoMonitorsGetTwoIslandsAndSigtermEndsCleanly) {
    Session session;
    commandOutput(
        "xrandr --setmonitor left 756/200x982/260+0+0 screen && xrandr --setmonitor right 756/200x982/260+756+0 none");
    struct Restore {
        ~Restore() { commandOutput("xrandr --delmonitor left; xrandr --delmonitor right"); }
    } restore;
    // Both monitors chosen already, so no prompt covers the screenshot.
    SettingsKit::AppSettings settings;
    for (const char* monitor : {"left", "right"}) {
        settings.displays.choices[*IslandKit::DisplayIdentity::stableID(std::nullopt, monitor)] = true;
    }
    ASSERT_TRUE(SettingsKit::FileSettingsStore(SettingsKit::FileSettingsStore::defaultPath()).save(settings));

    ProgramRun app(WAYLARK_APP_PATH, {"--always-on", "--demo"});
    ASSERT_TRUE(waitUntil([] { return islands().size() == 2; }));
    EXPECT_NE(islands()[0].x / 756, islands()[1].x / 756);

    app.signal(SIGTERM);
    ASSERT_TRUE(app.waitForExit(20));
    EXPECT_EQ(app.exitStatus(), 0) << app.errors;
    EXPECT_TRUE(fs::exists(session.checklists));
}

TEST(AppProcessChecks, AnInstalledProgramStartsAtLoginWhenAsked) {
    Session session;
    const fs::path prefix = session.folder.path() / "prefix", program = prefix / "bin/WaylarkApp";
    ASSERT_EQ(std::system((WAYLARK_INSTALL_COMMAND " --prefix " + prefix.string() + " >/dev/null").c_str()), 0);
    EXPECT_NE(Base::Testing::readBytes(prefix / "share/applications/com.orltrading.waylark.desktop")
                  .find("Exec=\"" + program.string() + "\" --from-launcher\n"),
              std::string::npos);
    EXPECT_TRUE(fs::exists(prefix / "share/icons/hicolor/scalable/apps/com.orltrading.waylark.svg"));

    ProgramRun app(program.string(), {"--always-on"});
    ASSERT_TRUE(waitUntil([] { return islands().size() == 1; }));
    openTrayMenu();
    // The first row that takes a click is "Start at login".
    commandOutput("xdotool key Down Return");
    const fs::path entry = session.folder.path() / "config/autostart/com.orltrading.waylark.desktop";
    ASSERT_TRUE(waitUntil([&] { return fs::exists(entry); }));
    EXPECT_NE(Base::Testing::readBytes(entry).find("Exec=" + program.string() + " --from-autostart\n"),
              std::string::npos);
    app.signal(SIGTERM);
    ASSERT_TRUE(app.waitForExit(20));
    EXPECT_EQ(app.exitStatus(), 0) << app.errors;
}

TEST(AppProcessChecks, ASettingsFileDamagedWhileTheProgramRunsIsKeptAsideAtTheEnd) {
    Session session;
    const fs::path path = SettingsKit::FileSettingsStore::defaultPath();
    SettingsKit::AppSettings settings;
    settings.weeklyCurrency = "EUR";
    ASSERT_TRUE(SettingsKit::FileSettingsStore(path).save(settings));

    ProgramRun app(WAYLARK_APP_PATH, {"--always-on", "--demo"});
    ASSERT_TRUE(waitUntil([] { return islands().size() == 1; }));
    const std::string damaged = "{\"version\": 1, \"weeklyCurrency\": \"JP";
    Base::Testing::writeBytes(path, damaged);
    app.signal(SIGTERM);
    ASSERT_TRUE(app.waitForExit(20));
    EXPECT_EQ(app.exitStatus(), 0) << app.errors;
    EXPECT_EQ(Base::Testing::readBytes(path.parent_path() / "settings.corrupt.json"), damaged);
    // The program's own settings were saved in its place.
    EXPECT_EQ(SettingsKit::FileSettingsStore(path).load()->weeklyCurrency, "EUR");
    EXPECT_EQ(app.errors.find("could not save"), std::string::npos) << app.errors;
}

TEST(AppProcessChecks, SettingsThatCannotBeSavedAreToldOnStandardError) {
    Session session;
    const fs::path path = SettingsKit::FileSettingsStore::defaultPath();
    // A file where the settings folder goes: no save can succeed, whoever runs the test.
    Base::Testing::writeBytes(path.parent_path(), "in the way");

    ProgramRun app(WAYLARK_APP_PATH, {"--always-on", "--demo"});
    ASSERT_TRUE(waitUntil([] { return islands().size() == 1; }));
    app.signal(SIGTERM);
    ASSERT_TRUE(app.waitForExit(20));
    EXPECT_NE(app.errors.find("Orl Trading Waylark: could not save " + path.string() + ": " +
                              path.parent_path().string() + " exists and is not a folder\n"),
              std::string::npos)
        << app.errors;
    EXPECT_EQ(Base::Testing::readBytes(path.parent_path()), "in the way");
    EXPECT_TRUE(fs::exists(session.checklists));
}
