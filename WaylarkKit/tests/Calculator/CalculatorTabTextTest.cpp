#include <gtest/gtest.h>

#include "CalculatorKit/InstrumentLibrary.h"
#include "WaylarkKit/Calculator/CalculatorTabState.h"
#include "WaylarkKit/Calculator/CalculatorTabText.h"
#include "WaylarkKit/Calculator/InstrumentEditorText.h"
#include "WaylarkKit/tests/Calculator/CalculatorFixture.h"

using namespace WaylarkKit;
using CalculatorKit::CalculationIssue;
using CalculatorKit::CalculationResult;
using CalculatorKit::StopMode;
using CalculatorTesting::dec;

namespace {

CalculatorKit::Instrument library(const char* id) { return *CalculatorKit::InstrumentLibrary::instrument(id); }

CalculationResult sized(const char* size) {
    CalculationResult result;
    result.size = dec(size);
    return result;
}

CalculationResult withIssue(CalculationIssue issue) {
    CalculationResult result;
    result.riskBudget = 50;
    result.issue = issue;
    return result;
}

}  // namespace

TEST(CalculatorTabTextTest, SizeAndUnitLines) {
    const auto below = withIssue(CalculationIssue::belowMinimum(400));
    // clang-format off
    const struct { CalculationResult result; StopMode mode; const char* instrument; const char* size; const char* unit; } cases[] = {
        {sized("1.0"), StopMode::points, "NQ", "1", "contract \u00B7 tap to copy"},
        {sized("2.5"), StopMode::points, "NAS100", "2.5", "lots \u00B7 tap to copy"},
        {sized("1"), StopMode::price, "NAS100", "1", "lot"}, {sized("3"), StopMode::price, "ES", "3", "contracts"},
        {sized("0"), StopMode::points, "ES", "\u2014", "contracts"},
        {below, StopMode::points, "NQ", "0", "contracts"}
    };
    // clang-format on
    for (const auto& c : cases) {
        EXPECT_EQ(CalculatorTabText::sizeText(c.result), c.size);
        EXPECT_EQ(CalculatorTabText::unitText(c.result, library(c.instrument), c.mode), c.unit) << c.size;
    }
}

// The warning names the instrument's own minimum size, not always "1".
TEST(CalculatorTabTextTest, BelowMinimumWarningNamesTheMinimumSize) {
    EXPECT_EQ(CalculatorTabText::belowMinimumWarning(library("NAS100"),
                                                     withIssue(CalculationIssue::belowMinimum(dec("4.5")))),
              "0.01 NAS100 risks $4.50, over your $50.");
}

TEST(CalculatorTabTextTest, MenuSections) {
    auto all = CalculatorKit::InstrumentLibrary::all();
    auto titles = [](const std::vector<CalculatorTabText::MenuSection>& sections) {
        std::vector<std::string> out;
        for (const auto& s : sections) out.push_back(s.title + " " + std::to_string(s.instruments.size()));
        return out;
    };
    EXPECT_EQ(titles(CalculatorTabText::menuSections(all)), (std::vector<std::string>{"INDICES (CFD) 4", "FUTURES 8"}));
    auto mineIndex = library("NAS100"), mineFuture = library("NQ");
    mineIndex.id = "custom:1";
    mineFuture.id = "custom:2";
    all.push_back(mineIndex);
    all.push_back(mineFuture);
    EXPECT_EQ(titles(CalculatorTabText::menuSections(all)),
              (std::vector<std::string>{"INDICES (CFD) 4", "FUTURES 9", "MINE 2"}));
}

// The titles, badges and button of the usual cases show in the editor's golden images.
TEST(InstrumentEditorTextTest, AnUneditedVerifiedInstrumentHasNoBadgeAndCentsShow) {
    EXPECT_EQ(InstrumentEditorText::badge(library("NQ"), false), std::nullopt);
    EXPECT_EQ(InstrumentEditorText::calibrationButton(dec("2.5")), "Use $2.50/pt");
}

// Points and percent show in the tab's golden images.
TEST(CalculatorTabTextTest, CardsFollowTheModes) {
    using CalculatorKit::RiskMode;
    auto describe = [](StopMode stop, RiskMode risk) {
        std::string out;
        for (const auto& card : calculatorCards(stop, risk)) {
            out += card.caption + "[" + card.prefix + "|" + card.placeholder + (card.groupsThousands ? "|g" : "") +
                   (card.compact ? "|c" : "") + (card.hasModeSwitch ? "|s" : "") + (card.hasSteppers ? "|+-" : "") +
                   "] ";
        }
        return out;
    };
    EXPECT_EQ(describe(StopMode::points, RiskMode::amount),
              "BALANCE[$|10,000|g] RISK $[$|0.5|g|s|+-] STOP pts[|20|s|+-] ");
    EXPECT_EQ(describe(StopMode::price, RiskMode::percent),
              "BALANCE[$|10,000|g|c] RISK %[|0.5|c|s|+-] ENTRY[|price|c] STOP[|price|c|s] ");
}
