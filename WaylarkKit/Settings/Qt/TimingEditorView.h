#pragma once

#include <functional>
#include <vector>

#include <QWidget>

#include "Base/Observable.h"
#include "Base/Scheduler.h"
#include "WaylarkKit/Settings/Qt/TimingEditorFields.h"

class QLabel;
class QStackedLayout;

namespace SettingsKit {
class SettingsModel;
}

namespace WaylarkKit {

class TimingCustomsPage;
class TimingMacrosPage;
class TimingProfilePage;

// The timing editor: a sidebar of the profiles, the custom times and the
// macros beside the page the editor model's section chooses. It keeps no
// state of its own; it redraws from the two models whenever either changes.
class TimingEditorView : public QWidget {
public:
    TimingEditorView(SettingsKit::SettingsModel& settings, TimingEditorModel& editor, Base::Scheduler& scheduler,
                     std::function<void()> onDone, QWidget* parent = nullptr);

    // The controls, for tests and the showreel.
    PaintedButton* profileRow(std::size_t index) const { return profileRows_.at(index); }
    PaintedButton* customsRow() const { return customsRow_; }
    PaintedButton* macrosRow() const { return macrosRow_; }
    TimingProfilePage* profilePage() const { return profilePage_; }
    TimingCustomsPage* customsPage() const { return customsPage_; }
    TimingMacrosPage* macrosPage() const { return macrosPage_; }
    QWidget* currentPage() const;
    QString footnote() const;

private:
    void act(const std::function<void()>& action);
    void requestRefresh();
    void refresh();
    void refreshSidebar();

    SettingsKit::SettingsModel& settings_;
    TimingEditorModel& editor_;
    TimingEditorContext context_;
    int acting_ = 0;

    QWidget* sidebar_;
    QWidget* profileList_;
    std::vector<PaintedButton*> profileRows_;
    PaintedButton* customsRow_;
    PaintedButton* macrosRow_;
    QLabel* footnote_;
    QStackedLayout* pages_;
    TimingProfilePage* profilePage_;
    TimingCustomsPage* customsPage_;
    TimingMacrosPage* macrosPage_;

    // Last, so they go first.
    std::vector<Base::Subscription> subscriptions_;
};

}  // namespace WaylarkKit
