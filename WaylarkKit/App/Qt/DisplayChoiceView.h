#pragma once

#include <array>
#include <functional>
#include <optional>
#include <string>

#include <QWidget>

#include "WaylarkKit/App/DisplayPlan.h"

namespace WaylarkKit {

// The new-display prompt's card: which display is new, the question, the
// three answers worded by the display plan and a footnote. An answer goes to
// `onAnswer`; the card itself stores nothing.
class DisplayChoiceView final : public QWidget {
public:
    static constexpr double buttonHeight = 30;
    static constexpr double buttonSpacing = 10;
    static constexpr double stackSpacing = 14;

    DisplayChoiceView(std::string displayName, DisplayPlan::ButtonTitles titles,
                      std::function<void(DisplayAnswer)> onAnswer, QWidget* parent = nullptr);

    // The answers left to right: not here, only here, also here (the primary one).
    static constexpr std::array<DisplayAnswer, 3> order{DisplayAnswer::notHere, DisplayAnswer::onlyHere,
                                                        DisplayAnswer::alsoHere};
    QRectF buttonRect(DisplayAnswer answer) const;
    const std::string& title(DisplayAnswer answer) const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    std::optional<DisplayAnswer> answerAt(const QPointF& point) const;

    std::string displayName_;
    DisplayPlan::ButtonTitles titles_;
    std::function<void(DisplayAnswer)> onAnswer_;
    std::optional<DisplayAnswer> pressed_;
};

}  // namespace WaylarkKit
