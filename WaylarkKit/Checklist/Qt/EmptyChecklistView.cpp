#include "WaylarkKit/Checklist/Qt/EmptyChecklistView.h"

#include <QMouseEvent>
#include <QPainter>

#include "WaylarkKit/Checklist/Qt/ChecklistDrawing.h"

namespace WaylarkKit {

using namespace ChecklistDrawing;

namespace {

constexpr double spacing = 10;
constexpr double buttonHeight = 28;
constexpr double buttonPadding = 14;
const QString message = QStringLiteral("No checklists yet");
const QString buttonTitle = QStringLiteral("Create your Checklist");

QFont messageFont() { return interFont(11); }
QFont buttonFont() { return interFont(12, FontWeight::semibold); }

double blockHeight() { return lineHeight(messageFont()) + spacing + buttonHeight; }

}  // namespace

EmptyChecklistView::EmptyChecklistView(ChecklistUIState& ui, QWidget* parent) : ClickableWidget(parent), ui_(ui) {}

QRectF EmptyChecklistView::createButtonRect() const {
    const double top = (height() - blockHeight()) / 2 + lineHeight(messageFont()) + spacing;
    const double w = buttonPadding + textWidth(buttonFont(), buttonTitle) + buttonPadding;
    return QRectF((width() - w) / 2, top, w, buttonHeight);
}

void EmptyChecklistView::resizeEvent(QResizeEvent*) {
    targets().clear();
    targets().add(capsule(createButtonRect()), [this] { ui_.openEditor(EditorRequest::create()); });
}

void EmptyChecklistView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const double top = (height() - blockHeight()) / 2;
    drawLine(painter, QRectF(0, top, width(), lineHeight(messageFont())), Qt::AlignHCenter, messageFont(), white(0.45),
             message);
    const QRectF button = createButtonRect();
    fill(painter, capsule(button), orange());
    drawLine(painter, button, Qt::AlignHCenter, buttonFont(), Qt::black, buttonTitle);
}

}  // namespace WaylarkKit
