#include <functional>
#include <memory>

#include <QApplication>
#include <QClipboard>
#include <QTest>
#include <gtest/gtest.h>

#include "Base/ManualScheduler.h"
#include "Base/Text.h"
#include "ChecklistKit/InMemoryChecklistStore.h"
#include "SettingsKit/tests/ModelFixture.h"
#include "WaylarkKit/Checklist/Qt/ChecklistEditorRow.h"
#include "WaylarkKit/Checklist/Qt/ChecklistEditorView.h"
#include "WaylarkKit/TextField/Qt/EditableText.h"
#include "WaylarkKit/Settings/Qt/GreetingEditorView.h"
#include "WaylarkKit/Settings/Qt/TimingCustomsPage.h"
#include "WaylarkKit/Settings/Qt/TimingEditorView.h"
#include "WaylarkKit/Settings/Qt/TimingProfilePage.h"
#include "WaylarkKit/tests/support/WidgetTesting.h"

using namespace WaylarkKit;

namespace {

// The editors whose models cut or clean what is typed, each in its own window.
struct Editors {
    bool appReady = (WaylarkKitTest::app(), true);
    Base::ManualScheduler scheduler;
    ChecklistKit::ChecklistModel checklist{std::make_shared<ChecklistKit::InMemoryChecklistStore>(), scheduler, 0.4};
    ChecklistEditorModel checklistEditor{scheduler};
    Base::Uuid templateID = *checklist.createTemplate("Pre-trade");
    Base::Uuid itemID = *checklist.addItem(templateID, "Trend");
    SettingsKit::SettingsModel settings{std::make_shared<SettingsKitTesting::RecordingStore>(), scheduler, 0.4};
    TimingEditorModel timingEditor{scheduler};
    std::unique_ptr<ChecklistEditorView> checklistView;
    std::unique_ptr<GreetingEditorView> greetingView;
    std::unique_ptr<TimingEditorView> timingView;

    Editors() {
        checklist.setOptions({"Above", "Below"}, itemID, templateID);
        checklistEditor.toggleChoiceEditor(item());
        settings.addCustomInterval();
        checklistView = std::make_unique<ChecklistEditorView>(checklist, checklistEditor, scheduler);
        greetingView = std::make_unique<GreetingEditorView>(settings, scheduler, [] {}, [] {}, nullptr,
                                                            fixedReduceMotion(false));
        timingView = std::make_unique<TimingEditorView>(settings, timingEditor, scheduler, [] {});
    }
    ChecklistKit::ChecklistItem item() const { return checklist.templateWithID(templateID)->items.at(0); }
    ChecklistEditorRow& row() const { return *checklistView->rows().at(0); }
    // Shows the field's window and gives the field the keys, as a click would.
    void focus(EditableText* field) {
        QWidget* window = field->window();
        window->resize(640, 420);
        window->show();
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window));
        QCoreApplication::processEvents();
        scheduler.runPending();
        field->setFocus(Qt::MouseFocusReason);
    }
};

// Letters beyond ASCII, a combining mark and an emoji with its skin tone,
// each one character sent as one key, as an input method sends it.
const QStringList characters = {QString::fromUtf8("\u0218"), "t", QString::fromUtf8("e\u0301"), "f", "a", "n", " ",
                                QString::fromUtf8("\u20AC"), QString::fromUtf8("\U0001F44D\U0001F3FD")};
QString typedRun(int from, int count) {
    QString run;
    for (int i = from; i < from + count; ++i) run += characters[i % characters.size()];
    return run;
}

void type(EditableText* field, const QString& character) {
    QTest::sendKeyEvent(QTest::Click, field, Qt::Key_unknown, character, Qt::NoModifier);
}

// Counts characters, so that a failure after a long paste stays readable.
testing::AssertionResult reads(const EditableText* field, const std::string& expected) {
    const std::string shown = field->text().toStdString();
    if (shown == expected) return testing::AssertionSuccess();
    return testing::AssertionFailure() << "the field shows " << Base::Text::graphemeCount(shown) << " characters \""
                                       << Base::Text::graphemePrefix(shown, 60) << "\", expected "
                                       << Base::Text::graphemeCount(expected) << " \""
                                       << Base::Text::graphemePrefix(expected, 60) << "\"";
}
testing::AssertionResult reads(const EditableText* field, const QString& expected) {
    return reads(field, expected.toStdString());
}

// One row per field whose model cuts or cleans what is typed.
struct FieldRow {
    const char* name;
    std::function<EditableText*(Editors&)> field;
    std::function<std::string(Editors&)> kept;
    QString before;  // typed first, kept whole
    int limit;       // characters kept of what is typed after it
};

std::vector<FieldRow> fieldRows() {
    return {
        {"checklist name", [](Editors& e) { return e.checklistView->nameField(); },
         [](Editors& e) { return e.checklist.templateWithID(e.templateID)->name; }, "", 50},
        {"checklist item", [](Editors& e) { return &e.row().textField(); }, [](Editors& e) { return e.item().text; },
         "", 160},
        {"dropdown options", [](Editors& e) { return e.row().optionsField(); },
         [](Editors& e) { return e.checklistEditor.optionsText(e.item()); }, "Above, Below, ", 24},
        {"greeting leading", [](Editors& e) { return e.greetingView->leadingField(); },
         [](Editors& e) { return e.settings.greeting().leading; }, "", 20},
        {"greeting name", [](Editors& e) { return e.greetingView->nameField(); },
         [](Editors& e) { return e.settings.greeting().name; }, "", 20},
        {"timing window name", [](Editors& e) { return e.timingView->profilePage()->rows().at(0)->nameField(); },
         [](Editors& e) { return e.settings.activeProfile().windows.at(0).name; }, "", 24},
        {"custom time name",
         [](Editors& e) {
             e.timingEditor.showSection(TimingEditorModel::Section::customs);
             return e.timingView->customsPage()->rows().at(0)->nameField();
         },
         [](Editors& e) { return e.settings.customIntervals().at(0).name; }, "", 14},
    };
}

}  // namespace

TEST(FieldsShowWhatTheyKeepTest, TypingAndPastingPastTheLimitLeaveOnlyWhatIsKept) {
    for (const FieldRow& row : fieldRows()) {
        SCOPED_TRACE(row.name);
        Editors e;
        EditableText* field = row.field(e);
        ASSERT_NE(field, nullptr);
        e.focus(field);

        field->selectAll();
        for (const QChar letter : row.before) type(field, letter);
        for (int i = 0; i < row.limit + 3; ++i) {
            type(field, typedRun(i, 1));
            const testing::AssertionResult kept = reads(field, row.kept(e));
            EXPECT_TRUE(kept) << "after keystroke " << i + 1;
            EXPECT_EQ(field->cursorPosition(), field->text().size());
            if (!kept) break;
        }
        EXPECT_TRUE(reads(field, row.before + typedRun(0, row.limit)));

        // At the limit, a letter typed near the start pushes the last one out; the caret stays after it.
        const int start = static_cast<int>(row.before.size());
        field->setCursorPosition(start + 1);
        type(field, "x");
        EXPECT_TRUE(reads(field, row.kept(e)));
        EXPECT_TRUE(reads(field, row.before + typedRun(0, 1) + "x" + typedRun(1, row.limit - 2)));
        EXPECT_EQ(field->cursorPosition(), start + 2);

        // Ten thousand characters pasted there: the field ends where the kept text ends.
        QApplication::clipboard()->setText(typedRun(0, 10'000));
        field->setCursorPosition(start + 1);
        QTest::keyClick(field, Qt::Key_V, Qt::ControlModifier);
        EXPECT_TRUE(reads(field, row.kept(e)));
        EXPECT_TRUE(reads(field, row.before + typedRun(0, 1) + typedRun(0, row.limit - 1)));
        EXPECT_EQ(field->cursorPosition(), field->text().size());
    }
}

// A paste the model cleans leaves the caret after what was kept of it, and
// undo takes back a whole paste, even one the model cut at its limit.
TEST(FieldsShowWhatTheyKeepTest, PastesKeepTheCaretAfterThemAndUndoWhole) {
    for (const FieldRow& row : fieldRows()) {
        SCOPED_TRACE(row.name);
        Editors e;
        EditableText* field = row.field(e);
        ASSERT_NE(field, nullptr);
        e.focus(field);
        const QString first = field->text();
        field->selectAll();
        for (const QChar letter : row.before + "XY") type(field, letter);
        const int start = static_cast<int>(row.before.size());

        // A tab becomes a space, a zero-width space goes.
        QApplication::clipboard()->setText(QString::fromUtf8("\u0218\t\u200B\u20AC"));
        field->setCursorPosition(start + 1);
        QTest::keyClick(field, Qt::Key_V, Qt::ControlModifier);
        type(field, "|");
        EXPECT_TRUE(reads(field, row.before + QString::fromUtf8("X\u0218 \u20AC|Y")));
        EXPECT_TRUE(reads(field, row.kept(e)));

        // Back past the edits the model cleaned or cut, to the text the field first showed.
        const QString pasted = row.before + "X" + typedRun(0, row.limit - 1);
        const QKeyCombination undo = Qt::CTRL | Qt::Key_Z;
        const QKeyCombination redo = Qt::CTRL | Qt::SHIFT | Qt::Key_Z;
        const struct {
            QKeyCombination key;
            QString text;
            int caret;
        } steps[] = {
            {undo, row.before + QString::fromUtf8("X\u0218 \u20ACY"), start + 4},
            {undo, row.before + "XY", start + 1},
            {undo, first, static_cast<int>(first.size())},
            {redo, row.before + "XY", start + 1},
            {Qt::CTRL | Qt::Key_V, pasted, static_cast<int>(pasted.size())},
            {undo, row.before + "XY", start + 1},
            {undo, first, static_cast<int>(first.size())},
            {redo, row.before + "XY", start + 1},
            {redo, pasted, static_cast<int>(pasted.size())},
        };
        QApplication::clipboard()->setText(typedRun(0, 10'000));
        for (const auto& step : steps) {
            QTest::keyClick(field, step.key.key(), step.key.keyboardModifiers());
            EXPECT_TRUE(reads(field, step.text)) << QKeySequence(step.key).toString().toStdString();
            EXPECT_TRUE(reads(field, row.kept(e)));
            EXPECT_EQ(field->cursorPosition(), step.caret);
        }
    }
}

// Past the sixth option nothing can be kept, not even the comma that would start a seventh.
TEST(FieldsShowWhatTheyKeepTest, TheOptionsFieldStopsAfterTheSixthOption) {
    Editors e;
    EditableText* field = e.row().optionsField();
    e.focus(field);
    field->end(false);
    QApplication::clipboard()->setText(
        QString::fromUtf8(", Above, \u0218tefan, \u20AC, \U0001F44D\U0001F3FD, Sideways, Range, Late"));
    QTest::keyClick(field, Qt::Key_V, Qt::ControlModifier);
    const QString six = QString::fromUtf8("Above, Below, Above, \u0218tefan, \u20AC, \U0001F44D\U0001F3FD, Sideways");
    EXPECT_TRUE(reads(field, six));
    EXPECT_EQ(field->cursorPosition(), six.size());
    type(field, ",");
    EXPECT_TRUE(reads(field, six));
    EXPECT_EQ(e.item().options.size(), 6u);
}
