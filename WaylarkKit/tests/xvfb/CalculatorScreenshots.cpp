// Shows the lot-size tab and the instrument editor in real windows on an X
// server, types and clicks into them with xdotool, checks what the models
// received and saves screenshots of both.
// Usage: CalculatorScreenshots <screenshot folder>

#include <cstdio>
#include <functional>
#include <memory>
#include <string>

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QEventLoop>
#include <QPainter>
#include <QPainterPath>
#include <QProcess>
#include <QScreen>
#include <QTimer>

#include "IslandKit/Window/QtScheduler.h"
#include "SettingsKit/InMemorySettingsStore.h"
#include "SettingsKit/SettingsModel.h"
#include "WaylarkKit/Calculator/CalculatorModel.h"
#include "WaylarkKit/Calculator/InstrumentEditorModel.h"
#include "WaylarkKit/Calculator/Qt/CalculatorTabView.h"
#include "WaylarkKit/Calculator/Qt/InstrumentEditorView.h"
#include "WaylarkKit/Calculator/Qt/SystemClipboard.h"
#include "WaylarkKit/Style/Qt/Fonts.h"

using namespace WaylarkKit;

namespace {

int failures = 0;

void check(bool ok, const std::string& what) {
    std::printf("%s %s\n", ok ? "ok  " : "FAIL", what.c_str());
    if (!ok) ++failures;
}

void wait(int ms) {
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

bool waitFor(const std::function<bool()>& done, int ms = 3000) {
    for (int waited = 0; waited < ms && !done(); waited += 20) wait(20);
    return done();
}

void xdotool(const QStringList& arguments) {
    if (QProcess::execute("xdotool", arguments) != 0) check(false, ("xdotool " + arguments.join(' ')).toStdString());
    wait(150);
}

void clickAt(const QWidget& widget, QPointF local) {
    const QPoint global = widget.mapToGlobal(local.toPoint());
    xdotool({"mousemove", QString::number(global.x()), QString::number(global.y())});
    xdotool({"click", "1"});
}

void type(const QString& text) { xdotool({"type", "--delay", "40", text}); }

bool save(const QWidget& window, const QString& path) {
    wait(300);
    const QPoint origin = window.mapToGlobal(QPoint(0, 0));
    const QPixmap shot = window.screen()->grabWindow(0, origin.x(), origin.y(), window.width(), window.height());
    return shot.save(path);
}

// The black surface the tab sits on inside the expanded island.
class Panel final : public QWidget {
public:
    Panel() : QWidget(nullptr, Qt::FramelessWindowHint) {}

protected:
    void paintEvent(QPaintEvent*) override { QPainter(this).fillRect(rect(), Qt::black); }
};

// A dimmed backdrop with the dark card that overlay editors are shown on.
class Card final : public QWidget {
public:
    Card() : QWidget(nullptr, Qt::FramelessWindowHint) {}

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing, true);
        painter.fillRect(rect(), QColor(28, 52, 66));
        QPainterPath card;
        card.addRoundedRect(QRectF(rect()).adjusted(20, 20, -20, -20), 18, 18);
        painter.fillPath(card, QColor(0, 0, 0, 224));
    }
};

}  // namespace

int main(int argc, char** argv) {
    // Real windows, whatever platform the test run asks the widget tests to use.
    qputenv("QT_QPA_PLATFORM", "xcb");
    QApplication application(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: CalculatorScreenshots <screenshot folder>\n");
        return 2;
    }
    const QString folder = QString::fromLocal8Bit(argv[1]);
    QDir().mkpath(folder);
    check(loadFonts(), "Inter loaded");

    IslandKit::QtScheduler scheduler;
    SettingsKit::SettingsModel settings(std::make_shared<SettingsKit::InMemorySettingsStore>(), scheduler, 0.4);
    CalculatorModel calculator(settings, scheduler, copyToClipboard);
    InstrumentEditorModel editor(settings);

    {
        Panel panel;
        panel.setGeometry(120, 120, 492, 189);
        auto* tab = new CalculatorTabView(calculator, scheduler, &panel);
        tab->setGeometry(16, 12, 460, 165);
        panel.show();
        check(waitFor([&] { return panel.isVisible() && tab->isVisible(); }), "tab shown");
        wait(400);

        const auto& cards = tab->geometry().cards;
        clickAt(*tab, cards[1].textField.center());
        xdotool({"key", "ctrl+a"});
        type("1");
        check(waitFor([&] { return settings.calculator().riskPercent == 1; }), "typed risk of 1 % stored");
        xdotool({"key", "Return"});
        clickAt(*tab, cards[0].textField.center());
        xdotool({"key", "End"});
        type("5");
        check(waitFor([&] { return settings.calculator().balance == 100005; }), "a fifth balance digit regrouped");
        xdotool({"key", "BackSpace"});
        check(waitFor([&] { return settings.calculator().balance == 10000; }), "and taken back");
        xdotool({"key", "Return"});
        check(tab->state().result.size == 5, "1 % of $10,000 over 20 points of NAS100 is 5 lots");
        check(save(panel, folder + "/tab-calculator.png"), "tab screenshot saved");

        clickAt(*tab, tab->geometry().sizeBlock.center());
        check(waitFor([&] { return QGuiApplication::clipboard()->text() == "5"; }), "size copied to the clipboard");
        check(waitFor([&] { return calculator.toast() == std::optional<std::string>("Copied 5"); }), "toast shown");
        check(waitFor([&] { return !calculator.toast(); }, 4000), "toast gone after its time");
    }

    {
        Card card;
        card.setGeometry(80, 80, 680, 420);
        int done = 0;
        auto* view = new InstrumentEditorView(
            editor, scheduler, [&] { ++done; }, &card);
        view->setGeometry(40, 40, 600, 340);
        card.show();
        check(waitFor([&] { return view->isVisible(); }), "editor shown");
        wait(300);
        card.activateWindow();
        clickAt(*view, view->buttonRect(InstrumentEditorView::Button::add)->center());
        wait(400);
        type("DAX 40");
        check(waitFor([&] { return editor.instrument().name == "DAX 40"; }), "new instrument named by typing at once");
        xdotool({"key", "Tab"});
        type("25");
        check(waitFor([&] { return editor.instrument().dollarsPerPoint == 25; }), "point value typed");
        clickAt(*view, view->buttonRect(InstrumentEditorView::Button::calibrate)->center() - QPointF(300, 0));
        type("0.5");
        xdotool({"key", "Tab"});
        type("40");
        xdotool({"key", "Tab"});
        type("100");
        check(waitFor([&] { return editor.calibratedValue() == Base::Decimal(5); }), "calibration worked out");
        check(save(card, folder + "/editor-instrument.png"), "editor screenshot saved");
        clickAt(*view, view->buttonRect(InstrumentEditorView::Button::done)->center());
        check(done == 1, "Done pressed");
    }

    std::printf("%d failure(s)\n", failures);
    return failures == 0 ? 0 : 1;
}
