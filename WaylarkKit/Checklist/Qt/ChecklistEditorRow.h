#pragma once

#include <functional>

#include <QPointer>

#include "Base/Scheduler.h"
#include "ChecklistKit/ChecklistItem.h"
#include "ChecklistKit/ChecklistModel.h"
#include "WaylarkKit/Checklist/ChecklistEditorModel.h"
#include "WaylarkKit/Checklist/Qt/ClickTargets.h"

namespace WaylarkKit {

class EditableText;

// One item of the checklist editor: move buttons, the item's text field, its
// dropdown button and remove button, and under it, while open, the editor of
// its dropdown options. The row lives as long as its item, so its fields keep
// the focus and the caret while the user types; every edit goes straight to
// the checklist model.
class ChecklistEditorRow final : public ClickableWidget {
public:
    static constexpr double lineHeight = 24;
    static constexpr double optionsHeight = 22;
    static constexpr double spacing = 4;

    ChecklistEditorRow(ChecklistKit::ChecklistModel& checklist, ChecklistEditorModel& editor, Base::Scheduler& scheduler,
                       const Base::Uuid& templateID, const ChecklistKit::ChecklistItem& item,
                       std::function<void()> addItem, QWidget* parent = nullptr);

    const Base::Uuid& itemID() const { return item_.id; }
    // The item as stored now; fields show it unless they show it already.
    void setItem(const ChecklistKit::ChecklistItem& item);
    // Makes a new text field that takes the focus once it is on screen.
    void focusText();
    double rowHeight() const;

    EditableText& textField() const { return *text_; }
    EditableText* optionsField() const { return options_; }
    // The painted controls, for tests that click them.
    QRectF moveUpRect() const;
    QRectF moveDownRect() const;
    QRectF choiceButtonRect() const;
    QRectF removeRect() const;
    QRectF removeOptionsRect() const;

protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    bool isOpen() const { return editor_.choiceEditorItemID() == item_.id; }
    void makeTextField(bool autofocus);
    void syncOptionsEditor();
    void relayout();
    void chooseOptions();
    ChecklistKit::ChecklistItem currentItem() const;

    ChecklistKit::ChecklistModel& checklist_;
    ChecklistEditorModel& editor_;
    Base::Scheduler& scheduler_;
    Base::Uuid templateID_;
    ChecklistKit::ChecklistItem item_;
    std::function<void()> addItem_;
    QPointer<EditableText> text_;
    QPointer<EditableText> options_;
};

}  // namespace WaylarkKit
