#include <gtest/gtest.h>

#include <QTest>

#include "WaylarkKit/App/Qt/DisplayChoiceView.h"
#include "WaylarkKit/tests/support/WidgetTesting.h"

using namespace WaylarkKit;
using namespace WaylarkKitTest;

TEST(DisplayChoiceViewTest, EachButtonGivesItsAnswer) {
    app();
    std::vector<DisplayAnswer> answers;
    DisplayChoiceView view("DELL U2720Q", {"Both displays", "Only DELL U2720Q", "Only Built-in display"},
                           [&](DisplayAnswer answer) { answers.push_back(answer); });
    // The card's content area: 520 × 230 less its padding.
    view.resize(480, 190);
    for (const DisplayAnswer answer : DisplayChoiceView::order) {
        QTest::mouseClick(&view, Qt::LeftButton, {}, view.buttonRect(answer).center().toPoint());
    }
    EXPECT_EQ(answers, std::vector<DisplayAnswer>(DisplayChoiceView::order.begin(), DisplayChoiceView::order.end()));

    // Between the buttons nothing answers (the golden image holds their places).
    const QRectF left = view.buttonRect(DisplayAnswer::notHere);
    const QRectF right = view.buttonRect(DisplayAnswer::alsoHere);
    QTest::mouseClick(&view, Qt::LeftButton, {},
                      QPoint(static_cast<int>(left.right()) + 5, static_cast<int>(left.center().y())));
    // A press that leaves its button before the release answers nothing.
    QTest::mousePress(&view, Qt::LeftButton, {}, left.center().toPoint());
    QTest::mouseRelease(&view, Qt::LeftButton, {}, right.center().toPoint());
    EXPECT_EQ(answers.size(), 3u);

    EXPECT_TRUE(matchesGolden(render(view), "display-choice"));
}
