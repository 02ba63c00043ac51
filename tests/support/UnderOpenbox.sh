#!/usr/bin/env bash
# Runs a command on an X server of its own (Xvfb, true colour, 1280 x 1024 or
# the size STAVEMONT_SCREEN gives, as 640x480)
# managed by a real window manager, openbox, and passes on its status.
# Windows behave there as on a desktop: stacking, focus and placement are the
# window manager's, not the program's.
#
#   UnderOpenbox.sh COMMAND [ARGUMENTS...]
#
# The server has no access control beyond the local socket, so a command run
# as another user can use it too.
set -euo pipefail

Work=$(mktemp -d /tmp/stavemont-openbox-XXXXXX)
XvfbPid="" OpenboxPid=""
cleanup() {
  [ -n "$OpenboxPid" ] && kill "$OpenboxPid" 2>/dev/null && wait "$OpenboxPid" 2>/dev/null
  [ -n "$XvfbPid" ] && kill "$XvfbPid" 2>/dev/null && wait "$XvfbPid" 2>/dev/null
  rm -rf "$Work"
}
trap cleanup EXIT

# Waits up to Seconds for a command to succeed.
wait_for() {
  local Seconds=$1 What=$2
  shift 2
  for _ in $(seq $((Seconds * 10))); do
    "$@" >/dev/null 2>&1 && return 0
    sleep 0.1
  done
  echo "UnderOpenbox: $What did not happen within $Seconds s" >&2
  return 1
}

Xvfb -displayfd 3 -screen 0 "${STAVEMONT_SCREEN:-1280x1024}x24" -nolisten tcp 3>"$Work/display" 2>"$Work/xvfb.log" &
XvfbPid=$!
wait_for 30 "the X server start" test -s "$Work/display"
export DISPLAY=":$(head -n 1 "$Work/display")"
unset WAYLAND_DISPLAY

# Its cache goes to the work folder, not the runner's home.
XDG_CACHE_HOME=$Work openbox --sm-disable >"$Work/openbox.log" 2>&1 &
OpenboxPid=$!
if ! wait_for 60 "openbox start" sh -c 'xprop -root _NET_SUPPORTING_WM_CHECK | grep -q "window id"'; then
  sed 's/^/  openbox: /' "$Work/openbox.log" >&2
  sed 's/^/  Xvfb: /' "$Work/xvfb.log" >&2
  exit 1
fi

set +e
"$@"
Status=$?
set -e
exit $Status
