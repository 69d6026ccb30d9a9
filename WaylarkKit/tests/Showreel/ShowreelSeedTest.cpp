#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "WaylarkKit/tests/Showreel/ShowreelFixture.h"

namespace WaylarkKit::Testing {
namespace {

TEST_F(ShowreelTest, SeedSetsUpTheChecklistCalculatorGreetingAndWeeklyList) {
    // The name is stored cleaned and cut to twenty characters.
    const ShowreelDirector::Seed seed =
        ShowreelDirector::seed(*checklist, *settings, "Alex\x07 Maria Johnson-Smythe");

    const auto active = checklist->activeTemplate();
    ASSERT_TRUE(active);
    EXPECT_EQ(active->name, "Pre-trade");
    std::vector<std::string> texts;
    for (const auto& item : active->items) texts.push_back(item.text);
    EXPECT_EQ(texts, (std::vector<std::string>{"Higher-timeframe bias set", "News checked", "Inside my trading window",
                                               "Liquidity levels marked", "Entry model defined", "Risk per trade set",
                                               "Midnight Open", "Stop and target placed", "Journal ready"}));
    for (std::size_t i = 0; i < active->items.size(); ++i) {
        EXPECT_EQ(checklist->isChecked(active->items[i].id), i < 6) << texts[i];
    }
    EXPECT_EQ(active->items[6].options, (std::vector<std::string>{"Above", "Below"}));
    EXPECT_EQ(seed.chooseItem, active->items[6].id);
    EXPECT_EQ(seed.toTick, (std::vector<Base::Uuid>{active->items[7].id, active->items[8].id}));

    const auto& stored = settings->calculator();
    EXPECT_EQ(stored.instrumentID, "MNQ");
    EXPECT_EQ(stored.balance, Base::Decimal(50000));
    EXPECT_EQ(stored.riskMode, CalculatorKit::RiskMode::percent);
    EXPECT_EQ(stored.riskPercent, Base::Decimal::fromParts(5, -1));
    EXPECT_EQ(stored.stopMode, CalculatorKit::StopMode::points);
    EXPECT_EQ(stored.stopPoints, Base::Decimal(25));
    EXPECT_EQ(stored.riskAmount, CalculatorKit::CalculatorSettings{}.riskAmount);
    EXPECT_EQ(settings->weeklyCurrency(), "CAD");
    EXPECT_TRUE(settings->weeklyIncludeMedium());
    EXPECT_EQ(settings->greeting().name, "Alex Maria Johnson-S");
}

TEST_F(ShowreelTest, SeedWithoutANameKeepsTheName) {
    const std::string before = settings->greeting().name;
    ShowreelDirector::seed(*checklist, *settings, std::nullopt);
    EXPECT_EQ(settings->greeting().name, before);
}

TEST_F(ShowreelTest, SeedOnAFullChecklistChangesNoSetting) {
    for (int i = 0; i < 30; ++i) ASSERT_TRUE(checklist->createTemplate("List " + std::to_string(i)));
    const ChecklistKit::ChecklistState checklistBefore = checklist->state();
    const SettingsKit::AppSettings settingsBefore = settings->settings();

    const ShowreelDirector::Seed seed = ShowreelDirector::seed(*checklist, *settings, "Alex");

    EXPECT_TRUE(seed.toTick.empty());
    EXPECT_FALSE(checklist->templateWithID(seed.chooseItem));
    EXPECT_EQ(checklist->state(), checklistBefore);
    EXPECT_EQ(settings->settings(), settingsBefore);
}

}  // namespace
}  // namespace WaylarkKit::Testing
