#pragma once

#include <QWidget>

#include "Base/Observable.h"
#include "WaylarkKit/Checklist/HoldToConfirm.h"

namespace WaylarkKit {

// The press-and-hold control that clears the active checklist: a 104 × 24
// capsule whose orange fill follows the hold's progress. Pressing starts the
// hold, releasing anywhere cancels it; the hold itself reports completion.
// A hold never outlives its button: hiding the button, destroying it or its
// window losing the pointer cancels the hold, so it cannot fire later on a
// checklist nobody sees.
class HoldToResetButton final : public QWidget {
public:
    static constexpr double width = 104;
    static constexpr double height = 24;

    HoldToResetButton(HoldToConfirm& hold, QWidget* parent = nullptr);
    ~HoldToResetButton() override;

    // Whether a press may start a hold; a release still cancels when not.
    void setResetEnabled(bool enabled);
    bool isResetEnabled() const { return enabled_; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void pressed();
    void dropHold();

    HoldToConfirm& hold_;
    bool enabled_ = false;
    bool tracking_ = false;
    Base::Subscription progressSubscription_;
    Base::Subscription holdingSubscription_;
};

}  // namespace WaylarkKit
