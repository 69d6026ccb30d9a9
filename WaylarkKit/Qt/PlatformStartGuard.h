#pragma once

#include <string>

namespace WaylarkKit {

// While the application object connects to the display, Qt reports a display
// it cannot open (or a platform it cannot load) as a fatal message and aborts.
// While one of these lives, Qt's messages are held back; a fatal one ends the
// process with `failureLine` on standard error and exit status 1 instead. The
// held messages are passed on when it goes. One at a time, on the main thread.
class PlatformStartGuard {
public:
    explicit PlatformStartGuard(std::string failureLine);
    ~PlatformStartGuard();
    PlatformStartGuard(const PlatformStartGuard&) = delete;
    PlatformStartGuard& operator=(const PlatformStartGuard&) = delete;
};

}  // namespace WaylarkKit
