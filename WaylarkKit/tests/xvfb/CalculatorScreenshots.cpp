// Shows the lot-size tab and the instrument editor in real windows on an X
// server, types and clicks into them with xdotool, checks what the models
// received and saves screenshots of both.
// Usage: CalculatorScreenshots <screenshot folder>

#include <memory>

#include <QClipboard>
#include <QPainterPath>

#include "IslandKit/Window/QtScheduler.h"
#include "SettingsKit/InMemorySettingsStore.h"
#include "SettingsKit/SettingsModel.h"
#include "WaylarkKit/Calculator/CalculatorModel.h"
#include "WaylarkKit/Calculator/InstrumentEditorModel.h"
#include "WaylarkKit/Calculator/Qt/CalculatorTabView.h"
#include "WaylarkKit/Calculator/Qt/InstrumentEditorView.h"
#include "WaylarkKit/Calculator/Qt/SystemClipboard.h"
#include "WaylarkKit/tests/xvfb/support/XvfbDriving.h"

using namespace WaylarkKit;
using namespace WaylarkKit::Xvfb;

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
