#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QDir>
#include <QMenu>
#include <QPainter>
#include <QTest>
#include <QTransform>

#include "WaylarkKit/Calculator/InstrumentEditorModel.h"
#include "WaylarkKit/Calculator/Qt/InstrumentEditorView.h"
#include "WaylarkKit/Style/Palette.h"
#include "WaylarkKit/Style/Qt/QtColor.h"
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

// Another instrument may show the same number in the same field: an undo
// there never writes the number the last instrument had.
TEST_F(InstrumentEditorViewTest, AnUndoNeverReachesAnotherInstrument) {
    view.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&view));
    EditableText* perPoint = view.textField(Field::perPoint);
    ASSERT_EQ(perPoint->text(), "1");
    perPoint->setFocus(Qt::MouseFocusReason);
    perPoint->selectAll();
    QTest::keyClicks(perPoint, "5");
    clickAt(view.rowRect("MES")->center());
    ASSERT_EQ(perPoint->text(), "5");
    QTest::mouseClick(perPoint, Qt::LeftButton, {}, perPoint->rect().center());
    QTest::keyClick(perPoint, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(calculator().overrides.count("MES"), 0u);
    EXPECT_EQ(editor.instrument().dollarsPerPoint, 5);
    EXPECT_EQ(calculator().overrides.at("NAS100").dollarsPerPoint, 5);
}

// The card's see-through background stays out of the popups its fields open:
// every row that can be chosen is written in the island's menu look.
TEST_F(InstrumentEditorViewTest, AFieldsMenuIsLegibleInTheIslandLook) {
    view.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&view));
    EditableText* perPoint = view.textField(Field::perPoint);
    perPoint->setFocus(Qt::MouseFocusReason);
    QTest::keyClicks(perPoint, "0");  // something to undo
    QApplication::clipboard()->setText(QStringLiteral("5"));
    QContextMenuEvent event(QContextMenuEvent::Mouse, {4, 4}, perPoint->mapToGlobal(QPoint(4, 4)));
    QApplication::sendEvent(perPoint, &event);
    std::unique_ptr<QMenu> menu(perPoint->findChild<QMenu*>());
    ASSERT_NE(menu, nullptr);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(menu.get()));

    QImage image = menu->grab().toImage();
    const QTransform toPixels = QTransform::fromScale(image.devicePixelRatio(), image.devicePixelRatio());
    image.setDevicePixelRatio(1);
    // As it shows over the dark card: ink is what stands out from its row.
    QImage shown(image.size(), QImage::Format_ARGB32_Premultiplied);
    shown.fill(Qt::black);
    QPainter(&shown).drawImage(0, 0, image);
    const QColor panel = toQColor(Palette::black);
    const auto panelAt = [&](const QPoint& at) -> testing::AssertionResult {
        const QColor colour = image.pixelColor(at);
        if (colour.alpha() > 230 && std::abs(colour.red() - panel.red()) < 16 &&
            std::abs(colour.green() - panel.green()) < 16 && std::abs(colour.blue() - panel.blue()) < 16) {
            return testing::AssertionSuccess();
        }
        return testing::AssertionFailure() << colour.name(QColor::HexArgb).toStdString() << " at " << at.x() << ","
                                           << at.y();
    };
    // Above the first row, where the panel shows bare.
    EXPECT_TRUE(panelAt(toPixels.map(QPoint(menu->width() / 2, 2))));
    int enabled = 0;
    for (QAction* action : menu->actions()) {
        if (action->isSeparator() || !action->isEnabled()) continue;
        ++enabled;
        SCOPED_TRACE(action->text().toStdString());
        const QRect logical = menu->actionGeometry(action);
        const QRect row = toPixels.mapRect(logical);
        const QPoint beside = toPixels.map(QPoint(logical.left() + 2, logical.center().y()));
        EXPECT_TRUE(panelAt(beside));
        const int ground = shown.pixelColor(beside).lightness();
        int ink = 0;
        for (int y = row.top(); y <= row.bottom(); ++y) {
            for (int x = row.left(); x <= row.right(); ++x) {
                if (std::abs(shown.pixelColor(x, y).lightness() - ground) > 100) ++ink;
            }
        }
        EXPECT_GT(ink, 20);
    }
    EXPECT_GE(enabled, 3);  // Undo, Paste, Select All at least
    if (HasFailure() && QDir().mkpath(QStringLiteral(WAYLARK_TEST_OUTPUT_DIR))) {
        image.save(QStringLiteral(WAYLARK_TEST_OUTPUT_DIR "/instrument-editor-field-menu.png"));
    }
}
