#pragma once

#include <spawn.h>

namespace Base {

// What posix_spawn needs to start another program clean, released whatever
// happens: no signal blocked, and the signals this program ignores or handles
// back at their defaults. An ignored signal stays ignored across exec, so
// without this a program started would run with SIGPIPE ignored as this one
// does, and go on writing after its reader has gone. Callers add their own
// file actions.
class SpawnSetup {
public:
    SpawnSetup();
    ~SpawnSetup();
    SpawnSetup(const SpawnSetup&) = delete;
    SpawnSetup& operator=(const SpawnSetup&) = delete;

    // False when the pieces could not be made; nothing is to be started then.
    bool ready() const { return ready_; }
    // Starts the program in a process group of its own, so that whatever it
    // starts can be ended with it. False when that cannot be set.
    bool inOwnGroup();
    posix_spawn_file_actions_t* actions() { return &actions_; }
    const posix_spawnattr_t* attributes() const { return &attributes_; }

private:
    posix_spawn_file_actions_t actions_{};
    posix_spawnattr_t attributes_{};
    bool hasActions_ = false;
    bool hasAttributes_ = false;
    bool ready_ = false;
};

}  // namespace Base
