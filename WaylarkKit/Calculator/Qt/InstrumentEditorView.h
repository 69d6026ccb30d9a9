#pragma once

#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include <QWidget>

#include "Base/Observable.h"
#include "Base/Scheduler.h"
#include "CalculatorKit/Instrument.h"
#include "WaylarkKit/Calculator/InstrumentEditorModel.h"

class QScrollArea;

namespace WaylarkKit {

class EditableText;

// The instrument editor card's content: the list of instruments with the add
// button on the left, and on the right the calculator's selected instrument
// with its values, commission, calibration from a test trade, message line
// and buttons. It owns no state; every keystroke and tap is one call on the
// editor model, and Done calls `onDone`.
class InstrumentEditorView final : public QWidget {
public:
    static constexpr double sidebarWidth = 170;

    // The painted buttons of the card, for hit tests and tests.
    enum class Button { add, calibrate, remove, reset, done };

    InstrumentEditorView(InstrumentEditorModel& editor, Base::Scheduler& scheduler, std::function<void()> onDone,
                         QWidget* parent = nullptr);
    ~InstrumentEditorView() override;
    InstrumentEditorView(const InstrumentEditorView&) = delete;
    InstrumentEditorView& operator=(const InstrumentEditorView&) = delete;

    EditableText* textField(InstrumentEditorModel::Field field) const;
    // Where a button lies in this view's coordinates; none while it is not shown.
    std::optional<QRectF> buttonRect(Button button) const;
    // Where an instrument's row of the list lies in this view's coordinates.
    std::optional<QRectF> rowRect(const std::string& id) const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    class Sidebar;
    class Detail;

    void refresh();
    void placeChildren();
    QRectF addButtonRect() const;

    InstrumentEditorModel& editor_;
    Base::Scheduler& scheduler_;
    std::function<void()> onDone_;
    QScrollArea* listScroll_ = nullptr;
    Sidebar* list_ = nullptr;
    QScrollArea* detailScroll_ = nullptr;
    Detail* detail_ = nullptr;
    // The instrument last brought into view in the list.
    std::string shownID_;
    bool refreshing_ = false;
    Base::TaskHandle laterRefresh_;
    std::vector<Base::Subscription> subscriptions_;
};

}  // namespace WaylarkKit
