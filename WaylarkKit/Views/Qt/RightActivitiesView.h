#pragma once

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include <QColor>
#include <QPointer>
#include <QRectF>
#include <QWidget>

#include "Base/Observable.h"
#include "Base/Scheduler.h"
#include "ChecklistKit/ChecklistModel.h"
#include "TradingCore/Evaluation/Activity.h"
#include "WaylarkKit/Greeting/Qt/GreetingWordView.h"
#include "WaylarkKit/Motion/Qt/FrameAlignedRepaint.h"
#include "WaylarkKit/Motion/ReduceMotion.h"
#include "WaylarkKit/Timing/TimingViewModel.h"
#include "WaylarkKit/Views/ActivityView.h"
#include "WaylarkKit/Views/HoverMagnification.h"
#include "WaylarkKit/Style/Qt/Fonts.h"
#include "WaylarkKit/Views/Qt/PulsingLabel.h"
#include "WaylarkKit/Views/Qt/TextWidths.h"

namespace WaylarkKit {

class ChecklistIndicator;

// The island's slot right of the notch: the lot-size button, one item per
// activity of the evaluation and the checklist badge, 10 points apart; the
// second greeting word while the greeting plays. A click opens the item's
// tab; the item under the pointer grows by a tenth. Every item reports its
// frame to the view model under its key, in the trailing slot's coordinates,
// and only the keys shown now stay recorded there.
//
// Items are painted here, except the checklist badge, which is its own
// widget. Only items whose look changed are repainted: from one tick to the
// next, the countdowns.
class RightActivitiesView final : public QWidget {
public:
    static constexpr double spacing = 10;
    static constexpr double calculatorPadding = 2;  // left and right
    static constexpr double checklistPadding = 8;   // above and below
    static constexpr double dimmedGlyphOpacity = 0.75;
    static constexpr double greetingFontSize = 14;

    struct Item {
        enum class Kind { calculator, activity, checklist };
        Kind kind = Kind::calculator;
        std::string key;
        QRectF rect;  // in the widget, before any growth
        bool hovered = false;
        // The lot-size button.
        QColor glyphColour;
        // An activity.
        TradingCore::Activity activity;
        ActivityParts parts;
        bool pulses = false;
        QColor pulseColour;
        QColor tint;

        bool sameLook(const Item& other) const;
    };

    RightActivitiesView(TimingViewModel& model, ChecklistKit::ChecklistModel& checklist, std::string islandID,
                        Base::Scheduler& scheduler, ReduceMotionFlag reduceMotion, QWidget* parent = nullptr);
    ~RightActivitiesView() override;
    RightActivitiesView(const RightActivitiesView&) = delete;
    RightActivitiesView& operator=(const RightActivitiesView&) = delete;

    const std::vector<Item>& items() const { return items_; }
    const Item* item(const std::string& key) const;
    double magnification(const std::string& key) const;
    const PulsingLabel* pulsingLabel(const std::string& activityID) const;
    ChecklistIndicator* checklistIndicator() const { return indicator_; }
    GreetingWordView* greetingView() const { return greeting_; }
    bool isGreeting() const { return greeting_ != nullptr; }
    QSize sizeHint() const override { return size_; }

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void refresh();
    std::vector<Item> makeItems() const;
    void layOut(std::vector<Item>& items);
    void syncHelpers();
    void placeIndicator();
    void reportFrames();
    void setPulsesShown();
    // An item's area, or a part of it, as large as it can grow when hovered.
    QRectF grownRect(const Item& item) const;
    QRectF grown(const Item& item, const QRectF& part) const;
    QRectF labelBox(const Item& item);
    QRectF countdownBox(const Item& item);
    const Item* itemAt(QPointF point) const;
    void activate(const Item& item);
    void paintActivity(QPainter& painter, const Item& item, const QRegion& exposed);
    double labelWidth(const Item& item);

    TimingViewModel& model_;
    ChecklistKit::ChecklistModel& checklist_;
    const std::string islandID_;
    Base::Scheduler& scheduler_;
    ReduceMotionFlag reduceMotion_;
    FrameAlignedRepaint tickRepaint_;
    ChecklistIndicator* indicator_;
    QPointer<GreetingWordView> greeting_;
    int greetingRun_ = 0;
    std::vector<Item> items_;
    QSize size_;
    TextWidths widths_{interFont(ActivityView::fontSize, FontWeight::semibold), true};
    TextWidths pulsingWidths_{PulsingLabel::font(), true};
    std::map<std::string, std::unique_ptr<HoverMagnification>> magnifiers_;
    std::map<std::string, std::unique_ptr<PulsingLabel>> pulses_;
    // Last, so they go first.
    std::vector<Base::Subscription> subscriptions_;
};

}  // namespace WaylarkKit
