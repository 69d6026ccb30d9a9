#include "WaylarkKit/Launch/StandardStreams.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>

namespace WaylarkKit {

void fillClosedStandardStreams() {
    for (int fd = STDIN_FILENO; fd <= STDERR_FILENO; ++fd) {
        if (::fcntl(fd, F_GETFD) != -1 || errno != EBADF) continue;
        // open() takes the lowest free number: the lower ones are filled by
        // now, so it is this one. Kept open for the whole run.
        [[maybe_unused]] const int opened = ::open("/dev/null", fd == STDIN_FILENO ? O_RDONLY : O_WRONLY);
    }
}

}  // namespace WaylarkKit
