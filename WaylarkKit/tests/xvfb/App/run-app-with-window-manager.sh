#!/bin/sh
# Runs a driver on a private X server of a 14-inch laptop's size under a real
# window manager: openbox with its packaged settings, where a click gives a
# window the keyboard. The manager stays connected all along, so the server
# does not reset between the driver's helper programs. The driver learns the
# manager's process from WAYLARK_WINDOW_MANAGER_PID, to hold it still.
set -eu
driver="$1"
shift
exec xvfb-run -a -s "-screen 0 1512x982x24 -noreset" \
  sh -c 'openbox --sm-disable --config-file /etc/xdg/openbox/rc.xml >/dev/null 2>&1 & manager=$!
         # The manager is ready once it has named its check window on the root.
         for _ in $(seq 200); do
           xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q "window id" && break
           sleep 0.05
         done
         status=0
         WAYLARK_WINDOW_MANAGER_PID=$manager "$@" || status=$?
         # A driver that ended while holding the manager still leaves it stopped.
         kill -CONT "$manager" 2>/dev/null || true
         kill "$manager" 2>/dev/null || true
         exit "$status"' sh "$driver" "$@"
