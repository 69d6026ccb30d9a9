#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "Base/ManualScheduler.h"
#include "Base/testing/NotificationCounter.h"
#include "SettingsKit/NewsRuleLimits.h"
#include "WaylarkKit/Settings/NewsRulesEditorModel.h"

using namespace WaylarkKit;
using TradingCore::NewsImpact;

namespace {

TEST(NewsRulesExampleTest, EveryExampleLine) {
    struct Case {
        long long before, after;
        std::string line;
    };
    const std::vector<Case> cases = {
        {0, 0, "A news at 08:30 \u2192 no restriction (0 + 0 minutes)."},
        {5, 5, "A news at 08:30 \u2192 restricted 08:25\u201308:35."},
        {10, 0, "A news at 08:30 \u2192 restricted 08:20\u201308:30."},
        {600, 0, "A news at 08:30 \u2192 restricted 22:30\u201308:30."},
        {0, 1000, "A news at 08:30 \u2192 restricted 08:30\u201301:10."},
        {510, 930, "A news at 08:30 \u2192 restricted 00:00\u201300:00."},
        {-30, 0, "A news at 08:30 \u2192 restricted 09:00\u201308:30."},
        {1LL << 62, 0, "A news at 08:30 \u2192 restricted 08:30\u201308:30."},  // no overflow
    };
    for (const auto& c : cases) {
        EXPECT_EQ(NewsRulesEditorModel::example(c.before, c.after), c.line) << c.before << " " << c.after;
    }
}

TEST(NewsRulesEditorContentTest, ReadsTheStoredRule) {
    // The standard rule shows in the editor's golden image. Codes not offered
    // follow the offered ones in text order, and only while they are ticked.
    TradingCore::NewsRule rule = SettingsKit::NewsRuleLimits::standardRule();
    rule.currencies = {"ZAR", "USD", "CNY"};
    rule.impacts.insert(NewsImpact::medium);
    rule.beforeSeconds = 3600;
    rule.afterSeconds = 0;
    const NewsRulesEditorContent content = NewsRulesEditorContent::of(rule);
    EXPECT_EQ(content.currencies.size(), 10u);
    EXPECT_EQ(content.currencies[8], (CurrencyChip{"CNY", true, true}));
    EXPECT_EQ(content.currencies[9], (CurrencyChip{"ZAR", true, true}));
    EXPECT_TRUE(content.includesMedium);
    EXPECT_EQ(content.example, "A news at 08:30 \u2192 restricted 07:30\u201308:30.");
    rule.currencies.clear();
    EXPECT_TRUE(NewsRulesEditorContent::of(rule).noCurrency);
}

// The steppers' ends are shown by the editor view's test.
TEST(NewsRulesEditorContentTest, UnitWords) {
    EXPECT_EQ(minutesWord(0), "minutes");
    EXPECT_EQ(minutesWord(1), "minute");
    EXPECT_EQ(minutesWord(2), "minutes");
}

// The second click within the window is shown by the editor view's test.
TEST(NewsRulesEditorModelTest, AnArmingLapsesAndANeedlessDisarmIsSilent) {
    Base::ManualScheduler scheduler;
    NewsRulesEditorModel editor(scheduler);
    Base::Testing::NotificationCounter armed([&](auto o) { return editor.observeArmedRestore(o); });
    editor.disarm();
    EXPECT_EQ(armed.take(), 0u);
    EXPECT_FALSE(editor.requestRestore());
    scheduler.advance(5);
    EXPECT_FALSE(editor.armedRestore());
    EXPECT_FALSE(editor.requestRestore());
    EXPECT_EQ(armed.take(), 3u);
}

TEST(NewsRulesEditorModelTest, ADroppedModelLeavesNoLapseBehind) {
    Base::ManualScheduler scheduler;
    auto editor = std::make_unique<NewsRulesEditorModel>(scheduler);
    editor->requestRestore();
    editor.reset();
    scheduler.advance(5);  // under the address sanitizer a lapse touching the model would fail here
    EXPECT_EQ(scheduler.pendingCount(), 0u);
}

}  // namespace
