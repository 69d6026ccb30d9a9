#include "WaylarkKit/Checklist/Qt/ChecklistTabView.h"

#include <algorithm>
#include <cmath>

#include <QHelpEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollArea>
#include <QScrollBar>
#include <QToolTip>

#include "WaylarkKit/Checklist/ChecklistTexts.h"
#include "WaylarkKit/Checklist/Qt/ChecklistDrawing.h"
#include "WaylarkKit/Checklist/Qt/ChecklistDropdown.h"
#include "WaylarkKit/Checklist/Qt/ChecklistItemsView.h"
#include "WaylarkKit/Checklist/Qt/EmptyChecklistView.h"
#include "WaylarkKit/Checklist/Qt/HoldToResetButton.h"
#include "WaylarkKit/Style/Qt/TextDrawing.h"

namespace WaylarkKit {

using namespace ChecklistDrawing;

namespace {

constexpr double pencilWidth = 24;
constexpr double pillPadding = 8;
constexpr double pillGap = 4;
constexpr double chevronSize = 8;
const QString noItemsText = QStringLiteral("No items yet. Use the pencil to add some.");

QFont pillFont() { return interFont(11, FontWeight::semibold); }

}  // namespace

ChecklistTabView::ChecklistTabView(ChecklistKit::ChecklistModel& checklist, ChecklistUIState& ui,
                                   Base::Scheduler& scheduler, QWidget* parent)
    : QWidget(parent), checklist_(checklist), ui_(ui), frames_(scheduler) {
    scroll_ = new QScrollArea(this);
    scroll_->setFrameShape(QFrame::NoFrame);
    scroll_->setFocusPolicy(Qt::NoFocus);
    scroll_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    scroll_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    scroll_->setWidgetResizable(false);
    scroll_->setAutoFillBackground(false);
    scroll_->viewport()->setAutoFillBackground(false);
    items_ = new ChecklistItemsView;
    scroll_->setWidget(items_);
    items_->setAutoFillBackground(false);

    resetButton_ = new HoldToResetButton(ui_.resetHold(), this);
    emptyView_ = new EmptyChecklistView(ui_, this);
    dropdown_ = new ChecklistDropdown(this);

    items_->setOnToggle([this](const Base::Uuid& id) { checklist_.toggle(id); });
    items_->setOnTogglePicker([this](const Base::Uuid& id) { ui_.toggleChoice(id); });
    items_->setOnChoose([this](const std::optional<std::string>& option, const Base::Uuid& id) {
        checklist_.setChoice(option, id);
        ui_.setOpenChoiceItemID(std::nullopt);
    });
    dropdown_->setOnSelect([this](const Base::Uuid& id) {
        checklist_.selectTemplate(id);
        closeMenus();
    });
    dropdown_->setOnCreate([this] { ui_.openEditor(EditorRequest::create()); });
    dropdown_->setOnDismiss([this] { closeMenus(); });

    resize(sizeHint());
    layoutChildren();
    refresh();

    subscriptions_.push_back(checklist_.observeState([this] { refresh(); }));
    subscriptions_.push_back(ui_.observeDropdownOpen([this] { refresh(); }));
    subscriptions_.push_back(ui_.observeOpenChoiceItemID([this] {
        refresh();
        if (const std::optional<Base::Uuid> open = ui_.openChoiceItemID()) scrollToRow(*open, 0.2);
    }));
    subscriptions_.push_back(ui_.observeScrollTick([this] {
        if (const std::optional<Base::Uuid> target = ui_.scrollTarget()) scrollToRow(*target, 0.35);
    }));
}

ChecklistTabView::~ChecklistTabView() {
    subscriptions_.clear();
    closeMenus();
}

void ChecklistTabView::closeMenus() {
    ui_.setDropdownOpen(false);
    ui_.setOpenChoiceItemID(std::nullopt);
}

QRectF ChecklistTabView::pencilRect() const { return QRectF(width() - pencilWidth, 0, pencilWidth, headerHeight); }

QRectF ChecklistTabView::pillRect() const {
    const QString name = QString::fromStdString(painted_.name);
    const double label = name.isEmpty() ? 0 : textWidth(pillFont(), name) + pillGap;
    const double w = pillPadding + label + symbolWidth(chevronSize) + pillPadding;
    return QRectF(pencilRect().left() - spacing - w, 0, w, headerHeight);
}

void ChecklistTabView::layoutChildren() {
    const int w = width();
    const int h = height();
    const int listTop = static_cast<int>(headerHeight + spacing);
    scroll_->setGeometry(0, listTop, w, std::max(0, h - listTop - static_cast<int>(spacing + footerHeight)));
    resetButton_->move(w - static_cast<int>(HoldToResetButton::width), h - static_cast<int>(footerHeight));
    emptyView_->setGeometry(rect());
    dropdown_->setGeometry(rect());
}

void ChecklistTabView::refresh() {
    const bool isEmpty = checklist_.hasNoTemplates();
    const std::optional<ChecklistKit::ChecklistTemplate> active = checklist_.activeTemplate();
    const std::vector<ChecklistKit::ChecklistItem> activeItems = checklist_.activeItems();
    const std::optional<ChecklistKit::ChecklistProgress> progress = checklist_.progress();

    Painted now;
    now.isEmpty = isEmpty;
    now.name = active ? ChecklistTexts::shortened(active->name, ChecklistTexts::headerNameLimit) : "";
    now.isDropdownOpen = ui_.isDropdownOpen();
    now.hasActive = active.has_value();
    now.hasNoItems = activeItems.empty();
    if (progress) now.count = ChecklistTexts::countText(*progress);
    if (now != painted_) {
        painted_ = now;
        update();
    }

    targets_.clear();
    targets_.add(capsule(pillRect()), [this] {
        ui_.setOpenChoiceItemID(std::nullopt);
        ui_.setDropdownOpen(!ui_.isDropdownOpen());
    });
    targets_.add(capsule(pencilRect()), [this] {
        if (const std::optional<ChecklistKit::ChecklistTemplate> shown = checklist_.activeTemplate()) {
            ui_.openEditor(EditorRequest::edit(shown->id));
        }
    });

    std::vector<ChecklistItemsView::Row> rows;
    for (const ChecklistKit::ChecklistItem& item : activeItems) {
        ChecklistItemsView::Row row{item, false, std::nullopt, false};
        if (item.hasOptions()) {
            row.choice = checklist_.choice(item.id);
            row.isOpen = ui_.openChoiceItemID() == item.id;
        } else {
            row.isChecked = checklist_.isChecked(item.id);
        }
        rows.push_back(std::move(row));
    }
    items_->setRows(std::move(rows), width());

    std::vector<ChecklistDropdown::Entry> entries;
    for (const ChecklistKit::ChecklistTemplate& checklist : checklist_.templates()) {
        entries.push_back({checklist.id, checklist.name, active && active->id == checklist.id});
    }
    dropdown_->setEntries(std::move(entries));

    resetButton_->setResetEnabled(ChecklistTexts::canReset(progress));
    emptyView_->setVisible(isEmpty);
    scroll_->setVisible(!isEmpty && !now.hasNoItems);
    resetButton_->setVisible(!isEmpty);
    dropdown_->setVisible(!isEmpty && now.isDropdownOpen);
    dropdown_->raise();
}

void ChecklistTabView::scrollToRow(const Base::Uuid& id, double seconds) {
    const std::optional<QRectF> row = items_->rowRect(id);
    if (!row) return;
    QScrollBar* bar = scroll_->verticalScrollBar();
    const double from = bar->value();
    const double viewHeight = scroll_->viewport()->height();
    double target = from;
    if (row->top() < from) {
        target = row->top();
    } else if (row->bottom() > from + viewHeight) {
        target = row->bottom() - viewHeight;
    }
    target = std::clamp(target, 0.0, static_cast<double>(bar->maximum()));
    if (std::abs(target - from) < 0.5) return;
    const double start = frames_.now();
    scrollAnimation_ = frames_.run([bar, from, target, start, seconds](double t) {
        const double f = std::clamp((t - start) / seconds, 0.0, 1.0);
        const double eased = 1 - std::pow(1 - f, 3);
        bar->setValue(static_cast<int>(std::lround(from + (target - from) * eased)));
        return f < 1;
    });
}

void ChecklistTabView::resizeEvent(QResizeEvent*) {
    layoutChildren();
    refresh();
}

void ChecklistTabView::hideEvent(QHideEvent* event) {
    QWidget::hideEvent(event);
    closeMenus();
}

bool ChecklistTabView::event(QEvent* event) {
    if (event->type() == QEvent::ToolTip) {
        const auto* help = static_cast<QHelpEvent*>(event);
        if (!painted_.isEmpty && pencilRect().contains(help->pos())) {
            QToolTip::showText(help->globalPos(), QStringLiteral("Edit this checklist"), this);
        } else {
            QToolTip::hideText();
        }
        return true;
    }
    return QWidget::event(event);
}

void ChecklistTabView::paintEvent(QPaintEvent*) {
    if (painted_.isEmpty) return;
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing, true);
    drawLine(painter, QRectF(0, 0, width(), headerHeight), Qt::AlignLeft, interFont(13, FontWeight::semibold),
             Qt::white, QStringLiteral("Checklist"));

    const QRectF pill = pillRect();
    fill(painter, capsule(pill), white(0.1));
    const QString name = QString::fromStdString(painted_.name);
    if (!name.isEmpty()) {
        drawLine(painter, pill.adjusted(pillPadding, 0, 0, 0), Qt::AlignLeft, pillFont(), white(0.9), name);
    }
    drawSymbol(painter, painted_.isDropdownOpen ? Symbol::chevronUp : Symbol::chevronDown,
               QPointF(pill.right() - pillPadding - symbolWidth(chevronSize) / 2, pill.center().y()), chevronSize, 1,
               white(0.9));
    const QRectF pencil = pencilRect();
    fill(painter, capsule(pencil), white(0.1));
    drawSymbol(painter, Symbol::pencil, pencil.center(), 11, 0.7, white(0.85));

    if (painted_.hasNoItems) {
        drawLine(painter, scroll_->geometry(), Qt::AlignHCenter, interFont(11), white(0.4), noItemsText);
    }
    if (painted_.count) {
        painter.setPen(white(0.4));
        MonoDigits::drawIn(painter, QRectF(0, height() - footerHeight, width() / 2.0, footerHeight),
                           Qt::AlignLeft | Qt::AlignVCenter, interFont(10, FontWeight::medium),
                           QString::fromStdString(*painted_.count));
    }
}

void ChecklistTabView::mousePressEvent(QMouseEvent* event) {
    if (painted_.isEmpty || event->button() != Qt::LeftButton || !targets_.press(event->position())) event->ignore();
}

void ChecklistTabView::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) targets_.release(event->position());
}

}  // namespace WaylarkKit
