#include "WaylarkKit/Settings/Qt/NewsRulesEditorView.h"

#include <algorithm>

#include <QHBoxLayout>
#include <QVBoxLayout>

#include "SettingsKit/SettingsModel.h"
#include "WaylarkKit/Settings/Qt/EditorButtons.h"
#include "WaylarkKit/Settings/Qt/EditorLook.h"
#include "WaylarkKit/Settings/Qt/EditorWidgets.h"
#include "WaylarkKit/Style/Palette.h"
#include "WaylarkKit/Style/Qt/QtColor.h"
#include "WaylarkKit/Style/Qt/QtText.h"
#include "WaylarkKit/Views/ImpactColor.h"

namespace WaylarkKit {

using EditorLook::white;

namespace {

}  // namespace

NewsRulesEditorView::NewsRulesEditorView(SettingsKit::SettingsModel& settings, NewsRulesEditorModel& editor,
                                         std::function<void()> onDone, QWidget* parent)
    : QWidget(parent), settings_(settings), editor_(editor), onDone_(std::move(onDone)) {
    auto* root = new QVBoxLayout(this);
    root->setContentsMargins(0, 0, 0, 0);
    root->setSpacing(14);

    root->addWidget(new TitleRow(this, "News blackout", "When trading is marked restricted"));

    auto* steppers = new QWidget(this);
    auto* stepperColumn = new QVBoxLayout(steppers);
    stepperColumn->setContentsMargins(0, 0, 0, 0);
    stepperColumn->setSpacing(8);
    stepperColumn->addWidget(stepperRow("Before the news", before_, false));
    stepperColumn->addWidget(stepperRow("After the news", after_, true));
    example_ = new TextLine(steppers, EditorLook::font(11), white(0.5));
    stepperColumn->addWidget(example_);
    root->addWidget(steppers);

    auto* impacts = new QWidget(this);
    auto* impactRow = new QHBoxLayout(impacts);
    impactRow->setContentsMargins(0, 0, 0, 0);
    impactRow->setSpacing(8);
    high_ = new CapsuleButton(impacts);
    high_->setLook(EditorButtons::chipLook("High", toQColor(ImpactColor::high), true, true));
    high_->setEnabled(false);
    medium_ = new CapsuleButton(impacts);
    medium_->setOnClick([this] { settings_.setBlackoutIncludesMedium(!content_.includesMedium); });
    impactRow->addWidget(high_);
    impactRow->addWidget(medium_);
    impactRow->addStretch(1);
    root->addWidget(section("Impact", impacts));

    auto* currencies = new QWidget(this);
    auto* currencyColumn = new QVBoxLayout(currencies);
    currencyColumn->setContentsMargins(0, 0, 0, 0);
    currencyColumn->setSpacing(6);
    currencyBox_ = new QWidget(currencies);
    currencyFlow_ = new FlowLayout(currencyBox_, 8);
    currencyColumn->addWidget(currencyBox_);
    noCurrency_ = new TextLine(currencies, EditorLook::font(11), toQColor(Palette::orange.withOpacity(0.9)),
                               "No currency selected: no news will cause a blackout.");
    currencyColumn->addWidget(noCurrency_);
    root->addWidget(section("Currencies", currencies));

    root->addStretch(1);

    const auto footer = EditorButtons::footer(
        this,
        [this] {
            if (editor_.requestRestore()) settings_.restoreNewsRule();
        },
        [this] {
            if (onDone_) onDone_();
        });
    restore_ = footer.restore;
    done_ = footer.done;
    root->addLayout(footer.layout);

    refresh();
    settingsSubscription_ = settings_.observeSettings([this] { refresh(); });
    armedSubscription_ = editor_.observeArmedRestore([this] { refresh(); });
}

QWidget* NewsRulesEditorView::stepperRow(const QString& title, Stepper& stepper, bool after) {
    auto* row = new QWidget(this);
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(10);
    auto* label = new TextLine(row, EditorLook::font(13), Qt::white, title);
    label->setFixedWidth(130);
    stepper.minus = new CapsuleButton(row);
    stepper.minus->setOnClick([this, after] { step(after, -1); });
    stepper.value = new TextLine(row, EditorLook::font(14, FontWeight::semibold), Qt::white);
    stepper.value->setMonoDigits(true);
    stepper.value->setAlignment(Qt::AlignHCenter);
    stepper.value->setFixedWidth(30);
    stepper.plus = new CapsuleButton(row);
    stepper.plus->setOnClick([this, after] { step(after, +1); });
    stepper.unit = new TextLine(row, EditorLook::font(12), white(0.5));
    for (QWidget* w : std::initializer_list<QWidget*>{label, stepper.minus, stepper.value, stepper.plus, stepper.unit}) {
        layout->addWidget(w);
    }
    layout->addStretch(1);
    return row;
}

QWidget* NewsRulesEditorView::section(const QString& title, QWidget* content) {
    auto* box = new QWidget(this);
    auto* column = new QVBoxLayout(box);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(6);
    column->addWidget(new TextLine(box, EditorLook::font(10, FontWeight::bold, 0.8), white(0.45), title.toUpper()));
    content->setParent(box);
    column->addWidget(content);
    return box;
}

CapsuleButton* NewsRulesEditorView::stepButton(bool after, bool plus) const {
    const Stepper& stepper = after ? after_ : before_;
    return plus ? stepper.plus : stepper.minus;
}

CapsuleButton* NewsRulesEditorView::currencyChip(const std::string& code) const {
    for (const auto& [chipCode, chip] : chips_) {
        if (chipCode == code) return chip;
    }
    return nullptr;
}

void NewsRulesEditorView::step(bool after, int delta) {
    if (after) {
        settings_.setBlackoutMinutes(std::nullopt, content_.after + delta);
    } else {
        settings_.setBlackoutMinutes(content_.before + delta, std::nullopt);
    }
}

void NewsRulesEditorView::toggleCurrency(const std::string& code) {
    const auto& chips = content_.currencies;
    const auto chip = std::find_if(chips.begin(), chips.end(), [&](const auto& c) { return c.code == code; });
    // A chip that could not be ticked when drawn stays as it is.
    if (chip == chips.end() || !chip->isEnabled) return;
    const bool enable = !chip->isOn;
    settings_.setBlackoutCurrency(code, enable);  // redraws: `chip` is stale from here
}

void NewsRulesEditorView::refresh() {
    content_ = NewsRulesEditorContent::of(settings_.newsRule());
    const auto refreshStepper = [](Stepper& stepper, int value) {
        stepper.minus->setLook(EditorButtons::stepLook(false, canStepDown(value)));
        stepper.minus->setEnabled(canStepDown(value));
        stepper.plus->setLook(EditorButtons::stepLook(true, canStepUp(value)));
        stepper.plus->setEnabled(canStepUp(value));
        stepper.value->setText(QString::number(value));
        stepper.unit->setText(qtText(minutesWord(value)));
    };
    refreshStepper(before_, content_.before);
    refreshStepper(after_, content_.after);
    example_->setText(qtText(content_.example));
    medium_->setLook(EditorButtons::chipLook("Medium", toQColor(ImpactColor::medium), content_.includesMedium, false));
    refreshCurrencies();
    noCurrency_->setVisible(content_.noCurrency);
    restore_->setLook(EditorButtons::restoreLook(editor_.armedRestore()));
}

void NewsRulesEditorView::refreshCurrencies() {
    // Chips are kept by code and only added or removed as the list changes.
    std::vector<std::pair<std::string, CapsuleButton*>> kept;
    for (const CurrencyChip& chip : content_.currencies) {
        CapsuleButton* button = currencyChip(chip.code);
        if (!button) {
            button = new CapsuleButton(currencyBox_);
            button->setOnClick([this, code = chip.code] { toggleCurrency(code); });
        }
        button->setLook(EditorButtons::chipLook(qtText(chip.code), Qt::white, chip.isOn, !chip.isEnabled));
        button->setEnabled(chip.isEnabled);
        kept.emplace_back(chip.code, button);
    }
    for (const auto& [code, button] : chips_) {
        const bool stays = std::any_of(kept.begin(), kept.end(), [&](const auto& k) { return k.second == button; });
        if (stays) continue;
        button->hide();
        button->deleteLater();
    }
    bool sameOrder = kept.size() == chips_.size();
    for (std::size_t i = 0; sameOrder && i < kept.size(); ++i) sameOrder = kept[i].second == chips_[i].second;
    if (!sameOrder) {
        while (currencyFlow_->count() > 0) delete currencyFlow_->takeAt(0);
        for (const auto& [code, button] : kept) {
            currencyFlow_->addWidget(button);
            button->show();
        }
    }
    chips_ = std::move(kept);
}

}  // namespace WaylarkKit
