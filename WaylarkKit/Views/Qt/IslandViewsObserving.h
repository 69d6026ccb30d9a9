#pragma once

#include <functional>
#include <initializer_list>
#include <vector>

#include "Base/Observable.h"
#include "WaylarkKit/Timing/TimingViewModel.h"

namespace WaylarkKit::IslandViews {

// Both compact views beside the notch redraw on what the tick, the greeting,
// the editors, the panel, the hover and the settings change; `more` names the
// fields one of them reads besides. Each change calls `refresh`.
std::vector<Base::Subscription> observeCompact(TimingViewModel& model, std::initializer_list<TimingViewModel::Field> more,
                                               const std::function<void()>& refresh);

}  // namespace WaylarkKit::IslandViews
