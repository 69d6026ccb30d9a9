#!/bin/sh
# Measures what the compact island costs while its status holds: the
# process's CPU on a private X server with a compositor, with the real clock
# and its one-second tick. First with Reduce Motion, then with the mascot
# animating, then the same with the checklist badge's pulsing "!", and last a
# bare translucent window of the island's size repainting once a second.
# The X server's own work is not counted.
# Usage: measure-island-cpu.sh <build folder> [seconds]   (use a Release build)
set -eu
build="$1"
seconds="${2:-60}"
here="$(cd "$(dirname "$0")" && pwd)"
driver="$build/WaylarkKit/IslandViewsDriver"
xvfb="$here/../../../IslandKit/tests/xvfb/run-under-xvfb.sh"
"$xvfb" "$driver" cpu "$seconds" --reduce-motion 2>/dev/null
"$xvfb" "$driver" cpu "$seconds" 2>/dev/null | tee /tmp/island-cpu.$$
"$xvfb" "$driver" cpu "$seconds" --no-checklist 2>/dev/null
size="$(sed -n 's/.*island \([0-9]*\)x\([0-9]*\).*/\1 \2/p' /tmp/island-cpu.$$)"
rm -f /tmp/island-cpu.$$
"$xvfb" "$driver" bare "$seconds" $size 2>/dev/null
