#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "Base/testing/NotificationCounter.h"
#include "WaylarkKit/Calculator/CalculatorModel.h"
#include "WaylarkKit/tests/Calculator/CalculatorFixture.h"

using namespace WaylarkKit;
using CalculatorKit::RiskMode;
using CalculatorKit::StopMode;
using CalculatorKit::TradeDirection;
using CalculatorTesting::dec;
using Field = CalculatorModel::Field;

namespace {

class CalculatorModelTest : public ::testing::Test, protected CalculatorTesting::SettingsFixture {
protected:
    CalculatorModel model{settings, scheduler, [this](const std::string& text) { copied.push_back(text); }};
    std::vector<std::string> copied;
};

}  // namespace

TEST(RoundedNiceTest, RoundsDownToOneTwoFive) {
    // clang-format off
    const struct { const char* value; const char* nice; } cases[] = {
        {"19.99", "10"}, {"25", "20"}, {"49", "20"}, {"50", "50"}, {"99", "50"}, {"0.35", "0.2"}, {"0", "1"},
        {"-3", "1"}
    };
    // clang-format on
    for (const auto& c : cases) EXPECT_EQ(roundedNice(dec(c.value)), dec(c.nice)) << c.value;
}

// Sizes in both stop modes show in the tab's golden images; the arithmetic is the library's.
TEST_F(CalculatorModelTest, OverridesAndTheMicroSuggestion) {
    change([](auto& s) { s.overrides["NAS100"].dollarsPerPoint = 2; });
    EXPECT_EQ(model.result().size, dec("1.25"));
    EXPECT_EQ(model.microSuggestion(), std::nullopt);  // a size, so nothing to suggest

    // NQ: $400 a contract at 20 points is above the $50 budget; MNQ ($40) fits once.
    model.selectInstrument("NQ");
    ASSERT_EQ(model.result().issue, CalculatorKit::CalculationIssue::belowMinimum(400));
    auto micro = model.microSuggestion();
    ASSERT_TRUE(micro);
    EXPECT_EQ(micro->instrument.id, "MNQ");
    EXPECT_EQ(micro->result.size, 1);

    // The micro is read with the user's override: at $30 a point it no longer fits.
    change([](auto& s) { s.overrides["MNQ"].dollarsPerPoint = 30; });
    EXPECT_EQ(model.microSuggestion(), std::nullopt);
    model.selectInstrument("MES");
    change([](auto& s) { s.stopPoints = 100; });  // below the minimum, but MES has no micro
    EXPECT_EQ(model.microSuggestion(), std::nullopt);
}

TEST_F(CalculatorModelTest, InstrumentSwitchKeepsStopDraftsPricesAndDirection) {
    model.edit(Field::stop, "35");
    model.endEditing(Field::stop);
    model.edit(Field::balance, "25,0");
    model.edit(Field::entry, "5000");
    model.toggleDirection();
    model.setInstrumentMenuOpen(true);

    model.selectInstrument("ES");
    EXPECT_EQ(calculator().stopPoints, 35);
    EXPECT_EQ(calculator().recentStops, std::vector<Base::Decimal>{35});
    EXPECT_EQ(model.displayText(Field::balance), "25,0");
    EXPECT_EQ(model.entryText(), "5000");
    EXPECT_EQ(model.direction(), TradeDirection::short_);
    EXPECT_FALSE(model.isInstrumentMenuOpen());
}

TEST_F(CalculatorModelTest, Prompts) {
    EXPECT_EQ(model.prompt(), std::nullopt);
    model.setStopMode(StopMode::price);
    // clang-format off
    const struct { const char* entry; const char* stop; std::optional<std::string> prompt; } cases[] = {
        {"abc", "", "Enter your entry and stop prices"}, {"5000", "", "Enter your stop price"},
        {"", "4990", "Enter your entry price"}, {"5000", "5,000", "Stop and entry are the same price"},
        {"5000", "0", "Enter a stop distance above 0"}, {"5000", "4990", std::nullopt}
    };
    // clang-format on
    for (const auto& c : cases) {
        model.edit(Field::entry, c.entry);
        model.edit(Field::stop, c.stop);
        EXPECT_EQ(model.prompt(), c.prompt) << c.entry << " / " << c.stop;
    }
}

TEST_F(CalculatorModelTest, TypingCommitsValidValuesAndKeepsTheDraft) {
    Base::Testing::NotificationCounter drafts([&](auto o) { return model.observeDrafts(o); });
    int ended = 0;
    model.setOnEditingEnded([&] { ++ended; });
    model.edit(Field::balance, "0");
    EXPECT_EQ(calculator().balance, 10000);
    model.edit(Field::balance, "25000.");
    EXPECT_EQ(calculator().balance, 25000);
    EXPECT_EQ(model.displayText(Field::balance), "25000.");
    model.endEditing(Field::balance);
    EXPECT_EQ(model.displayText(Field::balance), "25,000");
    EXPECT_TRUE(calculator().recentStops.empty());  // only the stop field remembers
    EXPECT_EQ(drafts.take(), 3u);

    model.setStopMode(StopMode::price);
    model.edit(Field::stop, "4,990.5");
    EXPECT_EQ(calculator().stopPoints, 20);
    model.setStopMode(StopMode::points);
    model.setStopMode(StopMode::price);
    EXPECT_EQ(model.stopPriceText(), "4,990.5");
    model.endAllEditing();
    EXPECT_TRUE(model.drafts().empty());
    EXPECT_EQ(ended, 2);
}

// A slip of the finger must not quietly swap a risk of 0.5 % for the default,
// nor any other value: the keystroke is refused and the stored value shows again.
TEST_F(CalculatorModelTest, ValuesBeyondTheirBoundsAreRefusedNotReplaced) {
    // clang-format off
    const struct { Field field; RiskMode riskMode; const char* committed; const char* typed; const char* shown;
                   std::optional<std::string> toast; } cases[] = {
        {Field::balance, RiskMode::percent, "12,500", "2,000,000,000", "12,500", "At most 1,000,000,000"},
        {Field::balance, RiskMode::percent, "12,500", "1,000,000,000", "1,000,000,000", std::nullopt},
        {Field::risk, RiskMode::percent, "0.75", "150", "0.75", "At most 100 %"},
        {Field::risk, RiskMode::percent, "0.75", "100", "100", std::nullopt},
        {Field::risk, RiskMode::amount, "300", "1,000,000,001", "300", "At most 1,000,000,000"},
        {Field::stop, RiskMode::percent, "15", "1000001", "15", "At most 1,000,000"}
    };
    // clang-format on
    for (const auto& c : cases) {
        model.setRiskMode(c.riskMode);
        model.edit(c.field, c.committed);
        model.endEditing(c.field);
        scheduler.advance(CalculatorModel::toastSeconds);
        const auto before = calculator();
        model.edit(c.field, c.typed);
        EXPECT_EQ(model.displayText(c.field), c.shown) << c.typed;
        EXPECT_EQ(model.toast(), c.toast) << c.typed;
        if (std::string(c.shown) == c.typed) continue;
        EXPECT_EQ(calculator(), before) << c.typed;
    }
}

// A field emptied or holding no number above 0 shows the prompt, not the
// size of the value it no longer shows; ending the edit brings both back.
TEST_F(CalculatorModelTest, ADraftWithoutAValueShowsThePrompt) {
    // clang-format off
    const struct { Field field; const char* typed; std::optional<std::string> prompt; } cases[] = {
        {Field::balance, "", "Enter your account balance"}, {Field::balance, "abc", "Enter your account balance"},
        {Field::balance, "0", "Enter your account balance"}, {Field::risk, "", "Enter a risk above 0"},
        {Field::risk, "0.", "Enter a risk above 0"}, {Field::risk, "0.5", std::nullopt},
        {Field::stop, "0", "Enter a stop distance above 0"},
        {Field::stop, "12", std::nullopt}
    };
    // clang-format on
    for (const auto& c : cases) {
        model.edit(c.field, c.typed);
        EXPECT_EQ(model.prompt(), c.prompt) << c.typed;
        model.endEditing(c.field);
        EXPECT_EQ(model.prompt(), std::nullopt) << c.typed;
        EXPECT_TRUE(model.result().isUsable()) << c.typed;
    }
}

TEST_F(CalculatorModelTest, SteppersUseTheirStepsAndStopAtTheBounds) {
    // clang-format off
    const struct { RiskMode mode; const char* from; int steps; const char* to; } risk[] = {
        {RiskMode::percent, "0.5", -1, "0.25"}, {RiskMode::percent, "0.25", -1, "0.25"},
        {RiskMode::percent, "99.9", 1, "100"}, {RiskMode::amount, "250", -1, "230"}, {RiskMode::amount, "500", 2, "600"},
        {RiskMode::amount, "1", -1, "1"}, {RiskMode::amount, "999999990", 1, "1000000000"}
    };
    // clang-format on
    for (const auto& c : risk) {
        change([&](auto& s) {
            s.riskMode = c.mode;
            (c.mode == RiskMode::amount ? s.riskAmount : s.riskPercent) = dec(c.from);
        });
        model.edit(Field::risk, "x");
        model.nudgeRisk(c.steps);
        const auto& s = calculator();
        EXPECT_EQ(c.mode == RiskMode::amount ? s.riskAmount : s.riskPercent, dec(c.to)) << c.from << " " << c.steps;
        EXPECT_FALSE(model.drafts().contains(Field::risk));
    }
    // clang-format off
    const struct { const char* from; int steps; const char* to; } stop[] = {
        {"49", 1, "50"}, {"50", -1, "45"}, {"199", 1, "204"}, {"200", -1, "190"}, {"1", -1, "1"},
        {"999995", 1, "1000000"}
    };
    // clang-format on
    for (const auto& c : stop) {
        change([&](auto& s) { s.stopPoints = dec(c.from); });
        model.nudgeStop(c.steps);
        EXPECT_EQ(calculator().stopPoints, dec(c.to)) << c.from << " " << c.steps;
    }
    model.setStopMode(StopMode::price);
    model.edit(Field::stop, "4,990.5");
    model.nudgeStop(1);  // in price mode it only drops the draft
    EXPECT_EQ(model.displayText(Field::stop), "4,990.5");
    EXPECT_EQ(calculator().stopPoints, 1'000'000);
}

TEST_F(CalculatorModelTest, CopyRemembersTheStopAndTheToastLasts) {
    Base::Testing::NotificationCounter toasts([&](auto o) { return model.observeToast(o); });
    model.copySize();
    EXPECT_EQ(copied, std::vector<std::string>{"2.5"});
    EXPECT_EQ(model.toast(), "Copied 2.5");
    EXPECT_EQ(calculator().recentStops, std::vector<Base::Decimal>{20});

    scheduler.advance(1.0);
    model.copySize();
    scheduler.advance(1.0);
    EXPECT_EQ(model.toast(), "Copied 2.5");
    scheduler.advance(0.61);
    EXPECT_EQ(model.toast(), std::nullopt);
    EXPECT_EQ(toasts.take(), 2u);  // set once (same text again), cleared once

    // Nothing usable: no copy, no toast, no remembered stop.
    model.selectInstrument("NQ");
    change([](auto& s) { s.stopPoints = 30; });
    model.copySize();
    EXPECT_EQ(copied.size(), 2u);
    EXPECT_EQ(model.toast(), std::nullopt);
    EXPECT_EQ(calculator().recentStops, std::vector<Base::Decimal>{20});
}
