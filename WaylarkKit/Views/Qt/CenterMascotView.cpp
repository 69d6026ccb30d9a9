#include "WaylarkKit/Views/Qt/CenterMascotView.h"

#include "WaylarkKit/Mascot/MascotForStatus.h"
#include "WaylarkKit/Mascot/Qt/MascotView.h"

#include <QPaintEvent>
#include <QPainter>

namespace WaylarkKit {

CenterMascotView::CenterMascotView(TimingViewModel& model, Base::Scheduler& scheduler, ReduceMotionFlag reduceMotion,
                                   double mascotSide, QWidget* parent)
    : QWidget(parent), model_(model), mascot_(new MascotView(mascotSide, scheduler, std::move(reduceMotion), this)) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
    // It sits on the black island: painting that black itself spares the
    // island beneath a repaint on every frame of the mascot.
    setAttribute(Qt::WA_OpaquePaintEvent);
    refresh();
    using F = TimingViewModel::Field;
    subscriptions_ = {
        model_.observe(F::evaluation, [this] { refresh(); }),
        model_.observe(F::isCelebratingChecklist, [this] { refresh(); }),
    };
}

CenterMascotView::~CenterMascotView() = default;

QSize CenterMascotView::sizeHint() const { return mascot_->contentRect().size(); }

void CenterMascotView::refresh() { mascot_->show(mascot(model_.evaluation(), model_.isCelebratingChecklist())); }

void CenterMascotView::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    painter.fillRect(event->rect(), Qt::black);
}

void CenterMascotView::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    const QRect square = mascot_->contentRect();
    const QPoint centred((width() - square.width()) / 2, (height() - square.height()) / 2);
    mascot_->move(centred - square.topLeft());
}

}  // namespace WaylarkKit
