#include "Base/SpawnSetup.h"

#include <signal.h>

#include <initializer_list>

namespace Base {

SpawnSetup::SpawnSetup() {
    hasActions_ = posix_spawn_file_actions_init(&actions_) == 0;
    hasAttributes_ = posix_spawnattr_init(&attributes_) == 0;
    if (!hasActions_ || !hasAttributes_) return;
    sigset_t none;
    sigemptyset(&none);
    sigset_t defaults;
    sigemptyset(&defaults);
    for (int signal : {SIGPIPE, SIGINT, SIGTERM, SIGHUP, SIGCHLD}) sigaddset(&defaults, signal);
    ready_ = posix_spawnattr_setsigmask(&attributes_, &none) == 0 &&
             posix_spawnattr_setsigdefault(&attributes_, &defaults) == 0 &&
             posix_spawnattr_setflags(&attributes_, POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF) == 0;
}

bool SpawnSetup::inOwnGroup() {
    short flags = 0;
    return ready_ && posix_spawnattr_getflags(&attributes_, &flags) == 0 &&
           posix_spawnattr_setpgroup(&attributes_, 0) == 0 &&
           posix_spawnattr_setflags(&attributes_, static_cast<short>(flags | POSIX_SPAWN_SETPGROUP)) == 0;
}

SpawnSetup::~SpawnSetup() {
    if (hasAttributes_) posix_spawnattr_destroy(&attributes_);
    if (hasActions_) posix_spawn_file_actions_destroy(&actions_);
}

}  // namespace Base
