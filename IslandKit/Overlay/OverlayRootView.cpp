#include "IslandKit/Overlay/OverlayRootView.h"

#include <cmath>

#include <QGraphicsOpacityEffect>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>

#include "IslandKit/Overlay/Backdrop.h"

namespace IslandKit {

OverlayRootView::OverlayRootView(const IslandView& content, Size cardSize, QImage snapshot,
                                 std::function<void()> onDismiss, QWidget* parent)
    : QWidget(parent),
      cardSize_(cardSize),
      snapshot_(std::move(snapshot)),
      blurred_(Backdrop::blurred(snapshot_)),
      onDismiss_(std::move(onDismiss)),
      card_(new QWidget(this)),
      cardEffect_(new QGraphicsOpacityEffect(card_)) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    QPalette palette = card_->palette();
    for (auto role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText}) palette.setColor(role, Qt::white);
    card_->setPalette(palette);
    card_->setGraphicsEffect(cardEffect_);
    cardEffect_->setOpacity(0);
    if (content) {
        content_ = content(card_);
        if (content_ && content_->parentWidget() != card_) content_->setParent(card_);
        if (content_) content_->show();
    }
}

QRect OverlayRootView::cardRect() const {
    const int w = static_cast<int>(std::round(cardSize_.width));
    const int h = static_cast<int>(std::round(cardSize_.height));
    return QRect((width() - w) / 2, (height() - h) / 2, w, h);
}

void OverlayRootView::resizeEvent(QResizeEvent*) {
    card_->setGeometry(cardRect());
    const int pad = static_cast<int>(cardPadding);
    if (content_) content_->setGeometry(pad, pad, card_->width() - 2 * pad, card_->height() - 2 * pad);
}

void OverlayRootView::setFade(double fade) {
    if (fade == fade_) return;
    fade_ = fade;
    cardEffect_->setOpacity(fade);
    update();
}

void OverlayRootView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    // At fade 0 the panel shows exactly the screen it covers, so it appears
    // and disappears without a compositor.
    if (!snapshot_.isNull()) {
        painter.drawImage(rect(), snapshot_);
    } else {
        painter.fillRect(rect(), Qt::black);
    }
    painter.setOpacity(fade_);
    if (!blurred_.isNull()) painter.drawImage(rect(), blurred_);
    painter.fillRect(rect(), QColor::fromRgbF(0, 0, 0, static_cast<float>(dimOpacity)));

    painter.setRenderHint(QPainter::Antialiasing);
    QPainterPath card;
    card.addRoundedRect(QRectF(cardRect()), cardCornerRadius, cardCornerRadius);
    painter.fillPath(card, QColor::fromRgbF(0, 0, 0, static_cast<float>(cardOpacity)));
    // The border lies inside the card's outline.
    QPainterPath border;
    border.addRoundedRect(QRectF(cardRect()).adjusted(0.5, 0.5, -0.5, -0.5), cardCornerRadius - 0.5,
                          cardCornerRadius - 0.5);
    painter.setPen(QPen(QColor::fromRgbF(1, 1, 1, 0.08f), 1));
    painter.drawPath(border);
}

bool OverlayRootView::onBackdrop(QPointF position) const {
    const QPoint point = position.toPoint();
    return rect().contains(point) && !cardRect().contains(point);
}

void OverlayRootView::mousePressEvent(QMouseEvent* event) {
    event->accept();
    backdropPressed_ = onBackdrop(event->position());
}

void OverlayRootView::mouseReleaseEvent(QMouseEvent* event) {
    event->accept();
    // A drag that starts or ends on the card is no tap on the backdrop.
    const bool tapped = backdropPressed_ && onBackdrop(event->position());
    backdropPressed_ = false;
    if (tapped && onDismiss_) onDismiss_();
}

}  // namespace IslandKit
