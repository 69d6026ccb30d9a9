#pragma once

#include <memory>
#include <utility>

#include <QTest>

#include "SettingsKit/tests/ModelFixture.h"
#include "WaylarkKit/tests/support/WidgetTesting.h"

namespace SettingsKitTesting {

// A settings editor shown active at its card's inner size, on the model's manual clock.
template <class View>
class EditorViewFixture : public ModelTest {
protected:
    template <class... Args>
    void show(int width, int height, Args&&... args) {
        WaylarkKitTest::app();
        view = std::make_unique<View>(std::forward<Args>(args)...);
        view->resize(width, height);
        view->show();
        view->activateWindow();
        ASSERT_TRUE(WaylarkKitTest::processUntil([&] { return view->isActiveWindow(); }));
        settle();
    }
    // New rows are shown on the next turn of the event loop; a field that asks
    // for the focus takes it on the scheduler's next turn after that.
    void settle() {
        QCoreApplication::processEvents();
        scheduler.runPending();
    }
    void click(QWidget* control, QPoint at = {-1, -1}) {
        ASSERT_NE(control, nullptr);
        QTest::mouseClick(control, Qt::LeftButton, {}, at.x() < 0 ? control->rect().center() : at);
    }
    void TearDown() override { view.reset(); }

    int dones = 0;
    std::unique_ptr<View> view;
};

}  // namespace SettingsKitTesting
