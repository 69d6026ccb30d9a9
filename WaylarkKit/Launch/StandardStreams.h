#pragma once

namespace WaylarkKit {

// Opens /dev/null onto each of standard input, output and error that the
// process was started without. Otherwise the next file the program opens
// takes that number, and a line meant for standard error lands in it.
void fillClosedStandardStreams();

}  // namespace WaylarkKit
