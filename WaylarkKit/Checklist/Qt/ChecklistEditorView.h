#pragma once

#include <functional>
#include <optional>
#include <vector>

#include <QPointer>

#include "Base/Observable.h"
#include "Base/Scheduler.h"
#include "ChecklistKit/ChecklistModel.h"
#include "WaylarkKit/Checklist/ChecklistEditorModel.h"
#include "WaylarkKit/Checklist/Qt/ClickTargets.h"

class QScrollArea;

namespace WaylarkKit {

class ChecklistEditorRow;
class ChecklistSidebarList;
class EditableText;

// The checklist editor, shown in an overlay card: the list of checklists on
// the left, and on the right the active checklist's name, items and dropdown
// options, with a two-click "Delete checklist" and "Done" under them, or an
// empty state when no checklist is active. It keeps no state of its own: the
// checklists live in the checklist model, what to focus and what is open or
// armed in the editor model. Rows are kept by item id and updated in place,
// so typing never loses the focus or the caret.
class ChecklistEditorView final : public ClickableWidget {
public:
    // The 640 × 400 card less its 20-point padding.
    static constexpr int standardWidth = 600;
    static constexpr int standardHeight = 360;
    static constexpr double sidebarWidth = 190;

    ChecklistEditorView(ChecklistKit::ChecklistModel& checklist, ChecklistEditorModel& editor,
                        Base::Scheduler& scheduler, QWidget* parent = nullptr);
    ~ChecklistEditorView() override;
    ChecklistEditorView(const ChecklistEditorView&) = delete;
    ChecklistEditorView& operator=(const ChecklistEditorView&) = delete;

    // "Done" and "Close": the application dismisses the card.
    void setOnDone(std::function<void()> onDone) { onDone_ = std::move(onDone); }
    QSize sizeHint() const override { return {standardWidth, standardHeight}; }

    // The painted controls and the parts, for tests and the card's driver.
    QRectF newChecklistRect() const;
    QRectF deleteRect() const;
    QRectF doneRect() const;
    QRectF createRect() const;
    QRectF closeRect() const;
    QRectF addItemRect() const;  // in the editor's coordinates
    ChecklistSidebarList& sidebar() const { return *sidebarList_; }
    EditableText* nameField() const { return nameField_; }
    // The rows in their order on screen.
    std::vector<ChecklistEditorRow*> rows() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    struct Painted {
        bool hasActive = false;
        bool isArmed = false;
        bool operator==(const Painted&) const = default;
    };

    void refresh();
    void refreshDetail(const ChecklistKit::ChecklistTemplate& shown);
    void dropDetail();
    void makeNameField(const Base::Uuid& templateID, bool autofocus);
    void layoutItems();
    void layoutChildren();
    void rebuildTargets();
    void focusRequestedItem();

    void createNew();
    void addItem(const Base::Uuid& templateID);

    ChecklistKit::ChecklistModel& checklist_;
    ChecklistEditorModel& editor_;
    Base::Scheduler& scheduler_;
    std::function<void()> onDone_;
    Painted painted_;
    QScrollArea* sidebarScroll_;
    ChecklistSidebarList* sidebarList_;
    QScrollArea* itemsScroll_;
    class EditorItemsColumn* itemsColumn_;
    QPointer<EditableText> nameField_;
    std::optional<Base::Uuid> shownTemplate_;
    std::vector<QPointer<ChecklistEditorRow>> rows_;
    // Last: they go first.
    std::vector<Base::Subscription> subscriptions_;
};

}  // namespace WaylarkKit
