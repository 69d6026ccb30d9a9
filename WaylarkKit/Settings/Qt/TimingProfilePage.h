#pragma once

#include <string>
#include <vector>

#include <QWidget>

#include "WaylarkKit/Settings/Qt/TimingEditorFields.h"

namespace WaylarkKit {

class TitleRow;

// One window of the profile page: its name, start and end, and its remove
// button. Rows are addressed by position and updated in place, so a field
// keeps its caret while the user types.
class WindowRow : public QWidget {
public:
    WindowRow(QWidget* parent, TimingEditorContext& context, std::string profile, std::ptrdiff_t position,
              bool autofocus);
    void setPlace(std::string profile, std::ptrdiff_t position);
    void refresh();

    EditableText* nameField() const { return name_; }
    TimeField* startField() const { return start_; }
    TimeField* endField() const { return end_; }
    PaintedButton* remove() const { return remove_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    const TradingCore::SessionWindow* window() const;

    TimingEditorContext& context_;
    std::string profile_;
    std::ptrdiff_t position_;
    EditableText* name_;
    TimeField* start_;
    TimeField* end_;
    PaintedButton* remove_;
};

// The windows of the active profile, with "Add window", the message line and
// the bottom bar of restore and "Done".
class TimingProfilePage : public QWidget {
public:
    TimingProfilePage(QWidget* parent, TimingEditorContext& context);
    void refresh();

    const std::vector<WindowRow*>& rows() const { return rows_; }
    AddButton* addButton() const { return add_; }
    CapsuleButton* restoreButton() const { return restore_; }
    CapsuleButton* doneButton() const { return done_; }
    const TextLine* message() const { return message_; }
    const TitleRow* title() const { return title_; }

private:
    TimingEditorContext& context_;
    TitleRow* title_;
    QVBoxLayout* column_ = nullptr;
    TextLine* empty_;
    std::vector<WindowRow*> rows_;
    AddButton* add_;
    TextLine* message_;
    CapsuleButton* restore_;
    CapsuleButton* done_;
};

}  // namespace WaylarkKit
