#include <gtest/gtest.h>

#include "WaylarkKit/Settings/Qt/TimingCustomsPage.h"
#include "WaylarkKit/Settings/Qt/TimingEditorView.h"
#include "WaylarkKit/Settings/Qt/TimingMacrosPage.h"
#include "WaylarkKit/Settings/Qt/TimingProfilePage.h"
#include "WaylarkKit/tests/Settings/Qt/EditorViewFixture.h"

using namespace WaylarkKit;
using Section = TimingEditorModel::Section;
using TradingCore::WallClockTime;

namespace {

const char* const windowHint = "Use HH:MM, like 09:30 (New York time).";

class TimingEditorViewTest : public SettingsKitTesting::EditorViewFixture<TimingEditorView> {
protected:
    // The card of 640 x 400 less its margins.
    void open() { show(600, 360, *model, editor, scheduler, [this] { ++dones; }); }
    // Puts the caret in `field` as a click would, at `caret`.
    void focus(EditableText* field, int caret) {
        field->setFocus(Qt::MouseFocusReason);
        field->setCursorPosition(caret);
    }
    WindowRow* windowRow(std::size_t i) const { return view->profilePage()->rows().at(i); }
    WallClockTime storedStart(std::size_t i) const { return settings().activeProfile().windows.at(i).start; }

    TimingEditorModel editor{scheduler};
};

TEST_F(TimingEditorViewTest, PagesLookAsTheirReferences) {
    start(SettingsKitTesting::withOneInterval());
    model->addCustomInterval();
    model->setLunchMacroEnabled(false);
    open();
    const auto looksAs = [&](const char* name) {
        settle();  // lays out what the last click changed
        return WaylarkKitTest::matchesGolden(WaylarkKitTest::render(*view), name);
    };
    EXPECT_TRUE(looksAs("settings-timing-profile"));
    click(view->customsRow());
    editor.commitCustom("9:3", true, SettingsKitTesting::knownID, *model);  // a draft shows red with its message
    EXPECT_TRUE(looksAs("settings-timing-customs"));
    click(view->macrosRow());
    EXPECT_TRUE(looksAs("settings-timing-macros"));
}

// Every keystroke commits, and an accepted time is not rewritten under the
// caret: "7:00" stays as typed while the field has the focus.
TEST_F(TimingEditorViewTest, TypingATimeKeepsTheTextAndTheCaret) {
    open();
    EditableText* field = windowRow(0)->startField()->field();
    focus(field, 0);
    QTest::keyClick(field, Qt::Key_Delete);  // "07:00" -> "7:00", the same time
    EXPECT_EQ(field->text(), "7:00");
    EXPECT_EQ(field->cursorPosition(), 0);

    QTest::keyClick(field, Qt::Key_End);
    QTest::keyClick(field, Qt::Key_Backspace);
    QTest::keyClick(field, Qt::Key_Backspace);
    EXPECT_EQ(field->text(), "7:");
    EXPECT_EQ(view->profilePage()->message()->text(), windowHint);
    QTest::keyClicks(field, "45");
    EXPECT_EQ(field->text(), "7:45");
    EXPECT_EQ(field->cursorPosition(), 4);
    EXPECT_EQ(storedStart(0), WallClockTime(7, 45));
    EXPECT_EQ(view->profilePage()->message()->text(), " ");

    // Leaving the field shows the stored form.
    windowRow(1)->nameField()->setFocus(Qt::TabFocusReason);
    EXPECT_EQ(field->text(), "07:45");
}

TEST_F(TimingEditorViewTest, AnInvalidOrRefusedTimeShowsWhyAndCommitsNothing) {
    open();
    const std::size_t saves = savesAfterDelay();
    TimeField* end = windowRow(0)->endField();
    focus(end->field(), 0);
    end->field()->selectAll();
    QTest::keyClicks(end->field(), "24:00");
    EXPECT_EQ(end->field()->text(), "24:00");
    EXPECT_EQ(view->profilePage()->message()->text(), windowHint);
    EXPECT_NE(end->fill(), windowRow(1)->endField()->fill());  // red while it holds a draft
    EXPECT_EQ(settings().activeProfile().windows, TradingCore::SessionProfile::newYork().windows);
    EXPECT_EQ(savesAfterDelay(), saves);

    windowRow(1)->nameField()->setFocus(Qt::TabFocusReason);
    EXPECT_EQ(end->field()->text(), "09:30");
    EXPECT_EQ(view->profilePage()->message()->text(), " ");
}

// The request that a new row's name take the focus is spent once taken: the
// card builds its editor anew on every presentation, and a spent request
// must not pull the focus into that row again.
TEST_F(TimingEditorViewTest, ANewWindowTakesTheFocusOnce) {
    open();
    click(view->profilePage()->addButton());
    settle();
    ASSERT_EQ(view->profilePage()->rows().size(), 3u);
    EXPECT_TRUE(windowRow(2)->nameField()->hasFocus());
    EXPECT_EQ(editor.focusWindowKey(), std::nullopt);

    view.reset();
    open();
    EXPECT_FALSE(windowRow(2)->nameField()->autofocusPending());
    EXPECT_FALSE(windowRow(2)->nameField()->hasFocus());
}

TEST_F(TimingEditorViewTest, SwitchingPagesKeepsWhatWasCommitted) {
    open();
    EditableText* start = windowRow(0)->startField()->field();
    focus(start, 0);
    start->selectAll();
    QTest::keyClicks(start, "6:30");
    QTest::keyClick(windowRow(1)->endField()->field(), Qt::Key_A);  // a half-typed time in another field
    windowRow(1)->endField()->field()->setFocus();
    windowRow(1)->endField()->field()->selectAll();
    QTest::keyClicks(windowRow(1)->endField()->field(), "1");

    click(view->customsRow());
    EXPECT_TRUE(editor.drafts().empty());
    click(view->customsPage()->addButton());
    settle();
    ASSERT_EQ(view->customsPage()->rows().size(), 1u);
    CustomRow* custom = view->customsPage()->rows()[0];
    EXPECT_TRUE(custom->nameField()->hasFocus());
    QTest::keyClicks(custom->nameField(), "NY open");
    click(custom->swatch(TradingCore::IntervalColor::pink));
    click(custom->weekday(TradingCore::Weekday::saturday));

    click(view->macrosRow());
    click(view->macrosPage()->row(1));
    EXPECT_FALSE(model->lunchMacroEnabled());

    click(view->profileRow(0));
    EXPECT_EQ(view->currentPage(), view->profilePage());
    EXPECT_EQ(windowRow(0)->startField()->field()->text(), "06:30");
    EXPECT_EQ(windowRow(1)->endField()->field()->text(), "11:00");
    click(view->customsRow());
    EXPECT_EQ(custom->nameField()->text(), "NY open");  // the new name was selected, so typing replaced it
    EXPECT_EQ(settings().customIntervals[0].name, "NY open");
    EXPECT_EQ(settings().customIntervals[0].color, TradingCore::IntervalColor::pink);
    EXPECT_TRUE(settings().customIntervals[0].weekdays.contains(TradingCore::Weekday::saturday));
}

// Rows and their fields stay by place: another profile's windows, or the
// window after a removed one, show in the same fields, often with the same
// text. An undo there never writes what was typed for the window shown before.
TEST_F(TimingEditorViewTest, AnUndoKeepsToTheWindowItWasTypedFor) {
    open();
    const auto undo = [](EditableText* field) { QTest::keyClick(field, Qt::Key_Z, Qt::ControlModifier); };
    const auto windows = [&] { return settings().activeProfile().windows; };
    EditableText* name = windowRow(0)->nameField();
    EditableText* start = windowRow(0)->startField()->field();
    focus(name, 0);
    name->selectAll();
    QTest::keyClicks(name, "London");
    click(view->profileRow(1));
    ASSERT_EQ(settings().activeProfileName, "London");
    ASSERT_EQ(name->text(), "London");
    undo(name);
    EXPECT_EQ(windows().at(0).name, "London");

    click(view->profileRow(0));
    focus(start, 0);
    start->selectAll();
    QTest::keyClicks(start, "02:00");
    click(view->profileRow(1));
    ASSERT_EQ(start->text(), "02:00");
    undo(start);
    EXPECT_EQ(storedStart(0), WallClockTime(2, 0));

    // Two windows of one name; the first goes, and its row shows the second.
    // A click on the remove button takes the keyboard, so the click back is a new visit.
    click(view->profileRow(0));
    model->renameWindow("NY", 1, "\u0218tefan \u20AC");
    focus(name, 0);
    name->selectAll();
    for (const QString& character : QString::fromUtf8("\u0218tefan \u20AC").split(QString(), Qt::SkipEmptyParts)) {
        QTest::sendKeyEvent(QTest::Click, name, Qt::Key_unknown, character, Qt::NoModifier);
    }
    click(windowRow(0)->remove());
    ASSERT_EQ(windows().size(), 1u);
    click(name);
    undo(name);
    EXPECT_EQ(windows().at(0).name, "\u0218tefan \u20AC");
    EXPECT_EQ(windows().at(0).start, WallClockTime(9, 30));
}

// The restore's arming and its labels are shown by the news rule editor's test.
TEST_F(TimingEditorViewTest, TheSidebarSwitchesProfilesAndTheRestoreTakesTwoClicks) {
    open();
    click(view->profileRow(1));
    EXPECT_EQ(settings().activeProfileName, "London");
    click(windowRow(0)->remove());
    EXPECT_TRUE(settings().activeProfile().windows.empty());
    click(view->profilePage()->restoreButton());
    click(view->profilePage()->restoreButton());
    EXPECT_EQ(settings().activeProfile(), TradingCore::SessionProfile::london());
    EXPECT_EQ(view->footnote(), "The selected profile is the one the island follows.");
}

}  // namespace
