#pragma once

#include <optional>
#include <vector>

#include <QColor>
#include <QFont>
#include <QPainter>
#include <QRectF>
#include <QString>

#include "WaylarkKit/Calculator/CalculatorTabState.h"

namespace WaylarkKit {

// Where everything of the lot-size tab lies for one state and size, with the
// texts as they are drawn. The text fields are widgets of their own; the
// geometry only says where they go.
struct CalculatorTabGeometry {
    static constexpr double leadingPadding = 14;

    struct Card {
        CalculatorCard card;
        QRectF frame;
        QRectF caption;
        std::optional<QRectF> modeSwitch;
        std::optional<QRectF> prefix;
        QRectF textField;
        std::optional<QRectF> minus;
        std::optional<QRectF> plus;
    };
    // One line of the column beside the size.
    struct Line {
        QRectF rect;
        QString text;
        QFont font;
        QColor colour;
        bool wraps = false;
    };

    QSizeF size;
    QRectF title;
    QRectF chip;
    QRectF assumption;
    QString assumptionText;  // elided from its head when narrow
    std::optional<QRectF> direction;
    QRectF edit;
    std::vector<Card> cards;
    std::optional<QRectF> prompt;
    QRectF sizeBlock;
    QRectF sizeNumber;
    QRectF unitLine;
    double sizeFontSize = 34;
    std::vector<Line> column;
    std::optional<QRectF> microButton;
    std::optional<QRectF> toast;
};

CalculatorTabGeometry layoutCalculatorTab(const CalculatorTabState& state, const QSizeF& size);
// Everything but the text fields, the menu and the toast.
void paintCalculatorTab(QPainter& painter, const CalculatorTabState& state, const CalculatorTabGeometry& geometry);
void paintCalculatorToast(QPainter& painter, const QString& text, const QRectF& rect);

// The tab's clickable places.
enum class CalculatorTabTarget {
    instrumentChip,
    assumption,
    direction,
    edit,
    riskSwitch,
    stopSwitch,
    riskMinus,
    riskPlus,
    stopMinus,
    stopPlus,
    sizeBlock,
    microButton,
};
std::optional<CalculatorTabTarget> hitCalculatorTab(const CalculatorTabGeometry& geometry, const QPointF& point);
QString calculatorTabTooltip(const CalculatorTabState& state, CalculatorTabTarget target);

}  // namespace WaylarkKit
