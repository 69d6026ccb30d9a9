#!/bin/sh
# Runs a driver on a private X server of a 14-inch laptop's size, with a
# compositor and a system tray (trayer, docked at the top right), as the
# application finds them on a desktop. The server never resets: a bare one
# does when its last client leaves (the tray's first checks), and then refuses
# a client that was connecting at that moment.
set -eu
driver="$1"
shift
exec xvfb-run -a -s "-screen 0 1512x982x24 +extension Composite -noreset" \
  sh -c 'xcompmgr >/dev/null 2>&1 & compositor=$!
         trayer --edge top --align right --widthtype request --heighttype pixel --height 24 \
                --transparent false >/dev/null 2>&1 & tray=$!
         # The tray takes its selection when its window exists.
         for _ in $(seq 100); do
           xdotool search --classname trayer >/dev/null 2>&1 && break
           sleep 0.05
         done
         status=0
         "$@" || status=$?
         kill "$tray" "$compositor" 2>/dev/null || true
         exit "$status"' sh "$driver" "$@"
