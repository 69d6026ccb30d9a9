#include <gtest/gtest.h>

#include "WaylarkKit/TextField/Qt/EditableText.h"
#include "WaylarkKit/Greeting/Qt/GreetingWordView.h"
#include "WaylarkKit/Settings/Qt/EditorWidgets.h"
#include "WaylarkKit/Settings/Qt/GreetingEditorView.h"
#include "WaylarkKit/tests/Settings/Qt/EditorViewFixture.h"

using namespace WaylarkKit;

namespace {

class GreetingEditorViewTest : public SettingsKitTesting::EditorViewFixture<GreetingEditorView> {
protected:
    // The card of 520 x 420 less its margins.
    void open() {
        show(480, 380, *model, scheduler, [this] { ++tries; }, [this] { ++dones; }, nullptr, fixedReduceMotion(false));
    }
    void type(EditableText* field, const QString& text) {
        QTest::sendKeyEvent(QTest::Click, field, Qt::Key_unknown, text, Qt::NoModifier);
    }

    int tries = 0;
};

TEST_F(GreetingEditorViewTest, LooksAsItsReferenceOnAndOff) {
    open();
    EXPECT_TRUE(view->leadingField()->hasFocus());
    EXPECT_FALSE(view->nameField()->hasFocus());
    EXPECT_TRUE(WaylarkKitTest::matchesGolden(WaylarkKitTest::render(*view), "settings-greeting"));

    // Off, with a name too long for its half of the bar: one line, cut to fit.
    model->setGreetingEnabled(false);
    model->setGreetingName("WWWWWWWWWWWWWWWWWWWW");
    QCoreApplication::processEvents();  // lays out the wider counter
    EXPECT_TRUE(WaylarkKitTest::matchesGolden(WaylarkKitTest::render(*view), "settings-greeting-off"));
}

TEST_F(GreetingEditorViewTest, TheWholeSwitchRowToggles) {
    open();
    click(view->switchRow(), {view->switchRow()->width() - 2, view->switchRow()->height() / 2});
    EXPECT_FALSE(model->greeting().isEnabled);
    EXPECT_DOUBLE_EQ(view->previewBar()->greeting().barOpacity(), 0.35);
    click(view->switchRow(), {2, view->switchRow()->height() / 2});
    EXPECT_TRUE(model->greeting().isEnabled);
}

// Characters are counted as the user sees them: an emoji with its skin tone
// is one, and the twenty-first is dropped from the field at once.
TEST_F(GreetingEditorViewTest, TypingStopsAtTwentyCharacters) {
    open();
    EditableText* field = view->nameField();
    field->setFocus();
    field->selectAll();
    const QString thumb = QString::fromUtf8("\U0001F44D\U0001F3FD");
    for (int i = 0; i < 19; ++i) type(field, thumb);
    type(field, "e\u0301");
    EXPECT_NEAR(view->nameCounter()->colour().alphaF(), 0.8, 0.01);
    type(field, "!");
    EXPECT_EQ(field->text(), thumb.repeated(19) + QString::fromUtf8("e\u0301"));
    EXPECT_EQ(model->greeting().name, (thumb.repeated(19) + QString::fromUtf8("e\u0301")).toStdString());
    EXPECT_EQ(view->nameCounter()->text(), "20/20");
}

// Each visit to the name is undone on its own: what was typed before Tab
// stays once the field is left and clicked again.
TEST_F(GreetingEditorViewTest, AnUndoTakesBackOnlyTheVisitUnderWay) {
    model->setGreetingName("\u0218tefan");
    open();
    EditableText* name = view->nameField();
    QTest::mouseClick(name, Qt::LeftButton, {}, {name->width() - 2, name->height() / 2});
    ASSERT_TRUE(name->hasFocus());
    QTest::keyClick(name, Qt::Key_End);
    for (const char* character : {"\u0103", "b", "\u00E7"}) type(name, QString::fromUtf8(character));
    QTest::keyClick(name, Qt::Key_Tab);
    ASSERT_FALSE(name->hasFocus());
    QTest::mouseClick(name, Qt::LeftButton, {}, {2, name->height() / 2});
    QTest::keyClick(name, Qt::Key_End);
    type(name, "X");
    QTest::keyClick(name, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(model->greeting().name, "\u0218tefan\u0103b\u00E7");
    QTest::keyClick(name, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(model->greeting().name, "\u0218tefan\u0103b\u00E7");
}

TEST_F(GreetingEditorViewTest, RestoreAndDone) {
    model->setGreetingLeading("Hi");
    model->setGreetingEnabled(false);
    open();
    click(view->restoreButton());
    EXPECT_EQ(model->greeting(), SettingsKit::GreetingSettings{});
    EXPECT_EQ(view->leadingField()->text(), "Welcome");
    click(view->doneButton());
    EXPECT_EQ(dones, 1);
}

// "Try it" plays the greeting in the island and its real words in the
// preview, also while the greeting is switched off, for the greeting's length.
TEST_F(GreetingEditorViewTest, TryItPlaysTheRealGreetingInThePreview) {
    model->setGreetingEnabled(false);
    model->setGreetingName("");
    open();
    click(view->tryButton());
    EXPECT_EQ(tries, 1);
    GreetingPreviewBar* bar = view->previewBar();
    ASSERT_TRUE(bar->isPlaying());
    ASSERT_NE(bar->word(true), nullptr);
    EXPECT_EQ(bar->word(false), nullptr);  // an empty name plays nothing
    EXPECT_TRUE(bar->word(true)->isAnimating());
    scheduler.advance(1.5);
    EXPECT_TRUE(WaylarkKitTest::matchesGolden(WaylarkKitTest::render(*bar), "settings-greeting-playing"));
    scheduler.advance(3.6);
    EXPECT_FALSE(bar->isPlaying());
    EXPECT_EQ(bar->word(true), nullptr);
}

}  // namespace
