// Shows the checklist tab and the checklist editor in real windows on an X
// server, works them with xdotool as a user would (clicks, a real hold,
// typing), checks what changed and takes the screenshots.
// Usage: ChecklistScreens <screenshot folder>

#include <memory>

#include <QLinearGradient>
#include <QScreen>
#include <QTest>

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
#include "WaylarkKit/TextField/Qt/EditableText.h"
#include "WaylarkKit/Checklist/Qt/HoldToResetButton.h"
#include "WaylarkKit/tests/xvfb/support/XvfbDriving.h"

using namespace WaylarkKit;
using namespace WaylarkKit::Xvfb;

namespace {

struct Items {
    Base::Uuid stop;
    Base::Uuid trend;
};

Items populate(ChecklistKit::ChecklistModel& checklist) {
    const Base::Uuid scalping = *checklist.createTemplate("Scalping the London open");
    checklist.addItem(scalping, "Asian range marked");
    checklist.addItem(scalping, "First pullback after the open");
    const Base::Uuid main = *checklist.createTemplate("Pre-trade");
    const Items items{*checklist.addItem(main, "Stop placed beyond the last swing"),
                      *checklist.addItem(main, "Trend on the 15-minute chart")};
    checklist.setOptions({"Above", "Below", "Sideways"}, items.trend, main);
    checklist.addItem(main, "No red news in the next 30 minutes");
    checklist.addItem(main, "Lot size from the calculator");
    return items;
}

void checkTab(const QString& folder, ChecklistKit::ChecklistModel& checklist, ChecklistUIState& ui,
              Base::Scheduler& scheduler, const Items& items) {
    // The black panel of the expanded island that the tab sits in.
    constexpr int inset = 16;
    Painted panel(slab(20, true), Qt::WindowStaysOnTopHint, true);
    const QSize size(ChecklistTabView::standardWidth + 2 * inset, ChecklistTabView::standardHeight + 2 * inset);
    panel.setGeometry(QGuiApplication::primaryScreen()->geometry().center().x() - size.width() / 2, 0, size.width(),
                      size.height());
    ChecklistTabView tab(checklist, ui, scheduler, &panel);
    tab.setGeometry(inset, inset, ChecklistTabView::standardWidth, ChecklistTabView::standardHeight);
    panel.show();
    check(QTest::qWaitForWindowExposed(&panel), "the panel is on screen");

    auto part = [&](const Base::Uuid& id) { return *tab.items().parts(id); };
    check(click(centre(tab.items(), part(items.stop).text), [&] { return checklist.isChecked(items.stop); }),
          "a click on a row's text ticks it");
    check(click(centre(tab.items(), part(items.trend).pill), [&] { return ui.openChoiceItemID() == items.trend; }),
          "a click on the pill opens the option picker");
    check(click(centre(tab.items(), part(items.trend).chips.at(0)),
                [&] { return checklist.choice(items.trend) == "Above"; }),
          "a click on a chip records the choice");
    check(!ui.openChoiceItemID(), "and closes the picker");
    check(click(centre(tab.items(), part(items.trend).pill), [&] { return ui.openChoiceItemID() == items.trend; }),
          "the picker opens again");

    const QRect area = panel.geometry().adjusted(-24, 0, 24, 24);
    const QImage shot = grab(area);
    shot.save(folder + "/tab-checklist.png");
    const QRectF boxRect = part(items.stop).box;
    const QPoint box = tab.items().mapTo(&panel, QPoint(static_cast<int>(boxRect.left()) + 2,
                                                          static_cast<int>(boxRect.center().y()))) +
                       panel.pos() - area.topLeft();
    check(near(shot.pixelColor(box), QColor::fromRgbF(0.25f, 0.92f, 0.45f), 20), "the ticked box is green on screen");

    // A real press held past the hold's second clears the ticks; a short one does not.
    const QPoint hold = centre(tab.resetButton(), tab.resetButton().rect());
    xdotool({"mousemove", QString::number(hold.x()), QString::number(hold.y())});
    xdotool({"mousedown", "1"});
    check(waitFor([&] { return ui.resetHold().isHolding(); }, 2000), "a press starts the hold");
    xdotool({"mouseup", "1"});
    check(waitFor([&] { return !ui.resetHold().isHolding(); }, 2000), "releasing ends it");
    check(checklist.isChecked(items.stop) && ui.resetHold().progress() == 0, "an early release keeps the ticks");
    xdotool({"mousedown", "1"});
    check(waitFor([&] { return !checklist.isChecked(items.stop); }, 2500), "holding for a second clears the checklist");
    xdotool({"mouseup", "1"});
}

void checkEditor(const QString& folder, ChecklistKit::ChecklistModel& checklist, ChecklistEditorModel& editor,
                 Base::Scheduler& scheduler, const Base::Uuid& trend) {
    ChecklistEditorView* view = nullptr;
    IslandKit::X11KeyboardHandover keyboard;
    std::unique_ptr<IslandKit::OverlayWindowController> overlay;
    overlay = std::make_unique<IslandKit::OverlayWindowController>(
        [&](QWidget* parent) {
            view = new ChecklistEditorView(checklist, editor, scheduler, parent);
            view->setOnDone([&] { overlay->dismiss(); });
            return view;
        },
        IslandKit::Size{640, 400}, scheduler, keyboard);
    overlay->present(QGuiApplication::primaryScreen());
    check(view != nullptr && waitFor([&] { return overlay->rootView()->fade() == 1; }, 2000),
          "the editor shows in the card");
    if (view == nullptr) return;

    check(click(centre(*view, view->addItemRect()),
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
        check(click(centre(*row, row->choiceButtonRect()), [&] { return editor.choiceEditorItemID() == trend; }),
              "the dropdown button opens the option editor");
    }

    const QRect card = overlay->rootView()->cardRect().translated(overlay->rootView()->mapToGlobal(QPoint(0, 0)));
    const QImage shot = grab(card.adjusted(-32, -32, 32, 32));
    shot.save(folder + "/editor-checklist.png");
    check(shot.pixelColor(32 + 8, 32 + card.height() / 2).lightness() < 30, "the card is dark");

    check(click(centre(*view, view->doneRect()), [&] { return !overlay->isPresented(); }),
          "\"Done\" dismisses the card");
    waitFor([&] { return overlay->panel() == nullptr; }, 2000);
}

}  // namespace

int main(int argc, char** argv) {
    Driver driver(argc, argv);
    IslandKit::QtScheduler scheduler;
    ChecklistKit::ChecklistModel checklist(std::make_shared<ChecklistKit::InMemoryChecklistStore>(), scheduler, 0.4);
    ChecklistUIState ui(1.0, scheduler);
    ui.resetHold().setOnComplete([&] { checklist.resetActive(); });
    ChecklistEditorModel editor(scheduler);
    const Items items = populate(checklist);

    // A plain desktop under the windows, so the screenshots show the panel's edge.
    Painted desktop([](QPainter& painter, const QRect& area) {
        QLinearGradient sky(0, 0, 0, area.height());
        sky.setColorAt(0, QColor(38, 70, 104));
        sky.setColorAt(1, QColor(22, 40, 62));
        painter.fillRect(area, sky);
    });
    desktop.cover();
    check(QTest::qWaitForWindowExposed(&desktop), "the desktop is on screen");

    checkTab(driver.folder, checklist, ui, scheduler, items);
    // The editor's screenshot shows the checklist as the user left it in the tab.
    checklist.toggle(items.stop);
    checklist.setChoice("Above", items.trend);
    checkEditor(driver.folder, checklist, editor, scheduler, items.trend);
    return finish();
}
