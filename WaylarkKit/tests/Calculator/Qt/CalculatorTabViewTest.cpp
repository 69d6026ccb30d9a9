#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>

#include "WaylarkKit/Calculator/CalculatorModel.h"
#include "WaylarkKit/Calculator/Qt/CalculatorTabView.h"
#include "WaylarkKit/Calculator/Qt/InstrumentMenuView.h"
#include "WaylarkKit/Checklist/Qt/EditableText.h"
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

    QPoint centre(Target target) const {
        const auto& g = view.geometry();
        const auto pick = [&]() -> QRectF {
            switch (target) {
                case Target::instrumentChip: return g.chip;
                case Target::direction: return *g.direction;
                case Target::edit: return g.edit;
                case Target::sizeBlock: return g.sizeBlock;
                case Target::microButton: return *g.microButton;
                default: break;
            }
            for (const auto& card : g.cards) {
                const bool risk = card.card.field == Field::risk;
                if ((target == Target::riskSwitch && risk) ||
                    (target == Target::stopSwitch && !risk && card.modeSwitch)) {
                    return *card.modeSwitch;
                }
                if ((target == Target::riskMinus && risk) || (target == Target::stopMinus && !risk && card.minus)) {
                    return *card.minus;
                }
                if ((target == Target::riskPlus && risk) || (target == Target::stopPlus && !risk && card.plus)) {
                    return *card.plus;
                }
            }
            return {};
        };
        return pick().center().toPoint();
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
