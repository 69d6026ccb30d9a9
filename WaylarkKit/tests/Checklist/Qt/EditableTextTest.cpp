#include <QApplication>
#include <QClipboard>
#include <QShortcut>
#include <QTest>
#include <gtest/gtest.h>

#include "Base/ManualScheduler.h"
#include "WaylarkKit/Calculator/CalculatorFormat.h"
#include "WaylarkKit/Checklist/Qt/EditableText.h"
#include "WaylarkKit/tests/support/WidgetTesting.h"

using namespace WaylarkKit;

namespace {

struct Field {
    bool appReady = (WaylarkKitTest::app(), true);
    Base::ManualScheduler scheduler;
    QWidget window;
    std::string value;
    int writes = 0;
    EditableText* field = nullptr;
    EditableText* other = nullptr;

    // Autofocus is shown where editors ask for it: the checklist and timing editors' tests.
    explicit Field(std::string initial) : value(std::move(initial)) {
        window.resize(300, 80);
        field = new EditableText(binding(), {"Placeholder", 13, FontWeight::regular, false, false}, scheduler,
                                 &window);
        field->setGeometry(10, 10, 280, 24);
        other = new EditableText({}, {}, scheduler, &window);
        other->setGeometry(10, 40, 280, 24);
    }
    TextBinding binding() {
        return {[this] { return value; }, [this](const std::string& v) {
                    value = v;
                    ++writes;
                }};
    }
    void show() {
        window.show();
        window.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
        scheduler.runPending();
    }
};

}  // namespace

TEST(EditableTextTest, RereadingTheSameTextKeepsTheCaret) {
    Field f("Stop beyond the swing");
    f.show();
    f.field->setFocus();
    f.field->setCursorPosition(4);
    f.field->refresh();
    EXPECT_EQ(f.field->cursorPosition(), 4);
    f.value = "Stop placed";
    f.field->refresh();
    EXPECT_EQ(f.field->text(), QStringLiteral("Stop placed"));
    EXPECT_EQ(f.writes, 0);  // a programmatic change writes nothing back
}

// The calculator's grouping and caret rule stand in for any formatter; the
// rules' own test covers the odd answers a caret rule may give.
TEST(EditableTextTest, LiveFormatterRewritesAndPlacesTheCaret) {
    Field f("");
    f.field->setLiveFormatter([](const std::string& raw) { return CalculatorFormat::liveGrouped(raw); },
                              [](const std::string& raw, int caret, const std::string& formatted) {
                                  return CalculatorFormat::caretAfterGrouping(raw, caret, formatted);
                              });
    f.show();
    f.field->setFocus();
    QTest::keyClicks(f.field, "12345");
    EXPECT_EQ(f.field->text(), QStringLiteral("12,345"));
    EXPECT_EQ(f.value, "12,345");
    EXPECT_EQ(f.field->cursorPosition(), 6);
    // Typing inside the number: the caret stays after the digit just typed.
    f.field->setCursorPosition(1);
    QTest::keyClick(f.field, Qt::Key_9);
    EXPECT_EQ(f.field->text(), QStringLiteral("192,345"));
    EXPECT_EQ(f.field->cursorPosition(), 2);
    QTest::keyClick(f.field, Qt::Key_8);
    EXPECT_EQ(f.field->text(), QStringLiteral("1,982,345"));
    EXPECT_EQ(f.field->cursorPosition(), 4);
    EXPECT_FALSE(f.field->hasSelectedText());
}

TEST(EditableTextTest, ReturnSubmitsAndKeepsEditingFocusLossEnds) {
    Field f("Item");
    int submits = 0;
    int ends = 0;
    f.show();
    f.field->setFocus();
    f.field->setOnSubmit([&] { ++submits; });
    f.field->setOnEnd([&] { ++ends; });
    QTest::keyClick(f.field, Qt::Key_Return);
    QTest::keyClick(f.field, Qt::Key_Enter);
    EXPECT_EQ(submits, 2);
    EXPECT_EQ(ends, 0);
    EXPECT_TRUE(f.field->hasFocus());
    QTest::keyClick(f.field, Qt::Key_Tab);
    EXPECT_TRUE(f.other->hasFocus());
    EXPECT_EQ(ends, 1);
    EXPECT_EQ(f.writes, 0);
}

TEST(EditableTextTest, CtrlEditingKeysWinOverShortcutsAndCtrlAltPassesThrough) {
    Field f("Above");
    int stolen = 0;
    QShortcut selectAllShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_A), &f.window);
    QObject::connect(&selectAllShortcut, &QShortcut::activated, [&] { ++stolen; });
    f.show();
    f.field->setFocus();
    QApplication::clipboard()->setText(QStringLiteral(", Below"));
    f.field->end(false);
    QTest::keyClick(f.field, Qt::Key_V, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(f.value, "Above, Below");
    QTest::keyClick(f.field, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(f.value, "Above");
    QTest::keyClick(f.field, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(f.value, "Above, Below");
    QTest::keyClick(f.field, Qt::Key_A, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(f.field->selectedText(), QStringLiteral("Above, Below"));
    EXPECT_EQ(stolen, 0);
    QTest::keyClick(f.field, Qt::Key_X, Qt::ControlModifier);
    EXPECT_EQ(f.value, "");
    EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("Above, Below"));
    QTest::keyClick(f.field, Qt::Key_V, Qt::ControlModifier | Qt::AltModifier);
    EXPECT_EQ(f.value.find("Above"), std::string::npos);
}

// The island gives the keys to its field without being the active window; a
// long text being typed there scrolls like any edit instead of being cut.
TEST(EditableTextTest, AFieldItsWindowTypesIntoNeverElides) {
    Field f("Stop beyond the swing high of the opening range, then wait");
    f.show();
    f.field->setFocus();
    f.field->end(false);
    QWidget elsewhere;
    elsewhere.show();
    elsewhere.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&elsewhere));
    ASSERT_FALSE(f.field->hasFocus());
    ASSERT_EQ(f.window.focusWidget(), f.field);
    const QImage editing = f.field->grab().toImage();
    f.field->clearFocus();
    const QImage resting = f.field->grab().toImage();
    EXPECT_NE(editing, resting);
}
