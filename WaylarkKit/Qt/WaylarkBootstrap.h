#pragma once

namespace WaylarkKit::WaylarkBootstrap {

// The whole start-up: one process per user. The process that takes the
// instance lock runs the application until it quits; one that finds the lock
// taken tells the running one and ends. Returns the process's exit status.
int run(int argc, char** argv);

}  // namespace WaylarkKit::WaylarkBootstrap
