#!/usr/bin/env bash
# Times starting a construction in the real editor: from the press of OK in
# the start dialog to the main window with its viewport drawn, and the
# program's peak memory. Two starts: a new 150 x 150 x 100 construction with
# the kits as built, and a new 50 x 50 x 50 one with 150 kit libraries (copies
# of Marbelo) in the Kits folder, of which the first 100 are loaded.
#
#   xvfb-run -a -s "-screen 0 1280x1024x24" bench/StartBench.sh [build folder]
#
# Needs xdotool and import (ImageMagick). Prints one line per start.
set -euo pipefail

Build=$(realpath "${1:-build}")
[ -n "${DISPLAY:-}" ] || { echo "StartBench: no display (run it under xvfb-run)" >&2; exit 1; }
Work=$(mktemp -d /tmp/stavemont-startbench.XXXXXX)
AppPid=""
cleanup() {
  [ -n "$AppPid" ] && kill "$AppPid" 2>/dev/null && wait "$AppPid" 2>/dev/null
  rm -rf "$Work"
  return 0
}
trap cleanup EXIT
export XDG_RUNTIME_DIR=$Work/runtime XDG_DATA_HOME=$Work/data
mkdir -m 700 "$Work/runtime"

now() { date +%s.%N; }
seconds_since() { echo "$(now) - $1" | bc; }

# A program folder of its own: the editor, its cursors and help, and KitCopies
# copies of Marbelo (none: the kits as built).
make_program() {
  local Folder=$Work/program-$1 I
  mkdir -p "$Folder/Kits"
  cp -r "$Build/Stavemont" "$Build/Cursors" "$Build/Help" "$Folder/"
  if [ "$1" -eq 0 ]; then
    cp "$Build"/Kits/*.so "$Folder/Kits/"
  else
    for I in $(seq 1000 $((999 + $1))); do cp "$Build/Kits/Marbelo.so" "$Folder/Kits/K$I.so"; done
  fi
  echo "$Folder"
}

window_at() { # <width>x<height>: the id of a visible Stavemont window of that size
  local Id
  for Id in $(xdotool search --onlyvisible --name 'Stavemont$' 2>/dev/null); do
    xdotool getwindowgeometry "$Id" 2>/dev/null | grep -q "Geometry: $1\$" && { echo "$Id"; return 0; }
  done
  return 1
}

await() { # <seconds> <command...>
  local Until=$(($(date +%s) + $1))
  shift
  until "$@" >/dev/null; do
    [ "$(date +%s)" -lt $Until ] || return 1
    sleep 0.05
  done
}

# Whether the screen's pixel at (X, Y) is the base's green, which only a
# finished look render shows (a blank viewport is the scene colour).
green_at() {
  local R G B
  read -r R G B < <(import -window root -crop "1x1+$1+$2" -depth 8 txt:- 2>/dev/null |
    sed -n 's/.*(\([0-9]*\),\([0-9]*\),\([0-9]*\).*/\1 \2 \3/p')
  [ -n "${G:-}" ] && [ "$G" -gt $((R + 40)) ] && [ "$G" -gt $((B + 40)) ]
}

kits_box_shown() { xdotool search --onlyvisible --name '^Kits$' >/dev/null 2>&1; }

click() { xdotool mousemove --sync "$1" "$2" click 1; sleep 0.3; }

set_field() { # <x> <y> <value>: replaces the text of the start dialog's field
  click "$1" "$2"
  xdotool key ctrl+a type "$3"
}

# start <label> <kit copies> <width> <length> <height>
start() {
  local Folder Start X Y WIDTH HEIGHT Box Peak
  Folder=$(make_program "$2")
  "$Folder/Stavemont" >"$Work/program.log" 2>&1 &
  AppPid=$!
  await 60 window_at 637x422 || { echo "StartBench: no start dialog" >&2; exit 1; }
  eval "$(xdotool getwindowgeometry --shell "$(window_at 637x422)")"
  click $((X + 124)) $((Y + 245)) # New construction
  set_field $((X + 379)) $((Y + 204)) "$3"
  set_field $((X + 379)) $((Y + 244)) "$4"
  set_field $((X + 379)) $((Y + 284)) "$5"
  xdotool mousemove --sync $((X + 470)) $((Y + 345)) click 1 # OK
  Start=$(now)
  if [ "$2" -gt 100 ]; then
    # The scan names the libraries it leaves out before anything loads.
    await 60 kits_box_shown || { echo "StartBench: no left-out message" >&2; exit 1; }
    Box=$(xdotool search --onlyvisible --name '^Kits$' | tail -n1)
    eval "$(xdotool getwindowgeometry --shell "$Box")"
    xdotool mousemove --sync $((X + WIDTH - 50)) $((Y + HEIGHT - 25)) click 1
    Start=$(now)
  fi
  await 600 window_at 1280x1024 || { echo "StartBench: no main window" >&2; exit 1; }
  await 600 green_at 704 600 || { echo "StartBench: the viewport was not drawn" >&2; exit 1; }
  Elapsed=$(seconds_since "$Start")
  Peak=$(awk '/VmHWM/ {print $2}' "/proc/$AppPid/status")
  printf '%s: OK to the drawn main window %.2f s, peak memory %d MB\n' "$1" "$Elapsed" $((Peak / 1024))
  kill "$AppPid"
  wait "$AppPid" 2>/dev/null || true
  AppPid=""
}

start "new 150 x 150 x 100 construction" 0 150 150 100
start "new 50 x 50 x 50 construction, 150 kit libraries" 150 50 50 50
