#pragma once

#include <optional>
#include <string_view>
#include <vector>

#include "CalculatorKit/Instrument.h"

namespace CalculatorKit {

// The built-in instruments: four broker CFDs on stock indices and eight CME
// equity-index futures. Each list is built once, on first use.
namespace InstrumentLibrary {

// NQ, MNQ, ES, MES, YM, MYM, RTY, M2K.
const std::vector<Instrument>& futures();
// NAS100, US30, SPX500, GER40.
const std::vector<Instrument>& cfdIndices();
// cfdIndices() followed by futures().
const std::vector<Instrument>& all();
// The row whose id equals `id` exactly (case and blanks count), or none.
std::optional<Instrument> instrument(std::string_view id);

// Shared by every CFD row: brokers disagree on the point value.
inline constexpr std::string_view cfdNote =
    "Typical: 1 lot = $1 per point. Brokers differ ($10 or $20 per point exist): check your broker's "
    "specification, or calibrate with a minimum-size trade.";

}  // namespace InstrumentLibrary

}  // namespace CalculatorKit
