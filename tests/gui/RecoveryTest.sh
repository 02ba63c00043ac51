#!/usr/bin/env bash
# The built program, in a program folder of its own whose only kit ends the
# program on the third insertion, driven with xdotool on the desktop it is
# given (run it under tests/support/UnderOpenbox.sh): a construction saved,
# three pieces inserted and the program gone with the third; at the next
# start the work is offered, recovered with its file name, and saved, and the
# file then holds the two pieces inserted before the crash.
#
#   UnderOpenbox.sh RecoveryTest.sh <build folder> <crashing kit>
set -euo pipefail

Build=${1:?usage: RecoveryTest.sh <build folder> <crashing kit>}
Kit=${2:?usage: RecoveryTest.sh <build folder> <crashing kit>}
[ -n "${DISPLAY:-}" ] || { echo "RecoveryTest: no display; run it under UnderOpenbox.sh" >&2; exit 1; }

Work=$(mktemp -d /tmp/stavemont-recovery.XXXXXX)
Program=$Work/program
AppPid=""
Step="setting up"
cleanup() {
  [ -n "$AppPid" ] && kill "$AppPid" 2>/dev/null && wait "$AppPid" 2>/dev/null
  rm -rf "$Work"
  return 0
}
trap cleanup EXIT

fail() {
  echo "RecoveryTest: FAILED while $Step: $*" >&2
  [ -s "$Work/program.log" ] && sed 's/^/  program: /' "$Work/program.log" >&2
  local Shot=/tmp/stavemont-recovery-failure-$$.png
  import -window root "$Shot" 2>/dev/null && echo "RecoveryTest: screenshot $Shot" >&2
  exit 1
}

wait_for() {
  local Until=$((SECONDS + $1))
  shift
  until "$@"; do
    [ $SECONDS -lt $Until ] || return 1
    sleep 0.2
  done
}

# The program folder: the program (a link to the built one), its cursors and
# help, and in Kits only the kit that crashes.
mkdir -p "$Program/Kits" "$Program/Constructions" "$Program/Captures" "$Program/Backgrounds"
ln "$Build/Stavemont" "$Program/Stavemont" 2>/dev/null || cp "$Build/Stavemont" "$Program/Stavemont"
cp -r "$Build/Cursors" "$Build/Help" "$Program/"
cp "$Kit" "$Program/Kits/Crashy.so"
mkdir -m 700 "$Work/home" "$Work/runtime"
export HOME=$Work/home XDG_DATA_HOME=$Work/data XDG_RUNTIME_DIR=$Work/runtime
Recovery=$XDG_DATA_HOME/stavemont/Recovery
Saved=$Program/Constructions/work.cns
ulimit -c 0 # the crash is expected: no core file

start_program() {
  "$Program/Stavemont" >>"$Work/program.log" 2>&1 &
  AppPid=$!
}
program_ended() { ! kill -0 "$AppPid" 2>/dev/null || [ "$(awk '{print $3}' /proc/$AppPid/stat 2>/dev/null)" = Z ]; }

# await_window <width> <height> <title regex>: sets WinX, WinY of that window.
await_window() {
  local Until=$((SECONDS + 30)) Id WIDTH HEIGHT X Y
  while [ $SECONDS -lt $Until ]; do
    for Id in $(xdotool search --onlyvisible --name "$3" 2>/dev/null); do
      eval "$(xdotool getwindowgeometry --shell "$Id" | grep -E '^(WIDTH|HEIGHT|X|Y)=[0-9-]+$')"
      if [ "$WIDTH" = "$1" ] && [ "$HEIGHT" = "$2" ]; then
        WinX=$X WinY=$Y
        return 0
      fi
    done
    sleep 0.2
  done
  fail "no $1 x $2 window titled $3 within 30 s"
}

await_dialog() {
  wait_for 30 xdotool search --onlyvisible --name "^$1\$" >/dev/null || fail "no \"$1\" dialog"
  xdotool windowactivate --sync "$(xdotool search --onlyvisible --name "^$1\$" | head -n1)"
}

click() {
  xdotool mousemove --sync $((WinX + $1)) $((WinY + $2)) click 1
  sleep 0.5
}

pieces_in() { od -An -tu2 -j29616 -N2 "$1" | tr -d ' '; }

# ---------------------------------------------------------------------------
Step="starting a new construction"
start_program
await_window 637 422 '^Stavemont$'
click 124 245 # New construction
click 470 345 # OK: 50 x 50 x 50
await_window 1280 1024 '^Untitled - Stavemont$'

Step="saving it as work.cns"
xdotool key ctrl+shift+s
await_dialog 'Save construction'
xdotool type --delay 30 work
xdotool key Return
wait_for 30 test -s "$Saved" || fail "work.cns was not saved"
await_window 1280 1024 '^work.cns - Stavemont$'

Step="inserting three pieces"
click 64 507 # Insert
# The viewport lies at (305, 212); its middle shows the middle of the base.
for X in 605 705; do
  click $X 512
done
wait_for 10 test -n "$(ls -A "$Recovery" 2>/dev/null)" || fail "no recovery file after two insertions"
click 805 512
wait_for 30 program_ended || fail "the kit did not end the program on the third insertion"
Status=0
wait "$AppPid" || Status=$?
AppPid=""
[ $Status -ne 0 ] || fail "the program ended normally"

Step="recovering the work"
start_program
await_dialog 'Recover construction'
xdotool key Return # Recover, the default
await_window 1280 1024 '^work.cns\* - Stavemont$'
Before=$(stat -c %.9Y "$Saved")
xdotool key ctrl+s
wait_for 30 test "$(stat -c %.9Y "$Saved")" != "$Before" || fail "Save did not write work.cns"
[ "$(pieces_in "$Saved")" = 2 ] || fail "work.cns holds $(pieces_in "$Saved") pieces, not 2"
wait_for 10 test -z "$(ls -A "$Recovery" 2>/dev/null)" || fail "the recovery file outlived the save"

Step="closing"
click 64 30
click 60 477 # Close
wait_for 30 program_ended || fail "the program did not end on Close"
Status=0
wait "$AppPid" || Status=$?
AppPid=""
[ $Status -eq 0 ] || fail "the program ended with status $Status"
echo "RecoveryTest: passed"
