#pragma once

#include <map>
#include <optional>
#include <vector>

#include <QWidget>

#include "Base/Observable.h"
#include "Base/Scheduler.h"
#include "WaylarkKit/Calculator/CalculatorModel.h"
#include "WaylarkKit/Calculator/CalculatorTabState.h"
#include "WaylarkKit/Calculator/Qt/CalculatorTabLayout.h"

namespace WaylarkKit {

class EditableText;
class InstrumentMenuView;

// The lot-size tab: header, input cards and result painted from the model,
// one text field per input, the instrument menu over everything and the toast
// above that. It keeps no state of its own: each change of the model or the
// calculator settings repaints it, and each action is a call on the model.
class CalculatorTabView final : public QWidget {
public:
    CalculatorTabView(CalculatorModel& model, Base::Scheduler& scheduler, QWidget* parent = nullptr);
    ~CalculatorTabView() override;
    CalculatorTabView(const CalculatorTabView&) = delete;
    CalculatorTabView& operator=(const CalculatorTabView&) = delete;

    const CalculatorTabState& state() const { return state_; }
    const CalculatorTabGeometry& geometry() const { return geometry_; }
    EditableText* textField(CalculatorModel::Field field) const { return fields_.at(field); }
    InstrumentMenuView* menu() const { return menu_; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    bool event(QEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    class Toast;

    void refresh();
    void placeChildren();
    void activate(CalculatorTabTarget target);
    void fieldLostFocus(CalculatorModel::Field field);

    CalculatorModel& model_;
    Base::Scheduler& scheduler_;
    CalculatorTabState state_;
    CalculatorTabGeometry geometry_;
    std::map<CalculatorModel::Field, EditableText*> fields_;
    std::map<CalculatorModel::Field, bool> grouping_;
    InstrumentMenuView* menu_ = nullptr;
    Toast* toast_ = nullptr;
    std::optional<CalculatorTabTarget> pressed_;
    // Ends of editing wait until the focus has landed.
    std::map<CalculatorModel::Field, Base::TaskHandle> endings_;
    // Last, so they are dropped first and no notification reaches a half-destroyed view.
    std::vector<Base::Subscription> subscriptions_;
};

}  // namespace WaylarkKit
