#pragma once

#include <QMargins>
#include <QRect>
#include <QString>
#include <QTransform>
#include <QWidget>

#include "Base/Scheduler.h"
#include "WaylarkKit/Greeting/GreetingMotion.h"
#include "WaylarkKit/Motion/FigureLook.h"
#include "WaylarkKit/Motion/FrameClock.h"
#include "WaylarkKit/Motion/Qt/FigurePainter.h"
#include "WaylarkKit/Motion/ReduceMotion.h"

namespace WaylarkKit {

// One animated greeting word, in Inter semibold of `fontSize`. The word is
// laid out once per build and every letter then plays the greeting's motion
// from that moment; the word view asks for frames only while the word plays.
// Letters rise and grow beyond the word's box, so the widget is a canvas
// around it (`wordRect()` is the box a layout gives the word); clicks pass
// through to whatever lies beneath.
class GreetingWordView final : public QWidget {
public:
    GreetingWordView(const QString& text, GreetingMotion::Style style, double total, double fontSize,
                     Base::Scheduler& scheduler, ReduceMotionFlag reduceMotion,
                     QWidget* parent = nullptr);
    ~GreetingWordView() override;

    using QWidget::update;
    // Builds the word again, restarting its motion, unless all three are unchanged.
    void update(const QString& text, GreetingMotion::Style style, double total);

    // The measured size of the word, and where it lies in the widget.
    QSizeF wordSize() const { return wordSize_; }
    QRect wordRect() const;
    QMargins canvasMargins() const;
    QSize sizeHint() const override;

    const FigureNode& figure() const { return figure_; }
    int buildCount() const { return builds_; }
    bool isAnimating() const { return frames_.isScheduled(); }

protected:
    void paintEvent(QPaintEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void build();
    void startFrames();
    QTransform wordToWidget() const;

    QString text_;
    GreetingMotion::Style style_;
    double total_;
    double fontSize_;
    FrameClock clock_;
    ReduceMotionFlag reduceMotion_;
    QSizeF wordSize_;
    FigureNode figure_;
    FigureLook onScreen_;
    FigurePainter painter_;
    int builds_ = 0;
    Base::TaskHandle frames_;
};

}  // namespace WaylarkKit
