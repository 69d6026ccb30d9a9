#pragma once

#include <array>
#include <map>
#include <vector>

#include <QWidget>

#include "Base/Uuid.h"
#include "TradingCore/Model/CustomInterval.h"
#include "WaylarkKit/Settings/Qt/TimingEditorFields.h"

namespace WaylarkKit {

// One custom time: name, start and end, remove; then its colour swatches and
// weekday toggles. A row belongs to its interval's identifier for life.
class CustomRow : public QWidget {
public:
    CustomRow(QWidget* parent, TimingEditorContext& context, const Base::Uuid& id, bool autofocus);
    void refresh();

    EditableText* nameField() const { return name_; }
    TimeField* startField() const { return start_; }
    TimeField* endField() const { return end_; }
    PaintedButton* remove() const { return remove_; }
    PaintedButton* swatch(TradingCore::IntervalColor colour) const;
    PaintedButton* weekday(TradingCore::Weekday day) const;

protected:
    void paintEvent(QPaintEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    const TradingCore::CustomInterval* interval() const;

    TimingEditorContext& context_;
    Base::Uuid id_;
    EditableText* name_;
    TimeField* start_;
    TimeField* end_;
    PaintedButton* remove_;
    std::array<PaintedButton*, 6> swatches_{};
    std::array<PaintedButton*, 7> weekdays_{};
};

// The custom times, up to five, with "Add custom time", the message line and "Done".
class TimingCustomsPage : public QWidget {
public:
    TimingCustomsPage(QWidget* parent, TimingEditorContext& context);
    void refresh();

    // In stored order.
    std::vector<CustomRow*> rows() const;
    AddButton* addButton() const { return add_; }
    const TextLine* message() const { return message_; }

private:
    TimingEditorContext& context_;
    QVBoxLayout* column_ = nullptr;
    QWidget* empty_;
    std::map<Base::Uuid, CustomRow*> rows_;
    std::vector<Base::Uuid> order_;
    AddButton* add_;
    TextLine* message_;
};

}  // namespace WaylarkKit
