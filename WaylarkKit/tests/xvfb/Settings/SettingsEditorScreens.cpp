// Shows each settings editor in a real overlay card on an X server with a
// compositor, clicks and types into it with xdotool, checks what reached the
// settings and takes the screenshots of docs/screenshots.
// Usage: SettingsEditorScreens <screenshot folder>

#include <cmath>
#include <memory>

#include <QLinearGradient>
#include <QScreen>

#include "IslandKit/Overlay/OverlayRootView.h"
#include "IslandKit/Overlay/OverlayWindowController.h"
#include "IslandKit/Window/QtScheduler.h"
#include "SettingsKit/InMemorySettingsStore.h"
#include "SettingsKit/SettingsModel.h"
#include "WaylarkKit/TextField/Qt/EditableText.h"
#include "WaylarkKit/Motion/DesktopMotionSetting.h"
#include "WaylarkKit/Settings/NewsRulesEditorModel.h"
#include "WaylarkKit/Settings/Qt/EditorCard.h"
#include "WaylarkKit/Settings/Qt/GreetingEditorView.h"
#include "WaylarkKit/Settings/Qt/NewsRulesEditorView.h"
#include "WaylarkKit/Settings/Qt/TimingEditorView.h"
#include "WaylarkKit/Settings/Qt/TimingProfilePage.h"
#include "WaylarkKit/Settings/TimingEditorModel.h"
#include "WaylarkKit/tests/xvfb/support/XvfbDriving.h"

using namespace WaylarkKit;
using namespace WaylarkKit::Xvfb;

namespace {

void clickOn(const QWidget* widget) { click(widget->mapToGlobal(widget->rect().center())); }

// A settings editor's card as the program shows it: opened afresh, in a real
// overlay window, and closed with the card's own closing.
struct CardWindow {
    CardWindow(EditorCard made, Base::Scheduler& scheduler)
        : card(std::move(made)),
          controller([this](QWidget* parent) { return card.content(parent, [this] { controller.dismiss(); }); },
                     card.size, scheduler, keyboard) {
        controller.onVisibilityChange = [this](bool visible) {
            if (!visible && card.closing) card.closing();
        };
    }
    EditorCard card;
    IslandKit::X11KeyboardHandover keyboard;
    IslandKit::OverlayWindowController controller;
};

// Presents the card and returns its editor, or null with a failed check.
template <class View>
View* present(CardWindow& window, const std::string& what) {
    if (window.card.opening) window.card.opening();
    window.controller.present(QGuiApplication::primaryScreen());
    wait(600);
    auto* root = window.controller.rootView();
    auto* view = root ? dynamic_cast<View*>(root->contentView()) : nullptr;
    check(view != nullptr, "the " + what + " editor is in its card");
    return view;
}

// The screenshot at `path`, checked for the dark card `height` points tall
// and `width` wide in the middle of the screen: near black `above` its bottom.
void shoot(const QString& path, int width, int height, int above, const std::string& what) {
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    const QPoint corner((screen.width() - width) / 2 + 12, (screen.height() - height) / 2 + height - 1 - above);
    const QImage shot = screenshot(path);
    check(!shot.isNull() && near(shot.pixelColor(corner), Qt::black, 29), "the " + what + " card is on screen");
}

}  // namespace

int main(int argc, char** argv) {
    Driver driver(argc, argv);
    // A desktop to blur behind the cards: a dark blue wash and a strip of candles.
    Painted desktop([](QPainter& painter, const QRect& area) {
        QLinearGradient wash(0, 0, area.width(), area.height());
        wash.setColorAt(0, QColor(22, 46, 78));
        wash.setColorAt(1, QColor(58, 28, 72));
        painter.fillRect(area, wash);
        for (int i = 0; i < 48; ++i) {
            const int x = 140 + i * 26;
            const int mid = 520 + static_cast<int>(120 * std::sin(i * 0.33));
            painter.fillRect(x + 6, mid - 60, 2, 120, QColor(220, 220, 220));
            painter.fillRect(x, mid - 34, 14, 68, i % 3 != 0 ? QColor(52, 211, 153) : QColor(239, 68, 68));
        }
    });
    desktop.cover();
    wait(800);

    IslandKit::QtScheduler scheduler;
    auto store = std::make_shared<SettingsKit::InMemorySettingsStore>();
    SettingsKit::SettingsModel settings(store, scheduler, 0.4);

    // Timing editor: a real click adds a window whose name takes the keyboard.
    TimingEditorModel timingEditor(scheduler);
    CardWindow timing(EditorCard::timing(settings, timingEditor, scheduler), scheduler);
    if (auto* view = present<TimingEditorView>(timing, "timing")) {
        clickOn(view->profilePage()->addButton());
        const auto& rows = view->profilePage()->rows();
        check(waitFor([&] { return rows.size() == 3 && rows[2]->nameField()->hasFocus(); }, 2000),
              "Add window adds a row whose name field takes the focus");
        type("Lunch");
        check(settings.activeProfile().windows.back().name == "Lunch", "the typed name is stored at once");
        clickOn(rows[0]->endField()->field());
        xdotool({"key", "ctrl+a"});
        type("9:15");
        check(settings.activeProfile().windows[0].end == TradingCore::WallClockTime(9, 15),
              "a typed end is stored on its last keystroke");
        check(rows[0]->endField()->field()->text() == "9:15", "and stays as typed while the field has the focus");
        shoot(driver.folder + "/editor-timing.png", 640, 400, 40, "timing");
        clickOn(view->profilePage()->doneButton());
        check(waitFor([&] { return !timing.controller.isPresented() && timing.controller.panel() == nullptr; }, 2000),
              "Done closes the card");
        const auto saved = store->load();
        check(saved && saved->profiles[0].windows.size() == 3, "closing saved the settings at once");
    }

    // News-blackout rule editor.
    NewsRulesEditorModel newsEditor(scheduler);
    CardWindow news(EditorCard::newsRule(settings, newsEditor), scheduler);
    if (auto* view = present<NewsRulesEditorView>(news, "news-rule")) {
        clickOn(view->mediumChip());
        clickOn(view->currencyChip("EUR"));
        clickOn(view->stepButton(true, true));
        const auto rule = settings.newsRule();
        check(rule.impacts.contains(TradingCore::NewsImpact::medium) && rule.currencies.contains("EUR") &&
                  rule.afterSeconds == 360,
              "clicks on a chip, a currency and a stepper reach the rule");
        shoot(driver.folder + "/editor-news-rule.png", 640, 400, 60, "news-rule");
        clickOn(view->doneButton());
        waitFor([&] { return news.controller.panel() == nullptr; }, 2000);
    }

    // Greeting editor: the left text has the keyboard when the card appears.
    int tries = 0;
    CardWindow greeting(
        EditorCard::greeting(settings, scheduler, [&] { ++tries; }, DesktopMotionSetting::readNow().flag()), scheduler);
    if (auto* view = present<GreetingEditorView>(greeting, "greeting")) {
        check(waitFor([&] { return view->leadingField()->hasFocus(); }, 2000), "Left text takes the focus");
        type("Good morning");
        check(settings.greeting().leading == "Good morning", "typing replaces the selected left text");
        clickOn(view->tryButton());
        check(tries == 1 && view->previewBar()->isPlaying(), "Try it plays the greeting, here and in the island");
        wait(1200);
        shoot(driver.folder + "/editor-greeting.png", 520, 420, 60, "greeting");
        check(waitFor([&] { return !view->previewBar()->isPlaying(); }, 6000), "and stops after five seconds");
        clickOn(view->doneButton());
        waitFor([&] { return greeting.controller.panel() == nullptr; }, 2000);
    }
    return finish();
}
