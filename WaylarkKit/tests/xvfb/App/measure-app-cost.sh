#!/bin/sh
# Measures what the running program costs all day, on a private X server with
# a compositor and a tray: the process's CPU over a minute and its resident
# memory, "--always-on" in a status that holds, with no pointer activity; once
# with the mascot animating, once with Reduce Motion on (KDE's
# AnimationDurationFactor=0), and the same for a bare translucent Qt window of
# the island's size that repaints once a second. Also the time from the start
# of the process to its first window on screen. The X server's own work is not
# counted. Not a test: it takes minutes and its figures depend on the machine.
# Usage: measure-app-cost.sh <Release build folder> [seconds]
set -eu
build="$(cd "$1" && pwd)"
seconds="${2:-60}"
here="$(cd "$(dirname "$0")" && pwd)"
exec "$here/run-app-under-xvfb.sh" sh -c '
  build="$1"; seconds="$2"
  hz=$(getconf CLK_TCK)
  now() { date +%s.%N; }
  # The first window of the class on screen that is at least `height` tall.
  shown() {
    for id in $(xdotool search --onlyvisible --class "$1" 2>/dev/null); do
      h=$(xdotool getwindowgeometry --shell "$id" | awk -F= "/HEIGHT/ {print \$2}")
      [ "$h" -ge "$2" ] && return 0
    done
    return 1
  }
  measure() {
    label="$1"; reduce="$2"; class="$3"; height="$4"; shift 4
    home=$(mktemp -d)
    mkdir -p "$home/config" "$home/run"; chmod 700 "$home/run"
    [ "$reduce" = yes ] && printf "[KDE]\nAnimationDurationFactor=0\n" > "$home/config/kdeglobals"
    start=$(now)
    XDG_DATA_HOME="$home/data" XDG_CONFIG_HOME="$home/config" XDG_RUNTIME_DIR="$home/run" QT_QPA_PLATFORM=xcb "$@" \
      >/dev/null 2>&1 &
    pid=$!
    until shown "$class" "$height"; do sleep 0.005; done
    up=$(now)
    sleep 5
    before=$(awk "{print \$14 + \$15}" /proc/$pid/stat)
    sleep "$seconds"
    after=$(awk "{print \$14 + \$15}" /proc/$pid/stat)
    rss=$(awk "/VmRSS/ {print \$2}" /proc/$pid/status)
    kill $pid; wait $pid 2>/dev/null || true
    rm -rf "$home"
    awk -v l="$label" -v a="$after" -v b="$before" -v hz="$hz" -v s="$seconds" -v r="$rss" -v t0="$start" -v t1="$up" \
      "BEGIN { printf \"%-20s CPU %.3f %% of one core   RSS %.1f MB   first window after %.2f s\n\", l, (a - b) / hz / s * 100, r / 1024, t1 - t0 }"
  }
  measure "app, animating" no WaylarkApp 420 "$build/WaylarkApp/WaylarkApp" --always-on
  measure "app, Reduce Motion" yes WaylarkApp 420 "$build/WaylarkApp/WaylarkApp" --always-on
  measure "bare window" no BareIslandWindow 1 "$build/WaylarkKit/BareIslandWindow"
' sh "$build" "$seconds"
