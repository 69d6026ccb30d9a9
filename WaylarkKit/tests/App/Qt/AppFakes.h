#pragma once

// The desktop, the stores and the views of the application delegate, played
// by fakes that write what happens to them into one journal.

#include <functional>
#include <set>
#include <string>
#include <vector>

#include "Base/Scheduler.h"
#include "ChecklistKit/InMemoryChecklistStore.h"
#include "SettingsKit/InMemorySettingsStore.h"
#include "WaylarkKit/App/AppPlatform.h"
#include "WaylarkKit/App/LoginItem.h"
#include "WaylarkKit/App/Qt/AppViews.h"
#include "WaylarkKit/App/WakeWatching.h"
#include "WaylarkKit/Presence/PresenceController.h"

namespace WaylarkKitTest {

using Journal = std::vector<std::string>;

// Displays side by side, 1512 × 982 points each, with a 24-point menu bar.
struct FakeDisplays final : WaylarkKit::DisplayEnvironment {
    explicit FakeDisplays(Journal& j) : journal(j) {}
    std::vector<WaylarkKit::DisplayInfo> connected() const override { return displays; }
    IslandKit::ScreenMetrics metrics(const std::string& id) const override {
        double x = 0;
        for (const auto& d : displays) x += d.id < id ? 1512 : 0;
        return {{x, 0, 1512, 982}, std::nullopt, 24, std::nullopt, std::nullopt};
    }
    IslandKit::Point pointer() const override { return pointerAt; }
    bool hasMainScreen() const override { return true; }
    Base::Subscription observeChanges(std::function<void()> onChange) override {
        journal.push_back("observe displays");
        changed = std::move(onChange);
        return Base::Subscription([this] {
            journal.push_back("unobserve displays");
            changed = nullptr;
        });
    }
    // The desktop reports a change of its displays.
    void set(std::vector<WaylarkKit::DisplayInfo> now) {
        displays = std::move(now);
        if (changed) changed();
    }

    Journal& journal;
    std::vector<WaylarkKit::DisplayInfo> displays;
    IslandKit::Point pointerAt{-100, -100};
    std::function<void()> changed;
};

struct FakeIslandWindow final : WaylarkKit::IslandWindow {
    explicit FakeIslandWindow(Journal& j) : journal(j) {}
    void show(const std::string& displayID) override { journal.push_back("show " + (id = displayID)); }
    void update(const std::string& displayID) override { journal.push_back("update " + displayID); }
    void hide() override { journal.push_back("hide " + id); }
    void releaseKeyboard() override { journal.push_back("release keyboard " + id); }
    Journal& journal;
    std::string id;
};

// Fades like the real card: its disappearance is reported 0.15 s after the
// dismissal, and a presentation during the fade takes the card back.
struct FakeCard final : WaylarkKit::OverlayCard {
    FakeCard(IslandKit::IslandView maker, IslandKit::Size cardSize, Base::Scheduler& s, Journal& j,
             std::vector<FakeCard*>& all)
        : content(std::move(maker)), size(cardSize), scheduler(s), journal(j), cards(all) {
        cards.push_back(this);
    }
    ~FakeCard() override { std::erase(cards, this); }
    void present(const WaylarkKit::ScreenRef& on) override {
        if (std::exchange(presented, true)) return;
        journal.push_back("present " + std::to_string(static_cast<int>(size.width)) + " on " + (screen = on).displayID);
        fade.cancel();
        if (auto callback = onVisibilityChange) callback(true);
    }
    void dismiss() override {
        if (!std::exchange(presented, false)) return;
        journal.push_back("dismiss " + std::to_string(static_cast<int>(size.width)));
        fade = scheduler.schedule(0.15, [this] {
            if (auto callback = onVisibilityChange) callback(false);
        });
    }
    bool isPresented() const override { return presented; }

    IslandKit::IslandView content;
    IslandKit::Size size;
    Base::Scheduler& scheduler;
    Journal& journal;
    std::vector<FakeCard*>& cards;
    WaylarkKit::ScreenRef screen;
    bool presented = false;
    Base::TaskHandle fade;
};

struct FakeApplications final : WaylarkKit::RunningApplicationsWatching {
    std::set<std::string> runningBundleIdentifiers() override { return running; }
    void startObserving(Handler h) override { handler = std::move(h); }
    void stopObserving() override { handler = nullptr; }
    void set(std::set<std::string> now) {
        running = std::move(now);
        if (handler) handler();
    }
    std::set<std::string> running;
    Handler handler;
};

struct FakeWake final : WaylarkKit::WakeWatching {
    explicit FakeWake(Journal& j) : journal(j) {}
    void start(std::function<void()> h) override {
        journal.push_back("watch wakes");
        onWake = std::move(h);
    }
    void stop() override {
        journal.push_back("stop watching wakes");
        onWake = nullptr;
    }
    Journal& journal;
    std::function<void()> onWake;
};

// Notes whether the tick runs when the swipe starts and stops, which places both in the order.
struct FakeSwipe final : WaylarkKit::TabSwipeMonitoring {
    FakeSwipe(Journal& j, std::function<bool()> tick) : journal(j), tickRuns(std::move(tick)) {}
    void start() override { journal.push_back(std::string("swipe on, tick ") + (tickRuns() ? "on" : "off")); }
    void stop() override { journal.push_back(std::string("swipe off, tick ") + (tickRuns() ? "on" : "off")); }
    Journal& journal;
    std::function<bool()> tickRuns;
};

struct FakeLoginItem final : WaylarkKit::LoginItemControlling {
    WaylarkKit::LoginItemState state() const override { return now; }
    Base::Status setEnabled(bool on) override {
        if (failWith) return Base::makeError(*failWith);
        now = on ? WaylarkKit::LoginItemState::on : WaylarkKit::LoginItemState::off;
        return Base::Ok{};
    }
    void openSystemSettings() override {}
    WaylarkKit::LoginItemState now = WaylarkKit::LoginItemState::off;
    std::optional<std::string> failWith;
};

// A store in memory that notes every save and can be told to fail.
template <class Store, class Memory, class Value>
struct JournaledStore final : Store {
    JournaledStore(Journal& j, std::string n) : journal(j), name(std::move(n)) {}
    std::optional<Value> load() override { return memory.load(); }
    Base::Status save(const Value& value) override {
        journal.push_back(name + " saved");
        if (failing) return Base::makeError("read-only file system");
        return memory.save(value);
    }
    Journal& journal;
    std::string name;
    Memory memory;
    bool failing = false;
};
using JournaledSettingsStore =
    JournaledStore<SettingsKit::SettingsStore, SettingsKit::InMemorySettingsStore, SettingsKit::AppSettings>;
using JournaledChecklistStore =
    JournaledStore<ChecklistKit::ChecklistStore, ChecklistKit::InMemoryChecklistStore, ChecklistKit::ChecklistState>;

}  // namespace WaylarkKitTest
