// Shows each settings editor in a real overlay card on an X server with a
// compositor, clicks and types into it with xdotool, checks what reached the
// settings and takes the screenshots of docs/screenshots.
// Usage: SettingsEditorScreens <screenshot folder>

#include <cstdio>
#include <functional>
#include <memory>
#include <string>

#include <QApplication>
#include <QDir>
#include <QEventLoop>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QProcess>
#include <QScreen>
#include <QTimer>

#include "IslandKit/Overlay/OverlayRootView.h"
#include "IslandKit/Window/QtScheduler.h"
#include "SettingsKit/InMemorySettingsStore.h"
#include "SettingsKit/SettingsModel.h"
#include "WaylarkKit/Checklist/Qt/EditableText.h"
#include "WaylarkKit/Settings/NewsRulesEditorModel.h"
#include "WaylarkKit/Settings/Qt/EditorCard.h"
#include "WaylarkKit/Settings/Qt/GreetingEditorView.h"
#include "WaylarkKit/Settings/Qt/NewsRulesEditorView.h"
#include "WaylarkKit/Settings/Qt/TimingEditorView.h"
#include "WaylarkKit/Settings/Qt/TimingProfilePage.h"
#include "WaylarkKit/Settings/TimingEditorModel.h"
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

void run(const QString& program, const QStringList& arguments) {
    if (QProcess::execute(program, arguments) != 0) check(false, (program + " " + arguments.join(' ')).toStdString());
}

void clickOn(const QWidget* widget) {
    const QPoint at = widget->mapToGlobal(widget->rect().center());
    run("xdotool", {"mousemove", QString::number(at.x()), QString::number(at.y())});
    wait(150);
    run("xdotool", {"click", "1"});
    wait(250);
}

void type(const QString& text) {
    run("xdotool", {"type", "--delay", "40", text});
    wait(200);
}

QImage screenshot(const QString& path) {
    wait(300);
    run("import", {"-window", "root", path});
    return QImage(path).convertToFormat(QImage::Format_RGB32);
}

bool nearBlack(const QImage& image, QPoint at) {
    const QColor c = image.pixelColor(at);
    return c.red() < 30 && c.green() < 30 && c.blue() < 30;
}

// A desktop to blur behind the cards: a dark blue wash and a strip of candles.
class Desktop final : public QWidget {
public:
    Desktop() : QWidget(nullptr, Qt::FramelessWindowHint) {}

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        QLinearGradient wash(0, 0, width(), height());
        wash.setColorAt(0, QColor(22, 46, 78));
        wash.setColorAt(1, QColor(58, 28, 72));
        painter.fillRect(rect(), wash);
        for (int i = 0; i < 48; ++i) {
            const int x = 140 + i * 26;
            const int mid = 520 + static_cast<int>(120 * std::sin(i * 0.33));
            const bool up = i % 3 != 0;
            painter.fillRect(x + 6, mid - 60, 2, 120, QColor(220, 220, 220));
            painter.fillRect(x, mid - 34, 14, 68, up ? QColor(52, 211, 153) : QColor(239, 68, 68));
        }
    }
};

template <class View>
View* contentOf(EditorCard& card) {
    auto* root = card.controller().rootView();
    return root ? dynamic_cast<View*>(root->contentView()) : nullptr;
}

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "xcb");
    QApplication app(argc, argv);
    loadFonts();
    const QStringList args = app.arguments();
    const QString folder = args.size() >= 2 ? args[1] : QDir::tempPath();
    QDir().mkpath(folder);
    QScreen* screen = QGuiApplication::primaryScreen();

    Desktop desktop;
    desktop.setGeometry(screen->geometry());
    desktop.show();
    wait(800);

    IslandKit::QtScheduler scheduler;
    auto store = std::make_shared<SettingsKit::InMemorySettingsStore>();
    SettingsKit::SettingsModel settings(store, scheduler, 0.4);
    const QRect card((screen->geometry().width() - 640) / 2, (screen->geometry().height() - 400) / 2, 640, 400);

    // Timing editor: a real click adds a window whose name takes the keyboard.
    TimingEditorModel timingEditor(scheduler);
    auto timing = EditorCard::timing(settings, timingEditor, scheduler);
    timing->present(screen);
    wait(600);
    auto* timingView = contentOf<TimingEditorView>(*timing);
    check(timingView != nullptr, "the timing editor is in its card");
    if (timingView) {
        clickOn(timingView->profilePage()->addButton());
        const auto& rows = timingView->profilePage()->rows();
        check(waitFor([&] { return rows.size() == 3 && rows[2]->nameField()->hasFocus(); }, 2000),
              "Add window adds a row whose name field takes the focus");
        type("Lunch");
        check(settings.activeProfile().windows.back().name == "Lunch", "the typed name is stored at once");
        clickOn(rows[0]->endField()->field());
        run("xdotool", {"key", "ctrl+a"});
        type("9:15");
        check(settings.activeProfile().windows[0].end == TradingCore::WallClockTime(9, 15),
              "a typed end is stored on its last keystroke");
        check(rows[0]->endField()->field()->text() == "9:15", "and stays as typed while the field has the focus");
        const QImage shot = screenshot(folder + "/editor-timing.png");
        check(!shot.isNull() && nearBlack(shot, card.bottomLeft() + QPoint(12, -40)), "the timing card is on screen");
        clickOn(timingView->profilePage()->doneButton());
        check(waitFor([&] { return !timing->isPresented() && timing->controller().panel() == nullptr; }, 2000),
              "Done closes the card");
        const auto saved = store->load();
        check(saved && saved->profiles[0].windows.size() == 3, "closing saved the settings at once");
    }

    // News-blackout rule editor.
    NewsRulesEditorModel newsEditor(scheduler);
    auto news = EditorCard::newsRule(settings, newsEditor, scheduler);
    news->present(screen);
    wait(600);
    auto* newsView = contentOf<NewsRulesEditorView>(*news);
    check(newsView != nullptr, "the news-rule editor is in its card");
    if (newsView) {
        clickOn(newsView->mediumChip());
        clickOn(newsView->currencyChip("EUR"));
        clickOn(newsView->stepButton(true, true));
        const auto rule = settings.newsRule();
        check(rule.impacts.contains(TradingCore::NewsImpact::medium) && rule.currencies.contains("EUR") &&
                  rule.afterSeconds == 360,
              "clicks on a chip, a currency and a stepper reach the rule");
        const QImage shot = screenshot(folder + "/editor-news-rule.png");
        check(!shot.isNull() && nearBlack(shot, card.bottomLeft() + QPoint(12, -60)), "the news-rule card is on screen");
        clickOn(newsView->doneButton());
        waitFor([&] { return news->controller().panel() == nullptr; }, 2000);
    }

    // Greeting editor: the left text has the keyboard when the card appears.
    int tries = 0;
    auto greeting = EditorCard::greeting(settings, scheduler, [&] { ++tries; });
    greeting->present(screen);
    wait(600);
    auto* greetingView = contentOf<GreetingEditorView>(*greeting);
    check(greetingView != nullptr, "the greeting editor is in its card");
    if (greetingView) {
        check(waitFor([&] { return greetingView->leadingField()->hasFocus(); }, 2000), "Left text takes the focus");
        type("Good morning");
        check(settings.greeting().leading == "Good morning", "typing replaces the selected left text");
        clickOn(greetingView->tryButton());
        check(tries == 1 && greetingView->previewBar()->isPlaying(), "Try it plays the greeting, here and in the island");
        wait(1200);
        const QRect greetingCard((screen->geometry().width() - 520) / 2, (screen->geometry().height() - 420) / 2, 520,
                                 420);
        const QImage shot = screenshot(folder + "/editor-greeting.png");
        check(!shot.isNull() && nearBlack(shot, greetingCard.bottomLeft() + QPoint(12, -60)),
              "the greeting card is on screen");
        check(waitFor([&] { return !greetingView->previewBar()->isPlaying(); }, 6000), "and stops after five seconds");
        clickOn(greetingView->doneButton());
        waitFor([&] { return greeting->controller().panel() == nullptr; }, 2000);
    }

    std::printf("%d failure(s)\n", failures);
    return failures == 0 ? 0 : 1;
}
