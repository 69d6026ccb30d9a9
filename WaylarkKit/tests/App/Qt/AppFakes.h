#pragma once

// The desktop, the stores and the views of the application delegate, played
// by fakes that write what happens to them into one journal.

#include <functional>
#include <set>
#include <string>
#include <vector>

#include "Base/ManualScheduler.h"
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
class FakeDisplays final : public WaylarkKit::DisplayEnvironment {
public:
    explicit FakeDisplays(Journal& journal) : journal_(journal) {}

    std::vector<WaylarkKit::DisplayInfo> connected() const override { return displays; }
    IslandKit::ScreenMetrics metrics(const std::string& id) const override {
        IslandKit::ScreenMetrics metrics;
        metrics.frame = {1512.0 * static_cast<double>(index(id)), 0, 1512, 982};
        metrics.menuBarHeight = 24;
        return metrics;
    }
    IslandKit::Point pointer() const override { return pointerAt; }
    bool hasMainScreen() const override { return true; }
    Base::Subscription observeChanges(std::function<void()> onChange) override {
        journal_.push_back("observe displays");
        onChange_ = std::move(onChange);
        return Base::Subscription([this] {
            journal_.push_back("unobserve displays");
            onChange_ = nullptr;
        });
    }

    // The desktop reports a change of its displays.
    void set(std::vector<WaylarkKit::DisplayInfo> now) {
        displays = std::move(now);
        if (onChange_) onChange_();
    }

    std::vector<WaylarkKit::DisplayInfo> displays;
    IslandKit::Point pointerAt{-100, -100};

private:
    std::size_t index(const std::string& id) const {
        for (std::size_t i = 0; i < displays.size(); ++i) {
            if (displays[i].id == id) return i;
        }
        return 0;
    }
    Journal& journal_;
    std::function<void()> onChange_;
};

class FakeIslandWindow final : public WaylarkKit::IslandWindow {
public:
    explicit FakeIslandWindow(Journal& journal) : journal_(journal) {}
    void show(const std::string& id) override {
        id_ = id;
        journal_.push_back("show " + id);
    }
    void update(const std::string& id) override { journal_.push_back("update " + id); }
    void hide() override { journal_.push_back("hide " + id_); }
    void releaseKeyboard() override { journal_.push_back("release keyboard " + id_); }

private:
    Journal& journal_;
    std::string id_;
};

// Fades like the real card: the disappearance is reported 0.15 s after the
// dismissal, and a presentation during the fade takes the card back.
class FakeCard final : public WaylarkKit::OverlayCard {
public:
    FakeCard(IslandKit::IslandView maker, IslandKit::Size cardSize, Base::Scheduler& scheduler, Journal& journal,
             std::vector<FakeCard*>& cards)
        : content(std::move(maker)), size(cardSize), scheduler_(scheduler), journal_(journal), cards_(cards) {
        cards_.push_back(this);
    }
    ~FakeCard() override { std::erase(cards_, this); }

    void present(const WaylarkKit::ScreenRef& on) override {
        if (presented_) return;
        presented_ = true;
        screen = on;
        journal_.push_back("present " + std::to_string(static_cast<int>(size.width)) + " on " + on.displayID);
        fade_.cancel();
        if (auto callback = onVisibilityChange) callback(true);
    }
    void dismiss() override {
        if (!presented_) return;
        presented_ = false;
        journal_.push_back("dismiss " + std::to_string(static_cast<int>(size.width)));
        fade_ = scheduler_.schedule(0.15, [this] {
            if (auto callback = onVisibilityChange) callback(false);
        });
    }
    bool isPresented() const override { return presented_; }

    IslandKit::IslandView content;
    IslandKit::Size size;
    WaylarkKit::ScreenRef screen;

private:
    Base::Scheduler& scheduler_;
    Journal& journal_;
    std::vector<FakeCard*>& cards_;
    bool presented_ = false;
    Base::TaskHandle fade_;
};

class FakeApplications final : public WaylarkKit::RunningApplicationsWatching {
public:
    std::set<std::string> runningBundleIdentifiers() override { return running; }
    void startObserving(Handler handler) override { handler_ = std::move(handler); }
    void stopObserving() override { handler_ = nullptr; }
    void set(std::set<std::string> now) {
        running = std::move(now);
        if (handler_) handler_();
    }
    std::set<std::string> running;

private:
    Handler handler_;
};

class FakeWake final : public WaylarkKit::WakeWatching {
public:
    explicit FakeWake(Journal& journal) : journal_(journal) {}
    void start(std::function<void()> onWake) override {
        journal_.push_back("watch wakes");
        onWake_ = std::move(onWake);
    }
    void stop() override {
        journal_.push_back("stop watching wakes");
        onWake_ = nullptr;
    }
    void wake() {
        if (onWake_) onWake_();
    }

private:
    Journal& journal_;
    std::function<void()> onWake_;
};

class FakeSwipe final : public WaylarkKit::TabSwipeMonitoring {
public:
    FakeSwipe(Journal& journal, std::function<bool()> tickRuns) : journal_(journal), tickRuns_(std::move(tickRuns)) {}
    void start() override { journal_.push_back(std::string("swipe on, tick ") + (tickRuns_() ? "on" : "off")); }
    void stop() override { journal_.push_back(std::string("swipe off, tick ") + (tickRuns_() ? "on" : "off")); }

private:
    Journal& journal_;
    std::function<bool()> tickRuns_;
};

class FakeLoginItem final : public WaylarkKit::LoginItemControlling {
public:
    WaylarkKit::LoginItemState state() const override { return state_; }
    Base::Status setEnabled(bool enabled) override {
        if (failWith) return Base::makeError(*failWith);
        state_ = enabled ? WaylarkKit::LoginItemState::on : WaylarkKit::LoginItemState::off;
        return Base::Ok{};
    }
    void openSystemSettings() override { ++settingsOpened; }

    WaylarkKit::LoginItemState state_ = WaylarkKit::LoginItemState::off;
    std::optional<std::string> failWith;
    int settingsOpened = 0;
};

// In-memory stores that note every save.
class JournaledSettingsStore final : public SettingsKit::SettingsStore {
public:
    explicit JournaledSettingsStore(Journal& journal) : journal_(journal) {}
    std::optional<SettingsKit::AppSettings> load() override { return inner.load(); }
    Base::Status save(const SettingsKit::AppSettings& settings) override {
        journal_.push_back("settings saved");
        return inner.save(settings);
    }
    SettingsKit::InMemorySettingsStore inner;

private:
    Journal& journal_;
};

class JournaledChecklistStore final : public ChecklistKit::ChecklistStore {
public:
    explicit JournaledChecklistStore(Journal& journal) : journal_(journal) {}
    std::optional<ChecklistKit::ChecklistState> load() override { return inner.load(); }
    Base::Status save(const ChecklistKit::ChecklistState& state) override {
        journal_.push_back("checklists saved");
        return inner.save(state);
    }
    ChecklistKit::InMemoryChecklistStore inner;

private:
    Journal& journal_;
};

}  // namespace WaylarkKitTest
