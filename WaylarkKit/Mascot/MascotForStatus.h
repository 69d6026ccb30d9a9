#pragma once

#include "TradingCore/Evaluation/Evaluation.h"
#include "WaylarkKit/Mascot/MascotKind.h"

namespace WaylarkKit {

// The pose for an evaluation: the celebration wins; gray and amber sleep; red
// is a restriction (medium exactly for a medium-impact one); green is a
// session, verified on live data and tinted by the first active custom time.
MascotKind mascot(const TradingCore::Evaluation& evaluation, bool celebrating);

}  // namespace WaylarkKit
