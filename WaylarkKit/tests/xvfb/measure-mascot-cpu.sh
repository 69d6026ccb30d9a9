#!/bin/sh
# Measures what the breathing session pose costs all day: the process's CPU
# while a window shows only the mascot, animating and then held still by
# Reduce Motion, on a private X server with a compositor.
# Usage: measure-mascot-cpu.sh <build folder> [seconds]   (use a Release build)
set -eu
build="$1"
seconds="${2:-60}"
here="$(cd "$(dirname "$0")" && pwd)"
driver="$build/WaylarkKit/MascotDriver"
xvfb="$here/../../../IslandKit/tests/xvfb/run-under-xvfb.sh"
QT_QPA_PLATFORM=xcb QT_SCALE_FACTOR=2 "$xvfb" "$driver" cpu "$seconds"
QT_QPA_PLATFORM=xcb QT_SCALE_FACTOR=2 "$xvfb" "$driver" cpu "$seconds" --reduce-motion
