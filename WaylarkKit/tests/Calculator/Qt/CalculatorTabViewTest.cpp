#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>

#include "WaylarkKit/Calculator/CalculatorModel.h"
#include "WaylarkKit/Calculator/Qt/CalculatorPainting.h"
#include "WaylarkKit/Calculator/Qt/CalculatorTabView.h"
#include "WaylarkKit/Calculator/Qt/InstrumentMenuView.h"
#include "WaylarkKit/TextField/Qt/EditableText.h"
#include "WaylarkKit/tests/Calculator/CalculatorFixture.h"
#include "WaylarkKit/tests/support/WidgetTesting.h"

using namespace WaylarkKit;
using CalculatorKit::RiskMode;
using CalculatorKit::StopMode;
using CalculatorKit::TradeDirection;
using Field = CalculatorModel::Field;
using Target = CalculatorTabTarget;

namespace {

class CalculatorTabViewTest : public ::testing::Test, protected CalculatorTesting::SettingsFixture {
protected:
    void SetUp() override {
        view.resize(460, 165);
        view.show();
    }

    // The risk card is always the second; the stop card is the last.
    QPoint centre(Target target) const {
        const auto& g = view.geometry();
        const auto& risk = g.cards.at(1);
        const auto& stop = g.cards.back();
        switch (target) {
            case Target::instrumentChip: return g.chip.center().toPoint();
            case Target::direction: return g.direction->center().toPoint();
            case Target::edit: return g.edit.center().toPoint();
            case Target::sizeBlock: return g.sizeBlock.center().toPoint();
            case Target::microButton: return g.microButton->center().toPoint();
            case Target::riskSwitch: return risk.modeSwitch->center().toPoint();
            case Target::riskMinus: return risk.minus->center().toPoint();
            case Target::riskPlus: return risk.plus->center().toPoint();
            case Target::stopSwitch: return stop.modeSwitch->center().toPoint();
            case Target::stopMinus: return stop.minus->center().toPoint();
            default: return {};
        }
    }
    void click(Target target) { QTest::mouseClick(&view, Qt::LeftButton, {}, centre(target)); }

    QApplication& application = WaylarkKitTest::app();
    CalculatorModel model{settings, scheduler, [this](const std::string& text) { copied.push_back(text); }};
    std::vector<std::string> copied;
    CalculatorTabView view{model, scheduler};
};

}  // namespace

TEST_F(CalculatorTabViewTest, Goldens) {
    EXPECT_TRUE(WaylarkKitTest::matchesGolden(WaylarkKitTest::render(view), "calculator-tab-result"));
    model.selectInstrument("NQ");
    EXPECT_TRUE(WaylarkKitTest::matchesGolden(WaylarkKitTest::render(view), "calculator-tab-micro"));
    model.selectInstrument("MNQ");
    change([](auto& s) { s.stopPoints = 40; });
    EXPECT_TRUE(WaylarkKitTest::matchesGolden(WaylarkKitTest::render(view), "calculator-tab-below-minimum"));
    model.setStopMode(StopMode::price);
    EXPECT_TRUE(WaylarkKitTest::matchesGolden(WaylarkKitTest::render(view), "calculator-tab-prompt"));
    model.edit(Field::entry, "18250");
    model.edit(Field::stop, "18270.5");
    EXPECT_TRUE(WaylarkKitTest::matchesGolden(WaylarkKitTest::render(view), "calculator-tab-price"));
    model.setInstrumentMenuOpen(true);
    EXPECT_TRUE(WaylarkKitTest::matchesGolden(WaylarkKitTest::render(view), "calculator-tab-menu"));
}

TEST_F(CalculatorTabViewTest, TypingRegroupsKeepsTheCaretAndUpdatesTheResult) {
    EditableText* balance = view.textField(Field::balance);
    balance->setFocus();
    balance->setCursorPosition(6);
    QTest::keyClicks(balance, "0");
    EXPECT_EQ(balance->text(), "100,000");
    EXPECT_EQ(view.state().result.size, 25);
    balance->setCursorPosition(1);
    QTest::keyClick(balance, Qt::Key_2);
    EXPECT_EQ(balance->text(), "1,200,000");
    EXPECT_EQ(balance->cursorPosition(), 3);
    EXPECT_EQ(view.state().result.size, 300);

    // Beyond the bound the keystroke is refused and the stored balance shows again.
    balance->selectAll();
    QTest::keyClicks(balance, "20000000000");
    EXPECT_EQ(balance->text(), "200,000,000");
    EXPECT_EQ(calculator().balance, 200'000'000);

    QTest::keyClick(balance, Qt::Key_Return);
    EXPECT_TRUE(model.drafts().empty());
    EXPECT_FALSE(view.textField(Field::entry)->isVisible());
}

TEST_F(CalculatorTabViewTest, SteppersAndSwitches) {
    change([](auto& s) { s.riskPercent = *Base::Decimal::fromText("99.9"); });
    click(Target::riskPlus);
    EXPECT_EQ(view.textField(Field::risk)->text(), "100");
    click(Target::riskMinus);
    EXPECT_EQ(view.textField(Field::risk)->text(), "99.75");

    click(Target::stopMinus);
    EXPECT_EQ(calculator().stopPoints, 19);
    click(Target::riskSwitch);
    EXPECT_EQ(calculator().riskMode, RiskMode::amount);
    EXPECT_EQ(view.textField(Field::risk)->text(), "100");
    click(Target::stopSwitch);
    EXPECT_EQ(calculator().stopMode, StopMode::price);
    EXPECT_TRUE(view.textField(Field::entry)->isVisible());
    EXPECT_EQ(view.textField(Field::stop)->placeholderText(), "price");
}

// A switch of mode leaves the field with the keyboard, now on another
// setting: an undo there never writes the other mode's text into it.
TEST_F(CalculatorTabViewTest, AnUndoAfterASwitchOfModeChangesNothing) {
    change([](auto& s) {
        s.riskMode = RiskMode::amount;
        s.riskPercent = 2;
        s.stopMode = StopMode::price;
        s.stopPoints = 215;
    });
    view.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&view));
    const auto undo = [](EditableText* field) { QTest::keyClick(field, Qt::Key_Z, Qt::ControlModifier); };

    EditableText* risk = view.textField(Field::risk);
    risk->setFocus(Qt::MouseFocusReason);
    risk->selectAll();
    QTest::keyClicks(risk, "2");
    ASSERT_EQ(calculator().riskAmount, 2);
    click(Target::riskSwitch);
    ASSERT_EQ(risk->text(), "2");
    undo(risk);
    EXPECT_EQ(calculator().riskPercent, 2);
    EXPECT_EQ(calculator().riskAmount, 2);

    EditableText* stop = view.textField(Field::stop);
    stop->setFocus(Qt::MouseFocusReason);
    QTest::keyClicks(stop, "2150");
    QTest::keyClick(stop, Qt::Key_Backspace);
    click(Target::stopSwitch);
    ASSERT_EQ(stop->text(), "215");
    undo(stop);
    EXPECT_EQ(calculator().stopPoints, 215);
    EXPECT_EQ(stop->text().toStdString(), "215");
}

TEST_F(CalculatorTabViewTest, DirectionChipFollowsTheStopMode) {
    model.setStopMode(StopMode::price);
    model.edit(Field::entry, "5000");
    model.edit(Field::stop, "5010");
    ASSERT_TRUE(view.geometry().direction);
    EXPECT_EQ(view.state().direction, TradeDirection::short_);
    click(Target::direction);  // decided by the prices: nothing to switch
    EXPECT_EQ(model.direction(), TradeDirection::long_);
    EXPECT_EQ(calculatorTabTooltip(view.state(), Target::direction), "From your stop price");

    model.setStopMode(StopMode::points);
    click(Target::direction);
    EXPECT_EQ(model.direction(), TradeDirection::short_);
    EXPECT_EQ(view.state().direction, TradeDirection::short_);
    model.edit(Field::entry, "");
    EXPECT_FALSE(view.geometry().direction);
}

TEST_F(CalculatorTabViewTest, InstrumentMenuOpensSelectsAndClosesWithoutClickThrough) {
    click(Target::instrumentChip);
    ASSERT_TRUE(view.menu()->isVisible());
    // A click on the balance card only closes the menu.
    QTest::mouseClick(view.menu(), Qt::LeftButton, {}, view.geometry().cards[0].frame.center().toPoint());
    EXPECT_FALSE(model.isInstrumentMenuOpen());
    EXPECT_FALSE(view.textField(Field::balance)->hasFocus());

    click(Target::instrumentChip);
    const auto& rows = view.menu()->rows();
    const auto us30 = std::find_if(rows.begin(), rows.end(), [](const auto& r) { return r.instrument.id == "US30"; });
    QTest::mouseClick(view.menu(), Qt::LeftButton, {}, view.menu()->rowRect(*us30).center().toPoint());
    EXPECT_EQ(calculator().instrumentID, "US30");
    EXPECT_FALSE(view.menu()->isVisible());

    int opened = 0;
    model.setOnOpenInstrumentEditor([&] { ++opened; });
    click(Target::edit);
    EXPECT_EQ(opened, 1);
}

TEST_F(CalculatorTabViewTest, CopyingShowsTheToastAndLeavingDropsEverything) {
    click(Target::sizeBlock);
    EXPECT_EQ(copied, std::vector<std::string>{"2.5"});
    ASSERT_TRUE(view.geometry().toast);
    scheduler.advance(CalculatorModel::toastSeconds);
    EXPECT_FALSE(view.geometry().toast);

    model.selectInstrument("NQ");
    click(Target::microButton);
    EXPECT_EQ(calculator().instrumentID, "MNQ");

    model.edit(Field::balance, "123");
    model.setInstrumentMenuOpen(true);
    view.hide();
    EXPECT_FALSE(model.isInstrumentMenuOpen());
    EXPECT_TRUE(model.drafts().empty());
}

// The application gives the keyboard back from the island when an edit ends
// (the stand-in below does what it does). Clicking from one field into the
// next must leave the keyboard in the next, or the typing there is lost.
TEST_F(CalculatorTabViewTest, MovingToAnotherFieldKeepsTheKeyboard) {
    view.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&view));
    int givenBack = 0;
    model.setOnEditingEnded([&] {
        ++givenBack;
        if (QWidget* focus = view.focusWidget()) focus->clearFocus();
    });
    EditableText* risk = view.textField(Field::risk);
    EditableText* balance = view.textField(Field::balance);
    risk->setFocus(Qt::MouseFocusReason);
    risk->selectAll();
    QTest::keyClicks(risk, "2");
    balance->setFocus(Qt::MouseFocusReason);
    scheduler.runPending();
    EXPECT_TRUE(balance->hasFocus());
    EXPECT_EQ(givenBack, 0);
    EXPECT_FALSE(model.drafts().contains(Field::risk));
    EXPECT_EQ(calculator().riskPercent, 2);

    balance->clearFocus();
    scheduler.runPending();
    EXPECT_EQ(givenBack, 1);
}

// Measured in Inter, at the widest and the narrowest the panel gives the tab:
// the longest values a trader types show whole, and the unit line in full.
TEST_F(CalculatorTabViewTest, FieldsAndTheUnitLineHoldWhatTheyShow) {
    const auto holds = [&](Field field) {
        const EditableText* text = view.textField(field);
        return QFontMetricsF(text->font()).horizontalAdvance(text->text()) + 4 <= text->width();
    };
    model.setRiskMode(RiskMode::amount);
    for (const int width : {460, 309}) {
        view.resize(width, 165);
        model.edit(Field::balance, "1,000,000,000");
        model.edit(Field::risk, "99,999.99");
        model.edit(Field::stop, "9999.75");
        EXPECT_TRUE(holds(Field::balance)) << width;
        EXPECT_TRUE(holds(Field::risk)) << width;
        EXPECT_TRUE(holds(Field::stop)) << width;
        model.endAllEditing();
        EXPECT_TRUE(holds(Field::risk)) << width;  // "$ 100" once edited
    }
    // The balance being typed grows its field rather than hiding digits.
    model.edit(Field::balance, "999,999,999.99");
    EXPECT_TRUE(holds(Field::balance));

    model.endAllEditing();
    model.selectInstrument("MNQ");
    ASSERT_TRUE(view.state().result.isUsable());
    const QString unit = "contracts · tap to copy";
    EXPECT_GE(view.geometry().unitLine.width(),
              QFontMetricsF(CalculatorPainting::font(10, FontWeight::regular)).horizontalAdvance(unit));
}
