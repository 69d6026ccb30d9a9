#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>

#include "WaylarkKit/Calculator/InstrumentEditorModel.h"
#include "WaylarkKit/Calculator/Qt/InstrumentEditorView.h"
#include "WaylarkKit/Checklist/Qt/EditableText.h"
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
    void click(Button button) {
        QTest::mouseClick(&view, Qt::LeftButton, {}, view.buttonRect(button)->center().toPoint());
    }

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
