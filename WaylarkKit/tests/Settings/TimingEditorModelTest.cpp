#include <optional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "Base/testing/NotificationCounter.h"
#include "SettingsKit/tests/ModelFixture.h"
#include "WaylarkKit/Settings/TimingEditorContent.h"
#include "WaylarkKit/Settings/TimingEditorModel.h"

using namespace WaylarkKit;
using Section = TimingEditorModel::Section;
using TradingCore::SessionWindow;
using TradingCore::WallClockTime;

namespace {

const char* const windowHint = "Use HH:MM, like 09:30 (New York time).";

class TimingEditorModelTest : public SettingsKitTesting::ModelTest {
protected:
    std::vector<SessionWindow> windows(const std::string& profile = "NY") const {
        for (const auto& p : settings().profiles) {
            if (p.name == profile) return p.windows;
        }
        return {};
    }
    const TradingCore::CustomInterval& custom(std::size_t i) const { return settings().customIntervals.at(i); }

    TimingEditorModel editor{scheduler};
};

// NY holds Pre-session 07:00-09:30 and Opening 09:30-11:00. Each case types
// its keystrokes into one field; every keystroke commits the whole text.
struct WindowTyping {
    const char* what;
    std::ptrdiff_t position;
    bool start;
    std::vector<std::string> keystrokes;
    std::vector<SessionWindow> stored;    // NY's windows afterwards
    std::optional<std::string> draft;     // after the last keystroke
    std::optional<std::string> message;
};

TEST_F(TimingEditorModelTest, TypingAWindowTimeStoresItOrKeepsADraftWithTheReason) {
    const std::vector<SessionWindow> defaults = windows();
    const auto with = [&](std::size_t i, WallClockTime start, WallClockTime end) {
        auto w = defaults;
        w[i].start = start;
        w[i].end = end;
        return w;
    };
    const std::vector<WindowTyping> cases = {
        {"key by key", 0, false, {"8", "8:", "8:1", "8:15"}, with(0, {7, 0}, {8, 15}), std::nullopt, std::nullopt},
        {"not a time", 0, true, {"24:00"}, defaults, "24:00", windowHint},
        {"emptied", 1, false, {""}, defaults, "", std::nullopt},
        {"overlap", 0, false, {"10:00"}, defaults, "10:00",
         "\u201CPre-session\u201D and \u201COpening\u201D would overlap. Touching is fine."},
        {"zero length", 0, false, {"7:00"}, defaults, "7:00",
         "\u201CPre-session\u201D can't start and end at the same time."},
        {"a refusal after a keystroke that read", 1, true, {"9:4", "9:45", "9:2"}, with(1, {9, 45}, {11, 0}), "9:2",
         windowHint},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        start();
        editor.reset();
        for (const auto& text : c.keystrokes) {
            editor.commit(text, c.start, "NY", c.position, *model);
            if (&text != &c.keystrokes.back() && !WallClockTime::fromText(text)) {
                EXPECT_EQ(editor.draft(TimingEditorModel::windowDraftKey("NY", c.position, c.start)), text);
                EXPECT_EQ(editor.message(), windowHint);
            }
        }
        EXPECT_EQ(windows(), c.stored);
        EXPECT_EQ(editor.draft(TimingEditorModel::windowDraftKey("NY", c.position, c.start)), c.draft);
        EXPECT_EQ(editor.message(), c.message);
    }
}

TEST_F(TimingEditorModelTest, AnUnknownWindowOrCustomTimeChangesNothing) {
    const std::size_t saves = savesAfterDelay();
    editor.commit("xx", true, "NY", 5, *model);
    editor.commit("xx", true, "NY", -1, *model);
    editor.commit("xx", true, "Tokyo", 0, *model);
    editor.commitCustom("xx", true, Base::Uuid::random(), *model);
    EXPECT_TRUE(editor.drafts().empty());
    EXPECT_EQ(editor.message(), std::nullopt);
    EXPECT_EQ(savesAfterDelay(), saves);
}

TEST_F(TimingEditorModelTest, WindowsUpToMidnightAreAddedEditedAndRemoved) {
    SettingsKit::AppSettings stored;
    stored.profiles = {{"Day", {{"Day", {0, 0}, {23, 0}}}, TradingCore::workDays()}};
    stored.activeProfileName = "Day";
    start(stored);

    // The only free hour left is the last one of the day.
    editor.commit("x", true, "Day", 0, *model);
    editor.addWindow("Day", *model);
    EXPECT_TRUE(editor.drafts().empty());
    EXPECT_EQ(windows("Day"), (std::vector<SessionWindow>{{"Day", {0, 0}, {23, 0}}, {"New window", {23, 0}, {0, 0}}}));
    EXPECT_EQ(editor.focusWindowKey(), "Day|1");

    // Past midnight it would run into the morning of the first window.
    editor.commit("0:30", false, "Day", 1, *model);
    EXPECT_EQ(editor.message(), "\u201CDay\u201D and \u201CNew window\u201D would overlap. Touching is fine.");
    editor.commit("1:00", true, "Day", 0, *model);
    editor.commit("1:00", false, "Day", 1, *model);
    EXPECT_EQ(windows("Day"), (std::vector<SessionWindow>{{"Day", {1, 0}, {23, 0}}, {"New window", {23, 0}, {1, 0}}}));
    EXPECT_EQ(editor.message(), std::nullopt);

    editor.commit("2", true, "Day", 1, *model);
    editor.removeWindow("Day", 0, *model);
    EXPECT_EQ(windows("Day"), (std::vector<SessionWindow>{{"New window", {23, 0}, {1, 0}}}));
    EXPECT_TRUE(editor.drafts().empty());
}

TEST_F(TimingEditorModelTest, NoNinthWindowAndTheFocusRequestStays) {
    for (int i = 0; i < 6; ++i) editor.addWindow("NY", *model);
    ASSERT_EQ(windows().size(), 8u);
    EXPECT_EQ(editor.focusWindowKey(), "NY|7");
    editor.addWindow("NY", *model);
    EXPECT_EQ(windows().size(), 8u);
    EXPECT_EQ(editor.focusWindowKey(), "NY|7");
    EXPECT_EQ(TimingEditorModel::describe(TradingCore::WindowRules::Issue::tooMany()),
              "At most 8 windows per profile.");
}

TEST_F(TimingEditorModelTest, TypingACustomTimeStoresItOrKeepsADraftWithTheReason) {
    start(SettingsKitTesting::withOneInterval());
    const Base::Uuid id = SettingsKitTesting::knownID;
    editor.commitCustom("9:30", true, id, *model);
    EXPECT_EQ(custom(0).start, WallClockTime(9, 30));
    EXPECT_EQ(editor.draft(TimingEditorModel::customDraftKey(id, true)), std::nullopt);
    EXPECT_EQ(editor.message(), std::nullopt);
    editor.commitCustom("9:30", false, id, *model);  // the end on the start
    EXPECT_EQ(custom(0).end, WallClockTime(11, 0));
    EXPECT_EQ(editor.draft(TimingEditorModel::customDraftKey(id, false)), "9:30");
    EXPECT_EQ(editor.message(), "\u201COpen\u201D can't start and end at the same time.");
}

// The new time's name, colour and the limit of five are the settings' own.
TEST_F(TimingEditorModelTest, ANewCustomTimeIsFocusedAndRemovingOneDropsTheDrafts) {
    for (int i = 0; i < 5; ++i) editor.addCustom(*model);
    const auto fifth = custom(4).id;
    EXPECT_EQ(editor.focusCustomID(), fifth);
    editor.addCustom(*model);
    EXPECT_EQ(editor.focusCustomID(), fifth);

    editor.commitCustom("9", true, fifth, *model);
    editor.setSection(Section::profile);
    editor.removeCustom(custom(0).id, *model);
    EXPECT_EQ(settings().customIntervals.size(), 4u);
    EXPECT_TRUE(editor.drafts().empty());
    EXPECT_EQ(editor.section(), Section::customs);
}

// The second click that restores is shown by the editor view's test.
TEST_F(TimingEditorModelTest, TheRestoreDropsTheDraftsAndLapsesAfterFourSeconds) {
    model->removeWindow("NY", 0);
    editor.commit("x", true, "NY", 0, *model);
    editor.clickRestore("NY", *model);
    EXPECT_TRUE(editor.drafts().empty());
    scheduler.advance(3.9);
    EXPECT_TRUE(editor.armedRestore());
    scheduler.advance(0.2);
    EXPECT_FALSE(editor.armedRestore());
    editor.clickRestore("NY", *model);
    EXPECT_TRUE(editor.armedRestore());
    EXPECT_EQ(windows().size(), 1u);
}

TEST_F(TimingEditorModelTest, AResetCancelsTheLapseOfAnEarlierArming) {
    editor.requestRestore();
    scheduler.advance(1);
    editor.reset();
    scheduler.advance(2);
    EXPECT_FALSE(editor.requestRestore());
    scheduler.advance(1.5);  // the first arming's lapse would fall here
    EXPECT_TRUE(editor.armedRestore());
    scheduler.advance(2.6);
    EXPECT_FALSE(editor.armedRestore());
}

TEST_F(TimingEditorModelTest, ObserversHearOnlyRealChanges) {
    Base::Testing::NotificationCounter drafts([&](auto o) { return editor.observeDrafts(o); });
    Base::Testing::NotificationCounter message([&](auto o) { return editor.observeMessage(o); });
    Base::Testing::NotificationCounter section([&](auto o) { return editor.observeSection(o); });
    editor.endEditing();
    editor.showSection(Section::profile);
    EXPECT_EQ(drafts.take() + message.take() + section.take(), 0u);
    editor.commit("9:3", true, "NY", 0, *model);
    editor.commit("9:3", true, "NY", 0, *model);
    EXPECT_EQ(drafts.take(), 1u);
    EXPECT_EQ(message.take(), 1u);
    editor.showSection(Section::macros);
    EXPECT_EQ(drafts.take(), 1u);
    EXPECT_EQ(section.take(), 1u);
}

TEST(TimingFieldText, ADraftWinsAndAFocusedFieldThatReadsAsTheStoredTimeIsLeftAlone) {
    struct Case {
        std::optional<std::string> draft;
        WallClockTime stored;
        std::string field;
        bool focused;
        std::string shown;
    };
    const std::vector<Case> cases = {
        {"9:3", {9, 30}, "9:3", true, "9:3"},
        {std::nullopt, {9, 30}, "9:30", true, "9:30"},    // just accepted under the caret
        {std::nullopt, {9, 30}, "9:30", false, "09:30"},  // editing over: the stored form
        {std::nullopt, {10, 0}, "9:30", true, "10:00"},   // changed elsewhere: shown
    };
    for (const auto& c : cases) {
        EXPECT_EQ(TimingEditorModel::timeFieldText(c.draft, c.stored, c.field, c.focused), c.shown) << c.field;
    }
}

// The sidebar's rows, the macros' texts and the footnotes show in the editor's golden images.
TEST_F(TimingEditorModelTest, TheSidebarFollowsTheSettingsAndThePageShown) {
    std::vector<std::string> counts;
    for (auto [lunch, final] : {std::pair{false, false}, {true, false}, {true, true}}) {
        model->setLunchMacroEnabled(lunch);
        model->setFinalMacroEnabled(final);
        counts.push_back(TimingSidebar::of(*model, Section::macros).macros.right);
    }
    EXPECT_EQ(counts, (std::vector<std::string>{"0/2", "1/2", "2/2"}));

    editor.selectProfile("London", *model);
    const TimingSidebar sidebar = TimingSidebar::of(*model, editor.section());
    EXPECT_EQ(sidebar.profiles[1], (SidebarRow{"London", "1", true, true}));
    EXPECT_EQ(sidebar.footnote, "The selected profile is the one the island follows.");
}

}  // namespace
