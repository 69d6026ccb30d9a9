#pragma once

#include <memory>
#include <string>
#include <vector>

#include "Base/Decimal.h"
#include "Base/ManualScheduler.h"
#include "SettingsKit/InMemorySettingsStore.h"
#include "SettingsKit/SettingsModel.h"

namespace CalculatorTesting {

inline Base::Decimal dec(const char* text) { return *Base::Decimal::fromText(text); }

// Settings on the manual clock, saved in memory only.
struct SettingsFixture {
    Base::ManualScheduler scheduler;
    SettingsKit::SettingsModel settings{std::make_shared<SettingsKit::InMemorySettingsStore>(), scheduler, 0.4};

    const CalculatorKit::CalculatorSettings& calculator() const { return settings.calculator(); }
    void change(const std::function<void(CalculatorKit::CalculatorSettings&)>& edit) {
        settings.updateCalculator(edit);
    }
};

}  // namespace CalculatorTesting
