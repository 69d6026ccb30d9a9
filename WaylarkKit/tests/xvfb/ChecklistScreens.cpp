// Shows the checklist tab and the checklist editor in real windows on an X
// server, works them with xdotool as a user would (clicks, a real hold,
// typing), checks what changed and takes the screenshots.
// Usage: ChecklistScreens <screenshot folder>

#include <cstdio>
#include <functional>
#include <memory>
#include <string>

#include <QApplication>
#include <QDir>
#include <QEventLoop>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QProcess>
#include <QScreen>
#include <QTest>
#include <QTimer>

#include "ChecklistKit/ChecklistModel.h"
#include "ChecklistKit/InMemoryChecklistStore.h"
#include "IslandKit/Overlay/OverlayRootView.h"
#include "IslandKit/Overlay/OverlayWindowController.h"
#include "IslandKit/Window/QtScheduler.h"
#include "WaylarkKit/Checklist/ChecklistEditorModel.h"
#include "WaylarkKit/Checklist/ChecklistUIState.h"
#include "WaylarkKit/Checklist/Qt/ChecklistEditorRow.h"
#include "WaylarkKit/Checklist/Qt/ChecklistEditorView.h"
#include "WaylarkKit/Checklist/Qt/ChecklistItemsView.h"
#include "WaylarkKit/Checklist/Qt/ChecklistTabView.h"
#include "WaylarkKit/Checklist/Qt/EditableText.h"
#include "WaylarkKit/Checklist/Qt/HoldToResetButton.h"
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

bool waitFor(const std::function<bool()>& done, int ms) {
    for (int waited = 0; waited < ms && !done(); waited += 20) wait(20);
    return done();
}

void xdotool(const QStringList& arguments) {
    if (QProcess::execute("xdotool", arguments) != 0) check(false, ("xdotool " + arguments.join(' ')).toStdString());
}

// Clicks at `at` and waits until `landed` holds.
bool click(const QPoint& at, const std::function<bool()>& landed) {
    xdotool({"mousemove", QString::number(at.x()), QString::number(at.y())});
    xdotool({"click", "1"});
    return waitFor(landed, 2000);
}

QPoint global(const QWidget& widget, const QRectF& rect) { return widget.mapToGlobal(rect.center().toPoint()); }

QImage grab(const QRect& area) {
    // The compositor draws the last repaint a moment later; there is nothing to wait on.
    wait(300);
    return QGuiApplication::primaryScreen()->grabWindow(0, area.x(), area.y(), area.width(), area.height()).toImage();
}

bool near(const QColor& a, const QColor& b, int fuzz = 12) {
    return std::abs(a.red() - b.red()) <= fuzz && std::abs(a.green() - b.green()) <= fuzz &&
           std::abs(a.blue() - b.blue()) <= fuzz;
}

// A plain desktop under the windows, so the screenshots show the panel's edge.
class Desktop final : public QWidget {
public:
    Desktop() : QWidget(nullptr, Qt::FramelessWindowHint) {}

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        QLinearGradient sky(0, 0, 0, height());
        sky.setColorAt(0, QColor(38, 70, 104));
        sky.setColorAt(1, QColor(22, 40, 62));
        painter.fillRect(rect(), sky);
    }
};

// The black panel of the expanded island that the tab sits in.
class Panel final : public QWidget {
public:
    static constexpr int inset = 16;

    Panel() : QWidget(nullptr, Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint) {
        setAttribute(Qt::WA_TranslucentBackground);
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        QPainterPath shape;
        shape.addRoundedRect(QRectF(rect()).adjusted(0, -20, 0, 0), 20, 20);
        painter.fillPath(shape, Qt::black);
    }
};

void populate(ChecklistKit::ChecklistModel& checklist, Base::Uuid& stop, Base::Uuid& trend) {
    const Base::Uuid scalping = *checklist.createTemplate("Scalping the London open");
    checklist.addItem(scalping, "Asian range marked");
    checklist.addItem(scalping, "First pullback after the open");
    const Base::Uuid main = *checklist.createTemplate("Pre-trade");
    stop = *checklist.addItem(main, "Stop placed beyond the last swing");
    trend = *checklist.addItem(main, "Trend on the 15-minute chart");
    checklist.setOptions({"Above", "Below", "Sideways"}, trend, main);
    checklist.addItem(main, "No red news in the next 30 minutes");
    checklist.addItem(main, "Lot size from the calculator");
}

void checkTab(const QString& folder, ChecklistKit::ChecklistModel& checklist, ChecklistUIState& ui,
              Base::Scheduler& scheduler, const Base::Uuid& stop, const Base::Uuid& trend) {
    Panel panel;
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    const QSize size(ChecklistTabView::standardWidth + 2 * Panel::inset,
                     ChecklistTabView::standardHeight + 2 * Panel::inset);
    panel.setGeometry(screen.center().x() - size.width() / 2, 0, size.width(), size.height());
    ChecklistTabView tab(checklist, ui, scheduler, &panel);
    tab.setGeometry(Panel::inset, Panel::inset, ChecklistTabView::standardWidth, ChecklistTabView::standardHeight);
    panel.show();
    check(QTest::qWaitForWindowExposed(&panel), "the panel is on screen");

    auto part = [&](const Base::Uuid& id) { return *tab.items().parts(id); };
    check(click(global(tab.items(), part(stop).text), [&] { return checklist.isChecked(stop); }),
          "a click on a row's text ticks it");
    check(click(global(tab.items(), part(trend).pill), [&] { return ui.openChoiceItemID() == trend; }),
          "a click on the pill opens the option picker");
    check(click(global(tab.items(), part(trend).chips.at(0)), [&] { return checklist.choice(trend) == "Above"; }),
          "a click on a chip records the choice");
    check(!ui.openChoiceItemID(), "and closes the picker");
    check(click(global(tab.items(), part(trend).pill), [&] { return ui.openChoiceItemID() == trend; }),
          "the picker opens again");

    const QRect area = panel.geometry().adjusted(-24, 0, 24, 24);
    const QImage shot = grab(area);
    shot.save(folder + "/tab-checklist.png");
    const QRectF boxRect = part(stop).box;
    const QPoint box = tab.items().mapTo(&panel, QPoint(static_cast<int>(boxRect.left()) + 2,
                                                          static_cast<int>(boxRect.center().y()))) +
                       panel.pos() - area.topLeft();
    check(near(shot.pixelColor(box), QColor::fromRgbF(0.25f, 0.92f, 0.45f), 20), "the ticked box is green on screen");

    // A real press held past the hold's second clears the ticks; a short one does not.
    HoldToResetButton& reset = tab.resetButton();
    const QPoint hold = reset.mapToGlobal(reset.rect().center());
    xdotool({"mousemove", QString::number(hold.x()), QString::number(hold.y())});
    xdotool({"mousedown", "1"});
    check(waitFor([&] { return ui.resetHold().isHolding(); }, 2000), "a press starts the hold");
    xdotool({"mouseup", "1"});
    check(waitFor([&] { return !ui.resetHold().isHolding(); }, 2000), "releasing ends it");
    check(checklist.isChecked(stop) && ui.resetHold().progress() == 0, "an early release keeps the ticks");
    xdotool({"mousedown", "1"});
    check(waitFor([&] { return !checklist.isChecked(stop); }, 2500), "holding for a second clears the checklist");
    xdotool({"mouseup", "1"});
    panel.hide();
}

void checkEditor(const QString& folder, ChecklistKit::ChecklistModel& checklist, ChecklistEditorModel& editor,
                 Base::Scheduler& scheduler, const Base::Uuid& trend) {
    ChecklistEditorView* view = nullptr;
    std::unique_ptr<IslandKit::OverlayWindowController> overlay;
    overlay = std::make_unique<IslandKit::OverlayWindowController>(
        [&](QWidget* parent) {
            view = new ChecklistEditorView(checklist, editor, scheduler, parent);
            view->setOnDone([&] { overlay->dismiss(); });
            return view;
        },
        IslandKit::Size{640, 400}, scheduler);
    overlay->present(QGuiApplication::primaryScreen());
    check(view != nullptr && waitFor([&] { return overlay->rootView()->fade() == 1; }, 2000),
          "the editor shows in the card");
    if (view == nullptr) return;

    check(click(view->mapToGlobal(view->addItemRect().center().toPoint()),
                [&] {
                    return view->rows().size() == 5 && view->focusWidget() == &view->rows().back()->textField() &&
                           view->rows().back()->textField().hasFocus();
                }),
          "\"Add item\" adds a row whose field takes the focus");
    xdotool({"type", "--delay", "20", "Spread below 2 pips"});
    check(waitFor(
              [&] {
                  const auto shown = checklist.activeTemplate();
                  return shown && shown->items.back().text == "Spread below 2 pips";
              },
              2000),
          "typing goes into the new item");

    for (ChecklistEditorRow* row : view->rows()) {
        if (row->itemID() != trend) continue;
        check(click(global(*row, row->choiceButtonRect()), [&] { return editor.choiceEditorItemID() == trend; }),
              "the dropdown button opens the option editor");
    }

    const QRect card = overlay->rootView()->cardRect().translated(overlay->rootView()->mapToGlobal(QPoint(0, 0)));
    const QRect area = card.adjusted(-32, -32, 32, 32);
    const QImage shot = grab(area);
    shot.save(folder + "/editor-checklist.png");
    check(shot.pixelColor(32 + 8, 32 + card.height() / 2).lightness() < 30, "the card is dark");

    check(click(view->mapToGlobal(view->doneRect().center().toPoint()), [&] { return !overlay->isPresented(); }),
          "\"Done\" dismisses the card");
    waitFor([&] { return overlay->panel() == nullptr; }, 2000);
}

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "xcb");
    QApplication app(argc, argv);
    loadFonts();
    const QStringList args = app.arguments();
    const QString folder = args.size() >= 2 ? args[1] : QDir::tempPath();
    QDir().mkpath(folder);

    IslandKit::QtScheduler scheduler;
    ChecklistKit::ChecklistModel checklist(std::make_shared<ChecklistKit::InMemoryChecklistStore>(), scheduler, 0.4);
    ChecklistUIState ui(1.0, scheduler);
    ui.resetHold().setOnComplete([&] { checklist.resetActive(); });
    ChecklistEditorModel editor(scheduler);
    Base::Uuid stop;
    Base::Uuid trend;
    populate(checklist, stop, trend);

    Desktop desktop;
    desktop.setGeometry(QGuiApplication::primaryScreen()->geometry());
    desktop.show();
    check(QTest::qWaitForWindowExposed(&desktop), "the desktop is on screen");

    checkTab(folder, checklist, ui, scheduler, stop, trend);
    // The editor's screenshot shows the checklist as the user left it in the tab.
    checklist.toggle(stop);
    checklist.setChoice("Above", trend);
    checkEditor(folder, checklist, editor, scheduler, trend);

    std::printf("%s\n", failures == 0 ? "all checks passed" : "some checks failed");
    return failures == 0 ? 0 : 1;
}
