#include <memory>

#include <QApplication>
#include <QTest>
#include <gtest/gtest.h>

#include "Base/ManualScheduler.h"
#include "ChecklistKit/InMemoryChecklistStore.h"
#include "IslandKit/Overlay/OverlayPanel.h"
#include "IslandKit/Overlay/OverlayWindowController.h"
#include "WaylarkKit/App/Qt/AppDelegate.h"
#include "WaylarkKit/Checklist/Qt/ChecklistEditorRow.h"
#include "WaylarkKit/Checklist/Qt/ChecklistEditorView.h"
#include "WaylarkKit/Checklist/Qt/ChecklistSidebarList.h"
#include "WaylarkKit/TextField/Qt/EditableText.h"
#include "WaylarkKit/tests/support/WidgetTesting.h"

using namespace WaylarkKit;
using ChecklistKit::ChecklistModel;

namespace {

struct Editor {
    bool appReady = (WaylarkKitTest::app(), true);
    Base::ManualScheduler scheduler;
    ChecklistModel checklist{std::make_shared<ChecklistKit::InMemoryChecklistStore>(), scheduler, 0.4};
    ChecklistEditorModel editor{scheduler};
    std::unique_ptr<ChecklistEditorView> view;
    int dones = 0;

    void open() {
        view = std::make_unique<ChecklistEditorView>(checklist, editor, scheduler);
        view->setOnDone([this] { ++dones; });
        view->show();
        view->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(view.get()));
        settle();
    }
    // Runs the deferred focusing and the deferred deletions.
    void settle() {
        scheduler.runPending();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    // As the pointer does: to the child under the point, which hands on what it does not take.
    void click(QWidget& widget, const QRectF& rect) {
        const QPoint at = rect.center().toPoint();
        QWidget* under = widget.childAt(at);
        QWidget& target = under ? *under : widget;
        QTest::mouseClick(&target, Qt::LeftButton, {}, target.mapFrom(&widget, at));
        settle();
    }
    QWidget* focused() const { return view->focusWidget(); }
    std::vector<std::string> texts() const {
        std::vector<std::string> out;
        const std::optional<ChecklistKit::ChecklistTemplate> shown = checklist.activeTemplate();
        for (const auto& item : shown->items) out.push_back(item.text);
        return out;
    }
};

}  // namespace

TEST(ChecklistEditorViewTest, TypingAChecklistKeepsTheFocusWhereTheUserIs) {
    Editor e;
    e.open();
    e.click(*e.view, e.view->createRect());
    ASSERT_NE(e.view->nameField(), nullptr);
    EXPECT_EQ(e.focused(), e.view->nameField());
    EXPECT_EQ(e.view->nameField()->selectedText(), QStringLiteral("New checklist"));

    QTest::keyClicks(e.view->nameField(), "London open");
    EXPECT_EQ(e.checklist.activeTemplate()->name, "London open");
    EXPECT_EQ(e.view->sidebar().rows().at(0).name, "London open");
    EXPECT_EQ(e.focused(), e.view->nameField());

    // Name, Return, first item, Return, next item, "Add item", ready for the
    // next; an empty last line takes further Returns and clicks.
    QTest::keyClick(e.view->nameField(), Qt::Key_Return);
    e.settle();
    ASSERT_EQ(e.view->rows().size(), 1u);
    EXPECT_EQ(e.focused(), &e.view->rows()[0]->textField());
    QTest::keyClicks(e.focused(), "Stop placed");
    QTest::keyClick(e.focused(), Qt::Key_Return);
    e.settle();
    QTest::keyClicks(e.focused(), "Spread below 2 pips");
    e.click(*e.view, e.view->addItemRect());
    ASSERT_EQ(e.view->rows().size(), 3u);
    EXPECT_EQ(e.focused(), &e.view->rows()[2]->textField());
    QTest::keyClick(e.focused(), Qt::Key_Return);
    e.settle();
    e.click(*e.view, e.view->addItemRect());
    EXPECT_EQ(e.texts(), (std::vector<std::string>{"Stop placed", "Spread below 2 pips", ""}));
    EXPECT_EQ(e.view->sidebar().rows().at(0).count, 2);

    // Moving an item keeps its row, and the field being typed in keeps the focus and caret.
    ChecklistEditorRow* second = e.view->rows()[1];
    EditableText* typing = &second->textField();
    typing->setFocus();
    typing->setCursorPosition(6);
    e.click(*second, second->moveUpRect());
    EXPECT_EQ(e.texts().front(), "Spread below 2 pips");
    EXPECT_EQ(e.view->rows()[0], second);
    EXPECT_EQ(e.focused(), typing);
    EXPECT_EQ(typing->cursorPosition(), 6);

    e.click(*e.view->rows()[2], e.view->rows()[2]->removeRect());
    EXPECT_EQ(e.texts(), (std::vector<std::string>{"Spread below 2 pips", "Stop placed"}));
    EXPECT_EQ(e.view->rows().size(), 2u);
}

TEST(ChecklistEditorViewTest, AnAddedItemTakesTheKeyboardOnceNotAtEveryOpening) {
    Editor e;
    const Base::Uuid id = *e.checklist.createTemplate("Pre-trade");
    e.checklist.addItem(id, "Stop placed");
    e.open();
    QTest::keyClick(&e.view->rows()[0]->textField(), Qt::Key_Return);
    e.settle();
    ASSERT_EQ(e.view->rows().size(), 2u);
    EXPECT_EQ(e.focused(), &e.view->rows()[1]->textField());
    QTest::keyClicks(e.focused(), "Spread ok");

    // Closed as the card closes it, and opened again in a card as the
    // application's: a stray key changes neither an item nor the name. (A bare
    // window would hand its first field the keyboard; the card keeps it.)
    e.editor.disarm();
    e.editor.closeChoiceEditor();
    e.view.reset();
    IslandKit::X11KeyboardHandover handover;
    IslandKit::OverlayWindowController card(
        [&e](QWidget* parent) { return new ChecklistEditorView(e.checklist, e.editor, e.scheduler, parent); },
        AppDelegate::checklistEditorCard, e.scheduler, handover);
    card.present(nullptr);
    ASSERT_TRUE(QTest::qWaitForWindowActive(card.panel()));
    e.settle();
    QWidget* keyboard = QApplication::focusWidget();
    QTest::keyClicks(keyboard ? keyboard : card.panel(), "X");
    EXPECT_EQ(e.texts(), (std::vector<std::string>{"Stop placed", "Spread ok"}));
    EXPECT_EQ(e.checklist.activeTemplate()->name, "Pre-trade");
}

TEST(ChecklistEditorViewTest, DropdownOptionsKeepWhatIsTypedAndStoreTheCleanList) {
    Editor e;
    const Base::Uuid id = *e.checklist.createTemplate("Pre-trade");
    const Base::Uuid trend = *e.checklist.addItem(id, "Trend");
    e.open();
    ChecklistEditorRow* row = e.view->rows().at(0);
    e.click(*row, row->choiceButtonRect());
    ASSERT_NE(row->optionsField(), nullptr);
    EXPECT_EQ(row->optionsField()->text(), QStringLiteral("Above, Below"));
    EXPECT_EQ(e.focused(), row->optionsField());

    row->optionsField()->end(false);
    QTest::keyClicks(row->optionsField(), ", Above, Sideways,");
    EXPECT_EQ(row->optionsField()->text(), QStringLiteral("Above, Below, Above, Sideways,"));
    EXPECT_EQ(e.checklist.activeTemplate()->items[0].options,
              (std::vector<std::string>{"Above", "Below", "Sideways"}));
    EXPECT_EQ(e.focused(), row->optionsField());

    // Another item's options editor closes this one.
    const Base::Uuid bias = *e.checklist.addItem(id, "Bias");
    e.settle();
    ChecklistEditorRow* other = e.view->rows().at(1);
    e.click(*other, other->choiceButtonRect());
    EXPECT_EQ(e.editor.choiceEditorItemID(), bias);
    e.settle();
    EXPECT_EQ(row->optionsField(), nullptr);
    e.click(*other, other->removeOptionsRect());
    EXPECT_TRUE(e.checklist.templateWithID(id)->items[1].options.empty());
    EXPECT_EQ(e.checklist.templateWithID(id)->items[0].id, trend);
}

TEST(ChecklistEditorViewTest, ChecklistsAreCreatedSelectedAndDeletedOnTheSecondClick) {
    Editor e;
    const Base::Uuid first = *e.checklist.createTemplate("Pre-trade");
    e.open();
    e.click(*e.view, e.view->newChecklistRect());
    ASSERT_EQ(e.checklist.templates().size(), 2u);
    const Base::Uuid created = e.checklist.activeTemplate()->id;
    EXPECT_EQ(e.focused(), e.view->nameField());
    EXPECT_TRUE(e.view->sidebar().rows().at(1).isSelected);

    e.click(*e.view, e.view->deleteRect());
    EXPECT_EQ(e.editor.armedDeleteID(), created);
    e.click(e.view->sidebar(), e.view->sidebar().rowRect(1));  // any row click disarms
    EXPECT_FALSE(e.editor.armedDeleteID());
    e.click(*e.view, e.view->deleteRect());
    e.click(*e.view, e.view->deleteRect());
    EXPECT_EQ(e.checklist.templates().size(), 1u);
    EXPECT_EQ(e.checklist.activeTemplate()->id, first);

    e.click(*e.view, e.view->deleteRect());
    e.click(*e.view, e.view->deleteRect());
    EXPECT_TRUE(e.checklist.hasNoTemplates());
    EXPECT_EQ(e.view->nameField(), nullptr);
    e.click(*e.view, e.view->closeRect());
    EXPECT_EQ(e.dones, 1);
}

TEST(ChecklistEditorViewTest, GoldenWithAChecklistAndEmpty) {
    Editor e;
    const Base::Uuid id = *e.checklist.createTemplate("Pre-trade");
    e.checklist.createTemplate("Scalping the London open");
    e.checklist.selectTemplate(id);
    e.checklist.addItem(id, "Stop placed beyond the last swing");
    const Base::Uuid trend = *e.checklist.addItem(id, "Trend on the 15-minute chart");
    e.checklist.setOptions({"Above", "Below"}, trend, id);
    e.checklist.addItem(id, "");
    e.editor.toggleChoiceEditor(*e.checklist.activeTemplate()->items.begin());
    e.editor.closeChoiceEditor();
    e.editor.toggleChoiceEditor(e.checklist.activeTemplate()->items[1]);
    e.view = std::make_unique<ChecklistEditorView>(e.checklist, e.editor, e.scheduler);
    EXPECT_TRUE(WaylarkKitTest::matchesGolden(WaylarkKitTest::render(*e.view), "checklist-editor"));

    Editor empty;
    empty.view = std::make_unique<ChecklistEditorView>(empty.checklist, empty.editor, empty.scheduler);
    EXPECT_TRUE(WaylarkKitTest::matchesGolden(WaylarkKitTest::render(*empty.view), "checklist-editor-empty"));
}
