#pragma once

#include <string>
#include <string_view>

#include "TradingCore/Evaluation/Evaluation.h"

// The status word left of the notch, and the short form of names that the
// activity texts share. Characters are grapheme clusters throughout.
namespace WaylarkKit::StatusLabel {

// green: the window's name ("Window" without one), cut to 15 characters and
// "…" from 17 on, or its abbreviation; "?" follows when the news data is not
// live. red "Restricted"/"Rest", gray "Outside"/"Out", amber "Caution"/"Warn".
std::string word(const TradingCore::Evaluation& evaluation, bool abbreviated);

// Trimmed of spaces and tabs; under 6 characters it stays whole. Otherwise the
// upper-cased initials of its first three words (split at space, "-" and "_"),
// or its first 4 characters when it has only one word.
std::string abbreviation(std::string_view name);

}  // namespace WaylarkKit::StatusLabel
