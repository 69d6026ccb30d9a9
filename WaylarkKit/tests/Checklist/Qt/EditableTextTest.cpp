#include <QApplication>
#include <QClipboard>
#include <QShortcut>
#include <QTest>
#include <gtest/gtest.h>

#include "Base/ManualScheduler.h"
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

    explicit Field(std::string initial, bool autofocus = false) : value(std::move(initial)) {
        window.resize(300, 80);
        field = new EditableText(binding(), {"Placeholder", 13, FontWeight::regular, autofocus, false}, scheduler,
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

std::string grouped(const std::string& raw) {
    std::string digits;
    for (const char c : raw) {
        if (c >= '0' && c <= '9') digits += c;
    }
    std::string out;
    for (std::size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0) out += ',';
        out += digits[i];
    }
    return out;
}

// The caret keeps the count of digits to its left.
int keepDigitsLeft(const std::string& raw, int caret, const std::string& formatted) {
    int digits = 0;
    for (int i = 0; i < caret && i < static_cast<int>(raw.size()); ++i) digits += raw[i] >= '0' && raw[i] <= '9';
    int position = 0;
    while (digits > 0 && position < static_cast<int>(formatted.size())) {
        if (formatted[position] >= '0' && formatted[position] <= '9') --digits;
        ++position;
    }
    return position;
}

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

TEST(EditableTextTest, LiveFormatterRewritesAndPlacesTheCaret) {
    Field f("");
    f.field->setLiveFormatter(grouped, keepDigitsLeft);
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
    EXPECT_FALSE(f.field->hasSelectedText());

    // A rule that answers past the end puts the caret at the end.
    f.field->setLiveFormatter(grouped, [](const std::string&, int, const std::string&) { return 500; });
    f.field->setCursorPosition(0);
    QTest::keyClick(f.field, Qt::Key_1);
    EXPECT_EQ(f.field->text(), QStringLiteral("1,192,345"));
    EXPECT_EQ(f.field->cursorPosition(), 9);

    // A formatter that changes nothing leaves the caret where typing put it.
    f.field->setLiveFormatter([](const std::string& raw) { return raw; }, keepDigitsLeft);
    f.field->setCursorPosition(2);
    QTest::keyClick(f.field, Qt::Key_7);
    EXPECT_EQ(f.value, "1,7192,345");
    EXPECT_EQ(f.field->cursorPosition(), 3);
}

TEST(EditableTextTest, AutofocusTakesTheFocusOnceAndSelectsTheText) {
    Field f("New checklist", true);
    EXPECT_TRUE(f.field->autofocusPending());
    f.show();
    EXPECT_EQ(f.window.focusWidget(), f.field);
    EXPECT_EQ(f.field->selectedText(), QStringLiteral("New checklist"));

    f.other->setFocus();
    f.window.hide();
    f.show();
    EXPECT_EQ(f.window.focusWidget(), f.other);

    Field plain("Item");
    plain.other->setFocus();
    plain.show();
    EXPECT_NE(plain.window.focusWidget(), plain.field);
}

TEST(EditableTextTest, ReturnSubmitsAndKeepsEditingFocusLossEnds) {
    Field f("Item");
    int submits = 0;
    int ends = 0;
    f.show();
    f.field->setFocus();
    QTest::keyClick(f.field, Qt::Key_Return);  // no callback: nothing at all
    EXPECT_TRUE(f.field->hasFocus());
    EXPECT_EQ(f.field->text(), QStringLiteral("Item"));
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
