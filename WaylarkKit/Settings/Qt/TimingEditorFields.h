#pragma once

#include <functional>
#include <optional>
#include <string>

#include <QLabel>
#include <QWidget>

#include "Base/Scheduler.h"
#include "WaylarkKit/TextField/Qt/EditableText.h"
#include "WaylarkKit/Settings/Qt/EditorWidgets.h"
#include "WaylarkKit/Settings/TimingEditorModel.h"

class QScrollArea;
class QVBoxLayout;

namespace SettingsKit {
class SettingsModel;
}

namespace WaylarkKit {

// What the timing editor's pages share: the two models, the scheduler the
// fields focus on, the close callback, and `act`, which runs one user action
// and redraws once it is over -- never from the middle of it, where a field
// would be rewritten from a half-made change under the user's caret.
struct TimingEditorContext {
    SettingsKit::SettingsModel& settings;
    TimingEditorModel& editor;
    Base::Scheduler& scheduler;
    std::function<void()> onDone;
    std::function<void(const std::function<void()>&)> act;
};

// A time field, "HH:MM" centred on a rounded box that turns red while it
// holds a draft. `stored` and `key` are read whenever the field is drawn.
class TimeField : public FieldBox {
public:
    TimeField(QWidget* parent, TimingEditorContext& context, std::function<TradingCore::WallClockTime()> stored,
              std::function<std::string()> draftKey, std::function<void(const std::string&)> commit);
    void refresh();
    EditableText* field() const { return field_; }

private:
    TimingEditorContext& context_;
    std::function<TradingCore::WallClockTime()> stored_;
    std::function<std::string()> draftKey_;
    EditableText* field_;
};

// A row's name field on its rounded box.
FieldBox* nameFieldBox(QWidget* parent, EditableText* field);

// The "xmark" button that removes a row.
PaintedButton* removeButton(QWidget* parent, std::function<void()> onClick);

// "Add window" / "Add custom time": orange while there is room, faint and
// disabled at the limit.
class AddButton : public PaintedButton {
public:
    AddButton(QWidget* parent, const QString& title, std::function<void()> onClick);
    void setRoom(bool hasRoom);

private:
    QString title_;
};

// The red message line under a page's list; a blank line keeps its height.
TextLine* messageLine(QWidget* parent);
void showMessage(TextLine* line, const std::optional<std::string>& message);

// A wrapping line of plain, quiet text at `size` points.
QLabel* note(QWidget* parent, const QString& text, double size, double opacity);

// A vertical scroll area without indicators whose content stacks `spacing`
// apart from the top.
QScrollArea* scrollColumn(QWidget* parent, int spacing, QVBoxLayout*& column);

}  // namespace WaylarkKit
