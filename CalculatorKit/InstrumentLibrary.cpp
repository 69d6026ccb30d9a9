#include "CalculatorKit/InstrumentLibrary.h"

#include <stdexcept>

namespace CalculatorKit::InstrumentLibrary {

namespace {

using Base::Decimal;

// Fractional constants come from their decimal text, so 0.25 is exactly a quarter.
Decimal exact(std::string_view text) {
    const auto value = Decimal::fromText(text);
    if (!value) throw std::logic_error("bad instrument constant");
    return *value;
}

Instrument cfd(std::string id, std::string name) {
    return Instrument{std::move(id), std::move(name), InstrumentKind::cfdIndex,
                      Decimal(1),    exact("0.1"),    exact("0.01"),
                      exact("0.01"), "lot",           false,
                      std::string(cfdNote), std::nullopt};
}

Instrument future(std::string id, const Decimal& dollarsPerPoint, const Decimal& tickSize, bool isVerified,
                  std::string note, std::optional<std::string> microID) {
    std::string name = id;
    return Instrument{std::move(id), std::move(name), InstrumentKind::future, dollarsPerPoint, tickSize,
                      Decimal(1),    Decimal(1),      "contract",            isVerified,      std::move(note),
                      std::move(microID)};
}

}  // namespace

const std::vector<Instrument>& futures() {
    static const std::vector<Instrument> rows = {
        future("NQ", Decimal(20), exact("0.25"), true, "E-mini Nasdaq-100: $20 per point, tick 0.25 = $5.00.",
               "MNQ"),
        future("MNQ", Decimal(2), exact("0.25"), true,
               "Micro E-mini Nasdaq-100: $2 per point, tick 0.25 = $0.50.", std::nullopt),
        future("ES", Decimal(50), exact("0.25"), true, "E-mini S&P 500: $50 per point, tick 0.25 = $12.50.",
               "MES"),
        future("MES", Decimal(5), exact("0.25"), true, "Micro E-mini S&P 500: $5 per point, tick 0.25 = $1.25.",
               std::nullopt),
        future("YM", Decimal(5), Decimal(1), false, "E-mini Dow: $5 per point (tick 1 = $5). To verify on CME.",
               "MYM"),
        future("MYM", exact("0.5"), Decimal(1), false, "Micro E-mini Dow: $0.50 per point. To verify on CME.",
               std::nullopt),
        future("RTY", Decimal(50), exact("0.1"), false,
               "E-mini Russell 2000: $50 per point (tick 0.10 = $5). To verify on CME.", "M2K"),
        future("M2K", Decimal(5), exact("0.1"), false,
               "Micro E-mini Russell 2000: $5 per point. To verify on CME.", std::nullopt),
    };
    return rows;
}

const std::vector<Instrument>& cfdIndices() {
    static const std::vector<Instrument> rows = {
        cfd("NAS100", "NAS100"),
        cfd("US30", "US30"),
        cfd("SPX500", "SPX500"),
        cfd("GER40", "GER40"),
    };
    return rows;
}

const std::vector<Instrument>& all() {
    static const std::vector<Instrument> rows = [] {
        std::vector<Instrument> list = cfdIndices();
        list.insert(list.end(), futures().begin(), futures().end());
        return list;
    }();
    return rows;
}

std::optional<Instrument> instrument(std::string_view id) {
    for (const Instrument& row : all()) {
        if (row.id == id) return row;
    }
    return std::nullopt;
}

}  // namespace CalculatorKit::InstrumentLibrary
