#pragma once

#include <functional>
#include <map>
#include <string>
#include <vector>

#include <QWidget>

#include "Base/Observable.h"
#include "WaylarkKit/Settings/NewsRulesEditorModel.h"

namespace SettingsKit {
class SettingsModel;
}

namespace WaylarkKit {

class CapsuleButton;
class FlowLayout;
class TextLine;

// The news-blackout rule editor: minutes before and after a release with the
// example line, the medium impact, the currencies and the two-click restore.
// It keeps no copy of the rule; every click is a settings operation and the
// card redraws from the stored rule.
class NewsRulesEditorView : public QWidget {
public:
    NewsRulesEditorView(SettingsKit::SettingsModel& settings, NewsRulesEditorModel& editor,
                        std::function<void()> onDone, QWidget* parent = nullptr);

    // For tests and the showreel: the controls by what they are.
    CapsuleButton* stepButton(bool after, bool plus) const;
    CapsuleButton* mediumChip() const { return medium_; }
    CapsuleButton* highChip() const { return high_; }
    CapsuleButton* currencyChip(const std::string& code) const;
    CapsuleButton* restoreButton() const { return restore_; }
    CapsuleButton* doneButton() const { return done_; }
    const TextLine* exampleLine() const { return example_; }
    const TextLine* noCurrencyLine() const { return noCurrency_; }

private:
    struct Stepper {
        CapsuleButton* minus = nullptr;
        CapsuleButton* plus = nullptr;
        TextLine* value = nullptr;
        TextLine* unit = nullptr;
    };
    QWidget* stepperRow(const QString& title, Stepper& stepper, bool after);
    QWidget* section(const QString& title, QWidget* content);
    void step(bool after, int delta);
    void toggleCurrency(const std::string& code);
    void refresh();
    void refreshCurrencies();

    SettingsKit::SettingsModel& settings_;
    NewsRulesEditorModel& editor_;
    std::function<void()> onDone_;
    NewsRulesEditorContent content_;  // as last drawn; clicks act on what they showed

    Stepper before_;
    Stepper after_;
    TextLine* example_ = nullptr;
    CapsuleButton* high_ = nullptr;
    CapsuleButton* medium_ = nullptr;
    QWidget* currencyBox_ = nullptr;
    FlowLayout* currencyFlow_ = nullptr;
    std::vector<std::pair<std::string, CapsuleButton*>> chips_;
    TextLine* noCurrency_ = nullptr;
    CapsuleButton* restore_ = nullptr;
    CapsuleButton* done_ = nullptr;

    // Last, so they go first.
    Base::Subscription settingsSubscription_;
    Base::Subscription armedSubscription_;
};

}  // namespace WaylarkKit
