#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QTest>

#include "WaylarkKit/Calculator/InstrumentEditorModel.h"
#include "WaylarkKit/Calculator/Qt/InstrumentEditorView.h"
#include "WaylarkKit/TextField/Qt/EditableText.h"
#include "WaylarkKit/tests/Calculator/CalculatorFixture.h"
#include "WaylarkKit/tests/support/WidgetTesting.h"

using namespace WaylarkKit;
using Field = InstrumentEditorModel::Field;
using Button = InstrumentEditorView::Button;

namespace {

class InstrumentEditorViewTest : public ::testing::Test, protected CalculatorTesting::SettingsFixture {
protected:
    void SetUp() override {
        view.resize(640, 380);
        view.show();
    }
    // Delivered to the widget under the point, as a real click would be.
    void clickAt(const QPointF& point) {
        QWidget* target = view.childAt(point.toPoint());
        if (target == nullptr) target = &view;
        QTest::mouseClick(target, Qt::LeftButton, {}, target->mapFrom(&view, point.toPoint()));
    }
    void click(Button button) { clickAt(view.buttonRect(button)->center()); }

    QApplication& application = WaylarkKitTest::app();
    InstrumentEditorModel editor{settings};
    int done = 0;
    InstrumentEditorView view{editor, scheduler, [this] { ++done; }};
};

}  // namespace

TEST_F(InstrumentEditorViewTest, Goldens) {
    editor.select("ES");
    editor.edit(Field::minSize, "2");
    EXPECT_TRUE(WaylarkKitTest::matchesGolden(WaylarkKitTest::render(view), "instrument-editor-library"));
    editor.addCustom();
    editor.edit(Field::perPoint, "2000000");
    editor.edit(Field::calibrationSize, "0.5");
    editor.edit(Field::calibrationPoints, "40");
    editor.edit(Field::calibrationProfit, "100");
    EXPECT_TRUE(WaylarkKitTest::matchesGolden(WaylarkKitTest::render(view), "instrument-editor-custom"));
}

TEST_F(InstrumentEditorViewTest, FieldsListAndButtonsCallTheModel) {
    clickAt(view.rowRect("MES")->center());
    EXPECT_EQ(calculator().instrumentID, "MES");
    EXPECT_FALSE(view.buttonRect(Button::reset));

    EditableText* perPoint = view.textField(Field::perPoint);
    perPoint->selectAll();
    QTest::keyClicks(perPoint, "7x");
    EXPECT_EQ(editor.message(), std::string(InstrumentEditorModel::notANumberMessage));
    EXPECT_EQ(editor.instrument().dollarsPerPoint, 7);
    ASSERT_TRUE(view.buttonRect(Button::reset));
    click(Button::reset);
    EXPECT_FALSE(editor.hasOverride());
    EXPECT_EQ(perPoint->text(), "5");

    // Out of range the calibration cannot be used; in range one click stores it.
    EditableText* size = view.textField(Field::calibrationSize);
    QTest::keyClicks(size, "0.001");
    QTest::keyClicks(view.textField(Field::calibrationPoints), "1");
    QTest::keyClicks(view.textField(Field::calibrationProfit), "2000");
    click(Button::calibrate);
    EXPECT_FALSE(editor.hasOverride());
    size->selectAll();
    QTest::keyClicks(size, "2");
    click(Button::calibrate);
    EXPECT_EQ(editor.instrument().dollarsPerPoint, 1000);
    EXPECT_EQ(size->text(), "");

    click(Button::done);
    EXPECT_EQ(done, 1);
}

TEST_F(InstrumentEditorViewTest, AddingFocusesTheNameUntilFiveThenDeleting) {
    click(Button::add);
    scheduler.runPending();
    EditableText* name = view.textField(Field::name);
    ASSERT_NE(name, nullptr);
    EXPECT_EQ(view.focusWidget(), name);
    EXPECT_EQ(name->selectedText(), "My index");
    QTest::keyClicks(name, "DAX");
    EXPECT_EQ(editor.instrument().name, "DAX");

    for (int i = 0; i < 5; ++i) click(Button::add);
    EXPECT_EQ(calculator().customInstruments.size(), 5u);
    click(Button::remove);
    EXPECT_EQ(calculator().customInstruments.size(), 4u);
    EXPECT_EQ(calculator().instrumentID, "NAS100");
    EXPECT_EQ(view.textField(Field::name), nullptr);
}

// A new instrument's name takes the keyboard once. Moving on from a name
// being typed (to a new instrument or another row) hides that focused field,
// and its end of editing must not leave a second name field behind.
TEST_F(InstrumentEditorViewTest, OneNameFieldAndTheFocusRequestIsSpent) {
    view.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&view));
    const auto visibleNames = [&] {
        int count = 0;
        for (const EditableText* text : view.findChildren<EditableText*>()) {
            if (text->isVisible() && text->placeholderText() == "Name") ++count;
        }
        return count;
    };
    click(Button::add);
    scheduler.runPending();
    const std::string first = calculator().instrumentID;
    ASSERT_TRUE(view.textField(Field::name)->hasFocus());
    EXPECT_EQ(editor.focusNameID(), std::nullopt);

    QTest::keyClicks(view.textField(Field::name), "DAX");
    click(Button::add);
    scheduler.runPending();
    EXPECT_EQ(visibleNames(), 1);
    QTest::keyClicks(view.textField(Field::name), "FTSE");
    clickAt(view.rowRect(first)->center());
    scheduler.runPending();
    EXPECT_EQ(visibleNames(), 1);
    EXPECT_EQ(editor.instrument().name, "DAX");

    // Built again, the card asks for no focus.
    InstrumentEditorView again{editor, scheduler, [] {}};
    EXPECT_FALSE(again.textField(Field::name)->autofocusPending());
}

// A name keeps no line break or tab: the caret stays after a paste cleaned of
// them, and undo takes back a whole paste the twelve-character limit cut.
TEST_F(InstrumentEditorViewTest, TheNameKeepsTheCaretAfterAPasteAndUndoesIt) {
    view.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&view));
    click(Button::add);
    scheduler.runPending();
    EditableText* name = view.textField(Field::name);
    ASSERT_NE(name, nullptr);
    const auto type = [&](const char* text) {
        for (const QString& character : QString::fromUtf8(text).split(QString(), Qt::SkipEmptyParts)) {
            QTest::sendKeyEvent(QTest::Click, name, Qt::Key_unknown, character, Qt::NoModifier);
        }
    };
    const auto paste = [&](const char* text, int at) {
        name->setCursorPosition(at);
        QApplication::clipboard()->setText(QString::fromUtf8(text));
        QTest::keyClick(name, Qt::Key_V, Qt::ControlModifier);
    };
    const struct {
        const char* pasted;
        const char* kept;
    } pastes[] = {{"a\nb", "Xab|Y"}, {"\u0218\t\u20AC", "X\u0218\u20AC|Y"}};
    for (const auto& each : pastes) {
        name->selectAll();
        type("XY");
        paste(each.pasted, 1);
        type("|");
        EXPECT_EQ(editor.instrument().name, each.kept);
        EXPECT_EQ(name->text().toStdString(), each.kept);
    }

    name->selectAll();
    type("\u0218Y");
    paste("0123456789\u20AC\u20AC\u20AC", 1);
    EXPECT_EQ(editor.instrument().name, "\u02180123456789\u20AC");
    QTest::keyClick(name, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(editor.instrument().name, "\u0218Y");
    EXPECT_EQ(name->text().toStdString(), "\u0218Y");
    EXPECT_EQ(name->cursorPosition(), 1);
    QTest::keyClick(name, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(editor.instrument().name, "\u02180123456789\u20AC");
}
