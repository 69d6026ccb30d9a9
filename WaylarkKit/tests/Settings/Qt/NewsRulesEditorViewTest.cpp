#include <gtest/gtest.h>

#include "WaylarkKit/Settings/Qt/EditorWidgets.h"
#include "WaylarkKit/Settings/Qt/NewsRulesEditorView.h"
#include "WaylarkKit/tests/Settings/Qt/EditorViewFixture.h"

using namespace WaylarkKit;

namespace {

class NewsRulesEditorViewTest : public SettingsKitTesting::EditorViewFixture<NewsRulesEditorView> {
protected:
    void open() { show(600, 360, *model, editor, [this] { ++dones; }); }  // the card of 640 x 400 less its margins

    NewsRulesEditorModel editor{scheduler};
};

TEST_F(NewsRulesEditorViewTest, TheStandardRuleLooksAsItsReference) {
    open();
    EXPECT_TRUE(WaylarkKitTest::matchesGolden(WaylarkKitTest::render(*view), "settings-news-rule"));
}

TEST_F(NewsRulesEditorViewTest, AtTwelveCurrenciesTheUntickedChipsTakeNoClick) {
    for (const char* code : {"EUR", "GBP", "AAA", "BBB", "CCC", "DDD", "EEE", "FFF", "GGG", "HHH"}) {
        model->setBlackoutCurrency(code, true);
    }
    open();
    ASSERT_EQ(model->newsRule().currencies.size(), 11u);
    click(view->currencyChip("JPY"));
    ASSERT_EQ(model->newsRule().currencies.size(), 12u);

    // A thirteenth tick would make the store drop "USD", the first code in text order past the cap.
    const auto stored = model->newsRule().currencies;
    EXPECT_FALSE(view->currencyChip("CAD")->isEnabled());
    click(view->currencyChip("CAD"));
    EXPECT_EQ(model->newsRule().currencies, stored);
    EXPECT_TRUE(model->newsRule().currencies.contains("USD"));

    click(view->currencyChip("AAA"));  // unticking stays possible
    EXPECT_EQ(model->newsRule().currencies.size(), 11u);
    EXPECT_TRUE(view->currencyChip("CAD")->isEnabled());
    EXPECT_EQ(view->currencyChip("AAA"), nullptr);  // not offered: gone once unticked
}

TEST_F(NewsRulesEditorViewTest, SteppersChangeOneSideAndStopAtTheirEnds) {
    model->setBlackoutMinutes(0, 59);
    open();
    EXPECT_FALSE(view->stepButton(false, false)->isEnabled());
    EXPECT_EQ(view->exampleLine()->text(), QString::fromUtf8("A news at 08:30 \u2192 restricted 08:30\u201309:29."));
    click(view->stepButton(true, true));
    EXPECT_EQ(model->newsRule().afterSeconds, 3600);
    EXPECT_EQ(model->newsRule().beforeSeconds, 0);
    EXPECT_FALSE(view->stepButton(true, true)->isEnabled());
    click(view->stepButton(true, true));
    EXPECT_EQ(model->newsRule().afterSeconds, 3600);
    click(view->stepButton(false, true));
    EXPECT_EQ(model->newsRule().beforeSeconds, 60);
    EXPECT_EQ(view->exampleLine()->text(), QString::fromUtf8("A news at 08:30 \u2192 restricted 08:29\u201309:30."));
}

TEST_F(NewsRulesEditorViewTest, MediumCurrenciesAndTheTwoClickRestore) {
    open();
    click(view->highChip());
    click(view->mediumChip());
    EXPECT_TRUE(model->newsRule().impacts.contains(TradingCore::NewsImpact::medium));
    EXPECT_EQ(model->newsRule().impacts.size(), 2u);
    click(view->currencyChip("USD"));
    EXPECT_TRUE(view->noCurrencyLine()->isVisibleTo(view.get()));

    click(view->restoreButton());
    EXPECT_EQ(view->restoreButton()->look().text, "Click again to restore");
    EXPECT_TRUE(model->newsRule().currencies.empty());
    scheduler.advance(3);
    click(view->restoreButton());
    EXPECT_EQ(model->newsRule(), SettingsKit::NewsRuleLimits::standardRule());
    EXPECT_EQ(view->restoreButton()->look().text, "Restore defaults");
    EXPECT_FALSE(view->noCurrencyLine()->isVisibleTo(view.get()));

    click(view->doneButton());
    EXPECT_EQ(dones, 1);
}

}  // namespace
