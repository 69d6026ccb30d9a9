#!/bin/sh
# Runs a driver on a private X server of the size of a 14-inch laptop screen,
# with a compositor so that translucent windows really are translucent. The
# compositor starts beside the driver, which waits until translucency shows.
# The server never resets: a bare one does when its last client leaves, and
# then refuses a client that was connecting at that moment.
set -eu
driver="$1"
shift
exec xvfb-run -a -s "-screen 0 1512x982x24 +extension Composite -noreset" \
  sh -c 'xcompmgr >/dev/null 2>&1 & compositor=$!
         status=0
         "$@" || status=$?
         kill "$compositor" 2>/dev/null || true
         exit "$status"' sh "$driver" "$@"
