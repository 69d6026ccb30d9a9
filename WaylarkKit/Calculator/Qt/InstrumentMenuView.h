#pragma once

#include <string>
#include <vector>

#include <QWidget>

#include "WaylarkKit/Calculator/CalculatorModel.h"
#include "WaylarkKit/Calculator/CalculatorTabText.h"

namespace WaylarkKit {

// The instrument menu that drops from the lot-size tab's chip: a transparent
// layer over the whole tab, so a click anywhere outside the box only closes
// the menu, and the box itself, a short list that scrolls with the wheel.
class InstrumentMenuView final : public QWidget {
public:
    static constexpr QRectF box{80, 28, 190, 130};

    struct Row {
        QRectF rect;  // in the list's own coordinates, before scrolling
        CalculatorKit::Instrument instrument;
    };
    struct Title {
        QRectF rect;
        QString text;
    };

    InstrumentMenuView(CalculatorModel& model, QWidget* parent);

    void setContent(const std::vector<CalculatorTabText::MenuSection>& sections, const std::string& selectedID);
    const std::vector<Row>& rows() const { return rows_; }
    double scrollOffset() const { return offset_; }
    // Where a row is drawn now, in this widget's coordinates.
    QRectF rowRect(const Row& row) const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    void scrollBy(double delta);

    CalculatorModel& model_;
    std::vector<Title> titles_;
    std::vector<Row> rows_;
    std::string selectedID_;
    double contentHeight_ = 0;
    double offset_ = 0;
};

}  // namespace WaylarkKit
