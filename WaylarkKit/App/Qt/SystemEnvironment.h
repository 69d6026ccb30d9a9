#pragma once

#include <memory>
#include <string>
#include <vector>

#include "Base/Scheduler.h"
#include "IslandKit/Window/KeyboardHandover.h"
#include "WaylarkKit/App/Qt/AppEnvironment.h"
#include "WaylarkKit/Presence/LaunchOptions.h"

namespace WaylarkKit::SystemEnvironment {

// The real machine: the files under the data folder (memory only for the
// showreel), the calendar feed, the screens and windows, the process table,
// the open-request socket, logind, the autostart folder and the clipboard.
// The keyboard moves between our windows and others' through `keyboard`,
// X11's own where none is given.
AppEnvironment make(Base::Scheduler& scheduler, const LaunchOptions& options, const std::vector<std::string>& arguments,
                    std::shared_ptr<IslandKit::KeyboardHandover> keyboard = nullptr);

}  // namespace WaylarkKit::SystemEnvironment
