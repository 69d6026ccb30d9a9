#pragma once

#include <signal.h>

#include <cstdio>
#include <string>

namespace WaylarkKitTest {

// A message bus of the test's own, standing in for the session or the system
// bus; it ends with this object. `address` stays empty when no bus could start.
struct PrivateBus {
    std::string address;
    pid_t pid = 0;

    PrivateBus() {
        FILE* out = ::popen("dbus-daemon --session --fork --print-address=1 --print-pid=1", "r");
        char addressLine[512] = {}, pidLine[32] = {};
        if (out && std::fgets(addressLine, sizeof addressLine, out) && std::fgets(pidLine, sizeof pidLine, out)) {
            address = addressLine;
            address.erase(address.find_last_not_of('\n') + 1);
            pid = static_cast<pid_t>(std::stol(pidLine));
        }
        if (out) ::pclose(out);
    }
    ~PrivateBus() {
        if (pid > 0) ::kill(pid, SIGTERM);
    }
    PrivateBus(const PrivateBus&) = delete;
    PrivateBus& operator=(const PrivateBus&) = delete;
};

}  // namespace WaylarkKitTest
