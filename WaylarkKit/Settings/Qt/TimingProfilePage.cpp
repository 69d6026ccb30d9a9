#include "WaylarkKit/Settings/Qt/TimingProfilePage.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QScrollArea>
#include <QVBoxLayout>

#include "SettingsKit/SettingsModel.h"
#include "WaylarkKit/Settings/Qt/EditorButtons.h"
#include "WaylarkKit/Settings/Qt/EditorLook.h"
#include "WaylarkKit/Settings/TimingEditorContent.h"

namespace WaylarkKit {

using EditorLook::white;
using TradingCore::WallClockTime;

WindowRow::WindowRow(QWidget* parent, TimingEditorContext& context, std::string profile, std::ptrdiff_t position,
                     bool autofocus)
    : QWidget(parent), context_(context), profile_(std::move(profile)), position_(position) {
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(8);

    TextBinding name{
        [this] {
            const auto* w = window();
            return w ? w->name : name_->text().toStdString();
        },
        [this](const std::string& text) {
            context_.act([&] { context_.settings.renameWindow(profile_, position_, text); });
        },
        // Rows stay by place, from one profile to the next.
        [this] { return TimingEditorModel::windowRowKey(profile_, position_); },
    };
    name_ = new EditableText(std::move(name), {"Window name", 13, FontWeight::regular, autofocus, false},
                             context.scheduler);
    name_->installEventFilter(this);
    row->addWidget(nameFieldBox(this, name_));

    const auto timeOf = [this](bool start) {
        return [this, start] {
            const auto* w = window();
            return w ? (start ? w->start : w->end) : WallClockTime();
        };
    };
    const auto keyOf = [this](bool start) {
        return [this, start] { return TimingEditorModel::windowDraftKey(profile_, position_, start); };
    };
    const auto commitOf = [this](bool start) {
        return [this, start](const std::string& text) {
            context_.editor.commit(text, start, profile_, position_, context_.settings);
        };
    };
    start_ = new TimeField(this, context, timeOf(true), keyOf(true), commitOf(true));
    end_ = new TimeField(this, context, timeOf(false), keyOf(false), commitOf(false));
    row->addWidget(start_);
    row->addWidget(new TextLine(this, EditorLook::font(13), white(0.4), QString::fromUtf8("\u2013")));
    row->addWidget(end_);
    remove_ = removeButton(this, [this] {
        context_.act([this] { context_.editor.removeWindow(profile_, position_, context_.settings); });
    });
    row->addWidget(remove_);
}

void WindowRow::setPlace(std::string profile, std::ptrdiff_t position) {
    profile_ = std::move(profile);
    position_ = position;
}

const TradingCore::SessionWindow* WindowRow::window() const {
    for (const auto& p : context_.settings.profiles()) {
        if (p.name != profile_) continue;
        if (position_ < 0 || static_cast<std::size_t>(position_) >= p.windows.size()) return nullptr;
        return &p.windows[static_cast<std::size_t>(position_)];
    }
    return nullptr;
}

void WindowRow::refresh() {
    name_->refresh();
    start_->refresh();
    end_->refresh();
}

bool WindowRow::eventFilter(QObject* watched, QEvent* event) {
    // The request is spent once its field has the focus: a later rebuild of
    // the editor must not take the focus from wherever the user is typing.
    if (watched == name_ && event->type() == QEvent::FocusIn &&
        context_.editor.focusWindowKey() == TimingEditorModel::windowRowKey(profile_, position_)) {
        context_.editor.setFocusWindowKey(std::nullopt);
    }
    return QWidget::eventFilter(watched, event);
}

TimingProfilePage::TimingProfilePage(QWidget* parent, TimingEditorContext& context)
    : QWidget(parent), context_(context) {
    auto* page = new QVBoxLayout(this);
    page->setContentsMargins(0, 0, 0, 0);
    page->setSpacing(10);

    title_ = new TitleRow(this, {}, "New York time (ET)");
    page->addWidget(title_);

    QScrollArea* scroll = scrollColumn(this, 6, column_);
    QWidget* content = scroll->widget();
    empty_ = new TextLine(content, EditorLook::font(11), white(0.45), "No windows: the island stays gray all day.");
    column_->insertWidget(0, empty_);
    add_ = new AddButton(content, "Add window", [this] {
        context_.act([this] {
            context_.editor.addWindow(context_.settings.activeProfile().name, context_.settings);
        });
    });
    column_->insertWidget(1, add_);
    page->addWidget(scroll, 1);

    message_ = messageLine(this);
    page->addWidget(message_);

    const auto footer = EditorButtons::footer(
        this,
        [this] {
            context_.act([this] {
                context_.editor.clickRestore(context_.settings.activeProfile().name, context_.settings);
            });
        },
        [this] {
            if (context_.onDone) context_.onDone();
        });
    restore_ = footer.restore;
    done_ = footer.done;
    page->addLayout(footer.layout);
}

void TimingProfilePage::refresh() {
    const TradingCore::SessionProfile profile = context_.settings.activeProfile();
    title_->setTitle(QString::fromStdString(TimingEditorContent::windowsHeading(profile.name)));
    empty_->setVisible(profile.windows.empty());

    const auto count = static_cast<std::ptrdiff_t>(profile.windows.size());
    while (static_cast<std::ptrdiff_t>(rows_.size()) > count) {
        // Later, not now: the click that removed the window may come from this row.
        rows_.back()->hide();
        rows_.back()->deleteLater();
        rows_.pop_back();
    }
    for (std::ptrdiff_t i = 0; i < count; ++i) {
        if (i < static_cast<std::ptrdiff_t>(rows_.size())) {
            rows_[static_cast<std::size_t>(i)]->setPlace(profile.name, i);
            continue;
        }
        const bool focus = context_.editor.focusWindowKey() == TimingEditorModel::windowRowKey(profile.name, i);
        auto* row = new WindowRow(column_->parentWidget(), context_, profile.name, i, focus);
        column_->insertWidget(static_cast<int>(i) + 1, row);  // after the empty line, before "Add window"
        rows_.push_back(row);
    }
    for (WindowRow* row : rows_) row->refresh();

    add_->setRoom(count < TradingCore::WindowRules::maxWindows);
    showMessage(message_, context_.editor.message());
    restore_->setLook(EditorButtons::restoreLook(context_.editor.armedRestore()));
}

}  // namespace WaylarkKit
