#!/bin/sh
# Runs a driver on a private X server of a 14-inch laptop's size under the
# window manager named first (openbox, icewm, fluxbox, xfwm4, metacity), each with its
# packaged settings, or under none ("none"). The manager stays connected all
# along, so the server does not reset between the driver's helper programs.
# The driver learns the manager's process from WAYLARK_WINDOW_MANAGER_PID (0
# for none), to hold it still. With --tray first, a system tray (trayer,
# docked at the top right) runs beside the manager.
set -eu
tray=''
if [ "${1:-}" = --tray ]; then
  tray='trayer --edge top --align right --widthtype request --heighttype pixel --height 24 --transparent false'
  shift
fi
manager="$1"
driver="$2"
shift 2
case "$manager" in
  openbox) start='openbox --sm-disable --config-file /etc/xdg/openbox/rc.xml' ;;
  icewm) start='icewm' ;;
  fluxbox) start='fluxbox' ;;
  xfwm4) start='dbus-run-session xfwm4 --compositor=off --sm-client-disable' ;;
  metacity) start='dbus-run-session metacity --no-composite' ;;
  none) start='' ;;
  *) echo "unknown window manager: $manager" >&2; exit 2 ;;
esac
# A home of their own, so no manager reads or writes the user's settings.
home="$(mktemp -d)"
trap 'rm -rf "$home"' EXIT
xvfb-run -a -s "-screen 0 1512x982x24 -noreset" \
  sh -c 'pid=0
         if [ -n "$1" ]; then
           HOME="$2" $1 >/dev/null 2>&1 & pid=$!
           # The manager is ready once it has named its check window on the root.
           for _ in $(seq 200); do
             xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q "window id" && break
             sleep 0.05
           done
         fi
         traypid=0
         if [ -n "$3" ]; then
           $3 >/dev/null 2>&1 & traypid=$!
           # The tray takes its selection when its window exists.
           for _ in $(seq 100); do
             xdotool search --classname trayer >/dev/null 2>&1 && break
             sleep 0.05
           done
         fi
         shift 3
         status=0
         WAYLARK_WINDOW_MANAGER_PID=$pid "$@" || status=$?
         if [ "$pid" != 0 ]; then
           # A driver that ended while holding the manager still leaves it stopped.
           kill -CONT "$pid" 2>/dev/null || true
           kill "$pid" 2>/dev/null || true
         fi
         [ "$traypid" = 0 ] || kill "$traypid" 2>/dev/null || true
         exit "$status"' sh "$start" "$home" "$tray" "$driver" "$@"
