#include "WaylarkKit/Greeting/Qt/GreetingWordView.h"

#include <cmath>

#include <QPaintEvent>
#include <QPainter>

#include "WaylarkKit/Greeting/GreetingWord.h"
#include "WaylarkKit/Greeting/Qt/WordLayoutQt.h"
#include "WaylarkKit/Style/Qt/Fonts.h"

namespace WaylarkKit {

namespace {

// Letters enter and leave 14 points away and overshoot their size by about a
// quarter while springing in.
constexpr double travel = 14;
constexpr double framesPerSecond = 60;

}  // namespace

GreetingWordView::GreetingWordView(const QString& text, GreetingMotion::Style style, double total, double fontSize,
                                   Base::Scheduler& scheduler, ReduceMotionFlag reduceMotion, QWidget* parent)
    : QWidget(parent),
      text_(text),
      style_(style),
      total_(total),
      fontSize_(fontSize),
      clock_(scheduler),
      reduceMotion_(std::move(reduceMotion)) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_NoSystemBackground);
    build();
}

GreetingWordView::~GreetingWordView() = default;

void GreetingWordView::update(const QString& text, GreetingMotion::Style style, double total) {
    if (text == text_ && style == style_ && total == total_) return;
    text_ = text;
    style_ = style;
    total_ = total;
    build();
}

QMargins GreetingWordView::canvasMargins() const {
    const int across = static_cast<int>(std::ceil(0.25 * fontSize_)) + 2;
    const int upDown = static_cast<int>(std::ceil(travel + 0.15 * wordSize_.height())) + 2;
    return QMargins(across, upDown, across, upDown);
}

QRect GreetingWordView::wordRect() const {
    const QMargins margins = canvasMargins();
    return QRect(margins.left(), margins.top(), static_cast<int>(std::ceil(wordSize_.width())),
                 static_cast<int>(std::ceil(wordSize_.height())));
}

QSize GreetingWordView::sizeHint() const { return wordRect().marginsAdded(canvasMargins()).size(); }

QTransform GreetingWordView::wordToWidget() const {
    const QPoint origin = wordRect().topLeft();
    return QTransform::fromTranslate(origin.x(), origin.y());
}

void GreetingWordView::build() {
    const WordLayout layout = layOutWord(text_, interFont(fontSize_, FontWeight::semibold));
    wordSize_ = QSizeF(layout.width, layout.height);
    const bool reduce = reduceMotion_ && reduceMotion_();
    painter_.forget();
    onScreen_ = {};
    figure_ = GreetingWord::build(layout, style_, total_, reduce, clock_.now());
    ++builds_;
    updateGeometry();
    resize(sizeHint());
    QWidget::update();
    startFrames();
}

void GreetingWordView::startFrames() {
    if (!isVisible() || !(figure_.settlesAt() >= clock_.now())) {
        frames_.cancel();
        return;
    }
    frames_ = clock_.runPaced([this](double now) -> std::optional<double> {
        const auto areas = takeVisibleChanges(onScreen_, sampleFigure(figure_, now), devicePixelRatioF());
        if (!areas.empty()) QWidget::update(repaintRegion(areas, wordToWidget()));
        if (now > figure_.settlesAt()) return std::nullopt;
        return 1.0 / framesPerSecond;
    });
}

void GreetingWordView::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    painter_.paint(painter, sampleFigure(figure_, clock_.now()), wordToWidget(), event->region());
}

void GreetingWordView::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    startFrames();
}

void GreetingWordView::hideEvent(QHideEvent* event) {
    QWidget::hideEvent(event);
    frames_.cancel();
}

}  // namespace WaylarkKit
