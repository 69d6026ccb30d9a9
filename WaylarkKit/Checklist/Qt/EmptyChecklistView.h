#pragma once

#include <QWidget>

#include "WaylarkKit/Checklist/ChecklistUIState.h"
#include "WaylarkKit/Checklist/Qt/ClickTargets.h"

namespace WaylarkKit {

// What the checklist tab shows when there is no checklist at all: a line of
// text and the orange button that asks for the editor in create mode.
class EmptyChecklistView final : public ClickableWidget {
public:
    explicit EmptyChecklistView(ChecklistUIState& ui, QWidget* parent = nullptr);

    QRectF createButtonRect() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    ChecklistUIState& ui_;
};

}  // namespace WaylarkKit
