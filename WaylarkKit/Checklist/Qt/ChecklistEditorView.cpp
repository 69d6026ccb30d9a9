#include "WaylarkKit/Checklist/Qt/ChecklistEditorView.h"

#include <algorithm>

#include <QPainter>
#include <QScrollArea>

#include "WaylarkKit/Checklist/Qt/ChecklistDrawing.h"
#include "WaylarkKit/Checklist/Qt/ChecklistEditorRow.h"
#include "WaylarkKit/Checklist/Qt/ChecklistSidebarList.h"
#include "WaylarkKit/TextField/Qt/EditableText.h"

namespace WaylarkKit {

using namespace ChecklistDrawing;

namespace {

constexpr double columnGap = 18;
constexpr double dividerWidth = 1;
constexpr double detailLeft = ChecklistEditorView::sidebarWidth + columnGap + dividerWidth + columnGap;
constexpr double sidebarSpacing = 10;
constexpr double detailSpacing = 12;
constexpr double nameHeight = 26;
constexpr double barHeight = 28;
constexpr double rowSpacing = 4;
constexpr double addItemPadding = 6;

const QString sidebarTitle = QStringLiteral("Checklists");
const QString newChecklistTitle = QStringLiteral("New checklist");
const QString addItemTitle = QStringLiteral("Add item");
const QString emptyText = QStringLiteral("No checklists yet");
const QString createTitle = QStringLiteral("Create your Checklist");
const QString closeTitle = QStringLiteral("Close");

QFont titleFont() { return interFont(15, FontWeight::semibold); }
QFont newChecklistFont() { return interFont(12, FontWeight::semibold); }
QFont deleteFont() { return interFont(11, FontWeight::semibold); }
QFont doneFont() { return interFont(12, FontWeight::semibold); }
QFont emptyFont() { return interFont(13); }
QFont createFont() { return interFont(13, FontWeight::semibold); }
QFont closeFont() { return interFont(11); }

QString deleteTitle(bool armed) {
    return armed ? QStringLiteral("Click again to delete") : QStringLiteral("Delete checklist");
}

double addItemHeight() { return addItemPadding + std::max(lineHeight(interFont(12)), 13.0) + addItemPadding; }
double addItemWidth() { return symbolWidth(13) + 6 + textWidth(interFont(12, FontWeight::semibold), addItemTitle); }

}  // namespace

// The scrolling column of item rows; it paints the "Add item" button under them.
class EditorItemsColumn final : public ClickableWidget {
public:
    using ClickableWidget::ClickableWidget;

    void setAddItem(const QRectF& rect, std::function<void()> action) {
        addItem_ = rect;
        targets().clear();
        targets().add(rect, std::move(action));
        update();
    }
    const QRectF& addItemRect() const { return addItem_; }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing, true);
        const double iconW = symbolWidth(13);
        drawSymbol(painter, Symbol::plusCircleFill, QPointF(addItem_.left() + iconW / 2, addItem_.center().y()), 13,
                   0.7, orange());
        drawLine(painter, addItem_.adjusted(iconW + 6, 0, 0, 0), Qt::AlignLeft, interFont(12, FontWeight::semibold),
                 orange(), addItemTitle);
    }

private:
    QRectF addItem_;
};

namespace {

QScrollArea* quietScrollArea(QWidget* parent, QWidget* content) {
    auto* scroll = new QScrollArea(parent);
    scroll->setFrameShape(QFrame::NoFrame);
    // Clicks on the painted controls must leave the keyboard focus in the field being typed in.
    scroll->setFocusPolicy(Qt::NoFocus);
    scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    scroll->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    scroll->setWidgetResizable(false);
    scroll->setAutoFillBackground(false);
    scroll->viewport()->setAutoFillBackground(false);
    scroll->setWidget(content);
    content->setAutoFillBackground(false);
    return scroll;
}

}  // namespace

ChecklistEditorView::ChecklistEditorView(ChecklistKit::ChecklistModel& checklist, ChecklistEditorModel& editor,
                                         Base::Scheduler& scheduler, QWidget* parent)
    : ClickableWidget(parent), checklist_(checklist), editor_(editor), scheduler_(scheduler) {
    sidebarList_ = new ChecklistSidebarList;
    sidebarScroll_ = quietScrollArea(this, sidebarList_);
    itemsColumn_ = new EditorItemsColumn;
    itemsScroll_ = quietScrollArea(this, itemsColumn_);
    sidebarList_->setOnSelect([this](const Base::Uuid& id) {
        editor_.disarm();
        editor_.closeChoiceEditor();
        checklist_.selectTemplate(id);
    });

    resize(sizeHint());
    layoutChildren();
    refresh();

    subscriptions_.push_back(checklist_.observeState([this] { refresh(); }));
    subscriptions_.push_back(editor_.observeFocusName([this] { refresh(); }));
    subscriptions_.push_back(editor_.observeFocusItemID([this] {
        refresh();
        focusRequestedItem();
    }));
    subscriptions_.push_back(editor_.observeChoiceEditorItemID([this] { refresh(); }));
    subscriptions_.push_back(editor_.observeOptionDrafts([this] { refresh(); }));
    subscriptions_.push_back(editor_.observeArmedDeleteID([this] { refresh(); }));
}

ChecklistEditorView::~ChecklistEditorView() = default;

std::vector<ChecklistEditorRow*> ChecklistEditorView::rows() const {
    std::vector<ChecklistEditorRow*> shown;
    for (const QPointer<ChecklistEditorRow>& row : rows_) {
        if (row) shown.push_back(row);
    }
    return shown;
}

QRectF ChecklistEditorView::newChecklistRect() const {
    const double w = 12 + symbolWidth(10) + 6 + textWidth(newChecklistFont(), newChecklistTitle) + 12;
    return QRectF(0, height() - barHeight, w, barHeight);
}

QRectF ChecklistEditorView::deleteRect() const {
    const double w = 12 + textWidth(deleteFont(), deleteTitle(painted_.isArmed)) + 12;
    return QRectF(detailLeft, height() - barHeight + 1, w, 26);
}

QRectF ChecklistEditorView::doneRect() const {
    const double w = 20 + textWidth(doneFont(), QStringLiteral("Done")) + 20;
    return QRectF(width() - w, height() - barHeight, w, barHeight);
}

QRectF ChecklistEditorView::createRect() const {
    const double block = lineHeight(emptyFont()) + detailSpacing + 30 + detailSpacing + lineHeight(closeFont());
    const double top = (height() - block) / 2 + lineHeight(emptyFont()) + detailSpacing;
    const double w = 16 + textWidth(createFont(), createTitle) + 16;
    return QRectF(detailLeft + (width() - detailLeft - w) / 2, top, w, 30);
}

QRectF ChecklistEditorView::closeRect() const {
    const double w = textWidth(closeFont(), closeTitle);
    return QRectF(detailLeft + (width() - detailLeft - w) / 2, createRect().bottom() + detailSpacing, w,
                  lineHeight(closeFont()));
}

QRectF ChecklistEditorView::addItemRect() const {
    const QRectF inColumn = itemsColumn_->addItemRect();
    return QRectF(itemsColumn_->mapTo(this, inColumn.topLeft().toPoint()), inColumn.size());
}

void ChecklistEditorView::layoutChildren() {
    const double titleBottom = lineHeight(titleFont()) + sidebarSpacing;
    sidebarScroll_->setGeometry(0, static_cast<int>(titleBottom), static_cast<int>(sidebarWidth),
                                std::max(0, static_cast<int>(height() - titleBottom - sidebarSpacing - barHeight)));
    const int detailWidth = std::max(0, width() - static_cast<int>(detailLeft));
    const double itemsTop = nameHeight + detailSpacing;
    itemsScroll_->setGeometry(static_cast<int>(detailLeft), static_cast<int>(itemsTop), detailWidth,
                              std::max(0, static_cast<int>(height() - itemsTop - detailSpacing - barHeight)));
    if (nameField_) nameField_->setGeometry(static_cast<int>(detailLeft), 0, detailWidth, static_cast<int>(nameHeight));
}

void ChecklistEditorView::resizeEvent(QResizeEvent*) {
    layoutChildren();
    refresh();
    layoutItems();
}

void ChecklistEditorView::rebuildTargets() {
    targets().clear();
    targets().add(capsule(newChecklistRect()), [this] { createNew(); });
    if (painted_.hasActive) {
        targets().add(capsule(deleteRect()), [this] {
            const std::optional<ChecklistKit::ChecklistTemplate> shown = checklist_.activeTemplate();
            if (shown && editor_.requestDelete(shown->id)) checklist_.deleteTemplate(shown->id);
        });
        targets().add(capsule(doneRect()), [this] {
            if (onDone_) onDone_();
        });
    } else {
        targets().add(capsule(createRect()), [this] { createNew(); });
        targets().add(closeRect(), [this] {
            if (onDone_) onDone_();
        });
    }
}

void ChecklistEditorView::refresh() {
    const std::optional<ChecklistKit::ChecklistTemplate> active = checklist_.activeTemplate();
    std::vector<ChecklistSidebarList::Row> sidebarRows;
    for (const ChecklistKit::ChecklistTemplate& checklist : checklist_.templates()) {
        sidebarRows.push_back({checklist.id, checklist.name, static_cast<int>(checklist.countedItems().size()),
                               active && active->id == checklist.id});
    }
    sidebarList_->setRows(std::move(sidebarRows), static_cast<int>(sidebarWidth));

    const Painted now{active.has_value(), active && editor_.armedDeleteID() == active->id};
    if (now != painted_) {
        painted_ = now;
        update();
    }
    rebuildTargets();

    if (active) {
        refreshDetail(*active);
    } else {
        dropDetail();
    }
}

void ChecklistEditorView::dropDetail() {
    if (nameField_) {
        nameField_->hide();
        nameField_->deleteLater();
        nameField_ = nullptr;
    }
    for (const QPointer<ChecklistEditorRow>& row : rows_) {
        if (!row) continue;
        row->hide();
        row->deleteLater();
    }
    rows_.clear();
    shownTemplate_.reset();
    itemsScroll_->hide();
}

void ChecklistEditorView::makeNameField(const Base::Uuid& templateID, bool autofocus) {
    if (nameField_) {
        nameField_->hide();
        nameField_->deleteLater();
    }
    nameField_ = new EditableText(
        {[this, templateID] {
             const std::optional<ChecklistKit::ChecklistTemplate> shown = checklist_.templateWithID(templateID);
             return shown ? shown->name : std::string();
         },
         [this, templateID](const std::string& name) { checklist_.renameTemplate(templateID, name); },
         {}},  // made afresh for each checklist shown
        {"Checklist name", 18, FontWeight::semibold, autofocus, false}, scheduler_, this);
    nameField_->setOnSubmit([this, templateID] { addItem(templateID); });
    layoutChildren();
    nameField_->show();
}

void ChecklistEditorView::refreshDetail(const ChecklistKit::ChecklistTemplate& shown) {
    if (shownTemplate_ != shown.id) {
        dropDetail();
        shownTemplate_ = shown.id;
        makeNameField(shown.id, editor_.focusName());
    } else if (editor_.focusName()) {
        // A request made after the field appeared (a checklist created from
        // here) is honoured by a new field that takes the focus as it shows.
        makeNameField(shown.id, true);
    } else {
        nameField_->refresh();
    }

    std::vector<QPointer<ChecklistEditorRow>> ordered;
    for (const ChecklistKit::ChecklistItem& item : shown.items) {
        const auto existing = std::find_if(rows_.begin(), rows_.end(), [&](const QPointer<ChecklistEditorRow>& row) {
            return row && row->itemID() == item.id;
        });
        if (existing != rows_.end()) {
            (*existing)->setItem(item);
            ordered.push_back(*existing);
            rows_.erase(existing);
        } else {
            const Base::Uuid templateID = shown.id;
            auto* row = new ChecklistEditorRow(checklist_, editor_, scheduler_, templateID, item,
                                               [this, templateID] { addItem(templateID); }, itemsColumn_);
            row->show();
            ordered.emplace_back(row);
        }
    }
    for (const QPointer<ChecklistEditorRow>& gone : rows_) {
        if (!gone) continue;
        gone->hide();
        gone->deleteLater();
    }
    rows_ = std::move(ordered);
    itemsScroll_->show();
    layoutItems();
    // The name field is on screen: the request is taken.
    editor_.setFocusName(false);
}

void ChecklistEditorView::layoutItems() {
    const int w = itemsScroll_->width();
    double y = 0;
    for (const QPointer<ChecklistEditorRow>& row : rows_) {
        if (!row) continue;
        row->setGeometry(0, static_cast<int>(y), w, static_cast<int>(row->rowHeight()));
        y += row->rowHeight() + rowSpacing;
    }
    const QRectF addItem(0, y, addItemWidth(), addItemHeight());
    itemsColumn_->setAddItem(addItem, [this] {
        if (shownTemplate_) this->addItem(*shownTemplate_);
    });
    itemsColumn_->setFixedSize(w, static_cast<int>(std::ceil(addItem.bottom())));
}

void ChecklistEditorView::focusRequestedItem() {
    const std::optional<Base::Uuid> wanted = editor_.focusItemID();
    if (!wanted) return;
    for (const QPointer<ChecklistEditorRow>& row : rows_) {
        if (row && row->itemID() == *wanted) row->focusText();
    }
}

void ChecklistEditorView::createNew() {
    editor_.disarm();
    editor_.closeChoiceEditor();
    if (checklist_.createTemplate("New checklist")) editor_.setFocusName(true);
}

void ChecklistEditorView::addItem(const Base::Uuid& templateID) {
    const std::optional<ChecklistKit::ChecklistTemplate> target = checklist_.templateWithID(templateID);
    // An empty last line takes the next Return itself.
    if (target && !target->items.empty() && target->items.back().isBlank()) return;
    editor_.setFocusItemID(checklist_.addItem(templateID, ""));
}

void ChecklistEditorView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing, true);
    drawLine(painter, QRectF(0, 0, sidebarWidth, lineHeight(titleFont())), Qt::AlignLeft, titleFont(), Qt::white,
             sidebarTitle);
    const QRectF create = newChecklistRect();
    fill(painter, capsule(create), orange());
    drawSymbol(painter, Symbol::plus, QPointF(create.left() + 12 + symbolWidth(10) / 2, create.center().y()), 10, 1,
               Qt::black);
    drawLine(painter, create.adjusted(12 + symbolWidth(10) + 6, 0, 0, 0), Qt::AlignLeft, newChecklistFont(), Qt::black,
             newChecklistTitle);
    painter.fillRect(QRectF(sidebarWidth + columnGap, 0, dividerWidth, height()), white(0.08));

    if (painted_.hasActive) {
        const QRectF remove = deleteRect();
        fill(painter, capsule(remove), painted_.isArmed ? red() : red(0.14));
        drawLine(painter, remove, Qt::AlignHCenter, deleteFont(), painted_.isArmed ? QColor(Qt::white) : red(0.9),
                 deleteTitle(painted_.isArmed));
        const QRectF done = doneRect();
        fill(painter, capsule(done), Qt::white);
        drawLine(painter, done, Qt::AlignHCenter, doneFont(), Qt::black, QStringLiteral("Done"));
        return;
    }
    const QRectF button = createRect();
    drawLine(painter, QRectF(detailLeft, button.top() - detailSpacing - lineHeight(emptyFont()), width() - detailLeft,
                             lineHeight(emptyFont())),
             Qt::AlignHCenter, emptyFont(), white(0.5), emptyText);
    fill(painter, capsule(button), orange());
    drawLine(painter, button, Qt::AlignHCenter, createFont(), Qt::black, createTitle);
    drawLine(painter, closeRect(), Qt::AlignHCenter, closeFont(), white(0.5), closeTitle);
}

}  // namespace WaylarkKit
