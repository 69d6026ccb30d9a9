#include "WaylarkKit/Calculator/InstrumentEditorText.h"

#include "WaylarkKit/Calculator/CalculatorFormat.h"
#include "WaylarkKit/Style/Palette.h"

namespace WaylarkKit::InstrumentEditorText {

namespace {

std::string upper(std::string text) {
    for (char& c : text) {
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    }
    return text;
}

}  // namespace

std::string kindText(CalculatorKit::InstrumentKind kind) {
    return kind == CalculatorKit::InstrumentKind::future ? "Futures" : "Index CFD";
}

std::optional<Badge> badge(const CalculatorKit::Instrument& instrument, bool hasOverride) {
    if (!instrument.isVerified) return Badge{"check with your broker", Palette::yellow};
    if (hasOverride) return Badge{"edited by you", Palette::orange};
    return std::nullopt;
}

std::string perPointTitle(const CalculatorKit::Instrument& instrument) {
    return "$ PER POINT, 1 " + upper(instrument.unit);
}

std::string commissionTitle(const CalculatorKit::Instrument& instrument) {
    return "COMMISSION PER " + upper(instrument.unit) + ", ROUND TRIP";
}

std::string calibrationHint(const CalculatorKit::Instrument& instrument) {
    return "Open the smallest " + instrument.unit +
           " in paper trading, watch the profit move, and fill in what you saw.";
}

std::string calibrationButton(const std::optional<Base::Decimal>& value) {
    return value ? "Use " + CalculatorFormat::money(*value) + "/pt" : "Use";
}

}  // namespace WaylarkKit::InstrumentEditorText
