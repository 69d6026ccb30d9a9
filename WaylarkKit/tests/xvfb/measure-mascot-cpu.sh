#!/bin/sh
# Measures what the breathing session pose costs all day: the process's CPU
# while a translucent window shows only the mascot, on a private X server with
# a compositor: animating at pixel ratio 2 and 1, then held still by Reduce
# Motion. The X server's own work is not counted.
# Usage: measure-mascot-cpu.sh <build folder> [seconds]   (use a Release build)
set -eu
build="$1"
seconds="${2:-60}"
here="$(cd "$(dirname "$0")" && pwd)"
driver="$build/WaylarkKit/MascotDriver"
xvfb="$here/../../../IslandKit/tests/xvfb/run-under-xvfb.sh"
for scale in 2 1; do
  echo "pixel ratio $scale:"
  QT_QPA_PLATFORM=xcb QT_SCALE_FACTOR=$scale "$xvfb" "$driver" cpu "$seconds" 2>/dev/null
done
echo "pixel ratio 2:"
QT_QPA_PLATFORM=xcb QT_SCALE_FACTOR=2 "$xvfb" "$driver" cpu "$seconds" --reduce-motion 2>/dev/null
