// Shows the lot-size tab and the instrument editor in real windows on an X
// server, types and clicks into them with xdotool, checks what the models
// received and saves screenshots of both. The end of an edit gives the
// keyboard back as the application does, so moving from field to field is
// tried as a trader does it.
// Usage: CalculatorScreenshots <screenshot folder>

#include <memory>
#include <string>

#include <QClipboard>
#include <QFontMetricsF>
#include <QPainterPath>

#include "IslandKit/Window/QtScheduler.h"
#include "SettingsKit/InMemorySettingsStore.h"
#include "SettingsKit/SettingsModel.h"
#include "WaylarkKit/Calculator/CalculatorModel.h"
#include "WaylarkKit/Calculator/InstrumentEditorModel.h"
#include "WaylarkKit/Calculator/Qt/CalculatorPainting.h"
#include "WaylarkKit/Calculator/Qt/CalculatorTabView.h"
#include "WaylarkKit/Calculator/Qt/InstrumentEditorView.h"
#include "WaylarkKit/Calculator/Qt/SystemClipboard.h"
#include "WaylarkKit/TextField/Qt/EditableText.h"
#include "WaylarkKit/tests/xvfb/support/XvfbDriving.h"

using namespace WaylarkKit;
using namespace WaylarkKit::Xvfb;
using Field = CalculatorModel::Field;

namespace {

QString shown(const CalculatorTabView& tab, Field field) { return tab.textField(field)->text(); }

}  // namespace

int main(int argc, char** argv) {
    Driver driver(argc, argv);
    IslandKit::QtScheduler scheduler;
    SettingsKit::SettingsModel settings(std::make_shared<SettingsKit::InMemorySettingsStore>(), scheduler, 0.4);
    CalculatorModel calculator(settings, scheduler, copyToClipboard);
    InstrumentEditorModel editor(settings);

    {
        // The black surface the tab sits on inside the expanded island.
        Painted panel([](QPainter& painter, const QRect& area) { painter.fillRect(area, Qt::black); });
        panel.setGeometry(120, 120, 492, 189);
        auto* tab = new CalculatorTabView(calculator, scheduler, &panel);
        tab->setGeometry(16, 12, 460, 165);
        // What the application does at the end of an edit: the field loses the keyboard.
        calculator.setOnEditingEnded([&panel] {
            if (QWidget* focus = panel.focusWidget()) focus->clearFocus();
        });
        panel.show();
        check(waitFor([&] { return panel.isVisible() && tab->isVisible(); }), "tab shown");
        wait(400);

        const auto& cards = tab->geometry().cards;
        click(centre(*tab, cards[1].textField));
        xdotool({"key", "ctrl+a"});
        type("1");
        check(waitFor([&] { return settings.calculator().riskPercent == 1; }), "typed risk of 1 % stored");
        xdotool({"key", "Return"});
        click(centre(*tab, cards[0].textField));
        xdotool({"key", "End"});
        type("5");
        check(waitFor([&] { return settings.calculator().balance == 100005; }), "a fifth balance digit regrouped");
        xdotool({"key", "BackSpace"});
        check(waitFor([&] { return settings.calculator().balance == 10000; }), "and taken back");
        xdotool({"key", "Return"});
        check(tab->state().result.size == 5, "1 % of $10,000 over 20 points of NAS100 is 5 lots");
        check(grab(panel).save(driver.folder + "/tab-calculator.png"), "tab screenshot saved");

        click(centre(*tab, tab->geometry().sizeBlock));
        check(waitFor([&] { return QGuiApplication::clipboard()->text() == "5"; }), "size copied to the clipboard");
        check(waitFor([&] { return calculator.toast() == std::optional<std::string>("Copied 5"); }), "toast shown");
        check(waitFor([&] { return !calculator.toast(); }, 4000), "toast gone after its time");

        // Type in the risk, click the balance, select all and type: 50 times.
        // Each field's click and keys go in one burst, so they race the end of
        // the previous field's edit; no keystroke may be lost.
        const QPoint riskAt = centre(*tab, cards[1].textField);
        const QPoint balanceAt = centre(*tab, cards[0].textField);
        const auto at = [](QPoint point) { return QStringList{QString::number(point.x()), QString::number(point.y())}; };
        int kept = 0;
        for (int i = 0; i < 50; ++i) {
            const QString risk = i % 2 == 0 ? "2" : "1";
            const QString balance = i % 2 == 0 ? "25000" : "26000";
            // "type" takes every argument after it, so it ends each burst.
            xdotool(QStringList{"mousemove"} + at(riskAt) +
                    QStringList{"click", "1", "key", "ctrl+a", "type", "--delay", "20", risk});
            xdotool(QStringList{"mousemove"} + at(balanceAt) +
                    QStringList{"click", "1", "key", "ctrl+a", "type", "--delay", "20", balance});
            const bool landed = waitFor([&] {
                return settings.calculator().balance == balance.toInt() &&
                       settings.calculator().riskPercent == risk.toInt();
            }, 2000);
            if (landed) ++kept;
        }
        check(kept == 50, "typing after a click from risk to balance kept 50 times of 50 (" + std::to_string(kept) + ")");
        xdotool({"key", "ctrl+a"});
        type("10000");
        xdotool({"key", "Return"});
        click(centre(*tab, cards[1].textField));
        xdotool({"key", "ctrl+a"});
        type("1");
        xdotool({"key", "Return"});
        check(waitFor([&] { return settings.calculator().riskPercent == 1 && settings.calculator().balance == 10000; }),
              "back to 1 % of $10,000");

        // NQ is above a $100 risk at 20 points; its micro fits, and its unit line shows whole.
        // NQ lies below the menu's fold; the menu's own clicks are the widget tests'.
        calculator.selectInstrument("NQ");
        check(waitFor([&] { return tab->geometry().microButton.has_value(); }), "NQ offers its micro");
        click(centre(*tab, *tab->geometry().microButton));
        check(waitFor([&] { return settings.calculator().instrumentID == "MNQ"; }), "Use MNQ selects it");
        check(tab->state().result.size == 2, "1 % of $10,000 over 20 points of MNQ is 2 contracts");
        const QString unit = "contracts · tap to copy";
        check(tab->geometry().unitLine.width() >=
                  QFontMetricsF(CalculatorPainting::font(10, FontWeight::regular)).horizontalAdvance(unit),
              "the unit line holds \"contracts · tap to copy\"");
        check(grab(panel).save(driver.folder + "/tab-calculator-futures.png"), "futures screenshot saved");

        // Risk in dollars: $1,250 typed, then the largest balance typed and left focused.
        click(centre(*tab, cards[1].modeSwitch.value()));
        check(waitFor([&] { return tab->state().riskMode == CalculatorKit::RiskMode::amount; }), "risk in dollars");
        click(centre(*tab, tab->geometry().cards[1].textField));
        xdotool({"key", "ctrl+a"});
        type("1250");
        check(waitFor([&] { return settings.calculator().riskAmount == 1250; }), "risk of $1,250 stored");
        check(shown(*tab, Field::risk) == "1,250", "and shown grouped");
        xdotool({"key", "Return"});
        click(centre(*tab, tab->geometry().cards[0].textField));
        xdotool({"key", "ctrl+a"});
        type("2500,50");
        check(waitFor([&] { return settings.calculator().balance == Base::Decimal::fromParts(250050, -2); }),
              "a decimal comma reads 2500,50 as 2,500.50");
        xdotool({"key", "ctrl+a"});
        type("1000000000");
        check(waitFor([&] { return settings.calculator().balance == 1'000'000'000; }), "a balance of 1,000,000,000");
        check(shown(*tab, Field::balance) == "1,000,000,000", "shown whole while typed");
        const EditableText* balance = tab->textField(Field::balance);
        check(QFontMetricsF(balance->font()).horizontalAdvance(balance->text()) + 4 <= balance->width(),
              "the balance field holds it");
        check(balance->hasFocus(), "the balance keeps the keyboard");
        check(grab(panel).save(driver.folder + "/tab-calculator-risk-amount.png"), "risk-amount screenshot saved");
        type("0");
        check(waitFor([&] { return calculator.toast() == std::optional<std::string>("At most 1,000,000,000"); }),
              "one more digit is refused, and the toast says why");
        check(settings.calculator().balance == 1'000'000'000, "the balance stays");
    }

    {
        // A dimmed backdrop with the dark card that overlay editors are shown on.
        Painted card([](QPainter& painter, const QRect& area) {
            painter.setRenderHint(QPainter::Antialiasing, true);
            painter.fillRect(area, QColor(28, 52, 66));
            QPainterPath shape;
            shape.addRoundedRect(QRectF(area).adjusted(20, 20, -20, -20), 18, 18);
            painter.fillPath(shape, QColor(0, 0, 0, 224));
        });
        card.setGeometry(80, 80, 680, 420);
        int done = 0;
        auto* view = new InstrumentEditorView(
            editor, scheduler, [&] { ++done; }, &card);
        view->setGeometry(40, 40, 600, 340);
        card.show();
        check(waitFor([&] { return view->isVisible(); }), "editor shown");
        wait(300);
        card.activateWindow();
        auto button = [&](InstrumentEditorView::Button which) { return *view->buttonRect(which); };
        click(centre(*view, button(InstrumentEditorView::Button::add)));
        wait(400);
        type("DAX 40");
        check(waitFor([&] { return editor.instrument().name == "DAX 40"; }), "new instrument named by typing at once");
        xdotool({"key", "Tab"});
        type("25");
        check(waitFor([&] { return editor.instrument().dollarsPerPoint == 25; }), "point value typed");
        click(centre(*view, button(InstrumentEditorView::Button::calibrate).translated(-300, 0)));
        type("0.5");
        xdotool({"key", "Tab"});
        type("40");
        xdotool({"key", "Tab"});
        type("100");
        check(waitFor([&] { return editor.calibratedValue() == Base::Decimal(5); }), "calibration worked out");
        check(grab(card).save(driver.folder + "/editor-instrument.png"), "editor screenshot saved");
        click(centre(*view, button(InstrumentEditorView::Button::done)));
        check(done == 1, "Done pressed");
    }
    return finish();
}
