#!/usr/bin/env bash
# Installs Stavemont into a fresh prefix and drives the installed program, as
# a user who cannot write its folder, on the desktop it is given (run it under
# tests/support/UnderOpenbox.sh): a new construction saved under the user's
# data folder, the program closed, the construction loaded again and saved
# over, then saved over a read-only file, through a symbolic link and in a
# folder the user cannot write.
#
#   UnderOpenbox.sh InstallTest.sh <build folder>
#
# Needs xdotool, xprop, import (ImageMagick), setpriv, readelf and gio. On a failure it names the
# step, takes a screenshot and keeps it (and only it).
set -euo pipefail

Build=${1:?usage: InstallTest.sh <build folder>}
Width=1280 Height=1024
Name=InstallTest
BaseFileSize=555224 # a 50 x 50 x 50 base without pieces

[ -n "${DISPLAY:-}" ] || { echo "InstallTest: no display; run it under UnderOpenbox.sh" >&2; exit 1; }
for Tool in xdotool xprop import setpriv; do
  command -v "$Tool" >/dev/null || { echo "InstallTest: $Tool is missing (see build.sh)" >&2; exit 1; }
done

Work=$(mktemp -d /tmp/stavemont-install.XXXXXX)
chmod 755 "$Work" # the other user must reach the prefix and its own folders
Prefix=$Work/prefix
Program=$Prefix/lib/stavemont
Shots=$Work/shots
mkdir "$Shots"
Step="setting up"
AppPid=""
Passed=false

cleanup() {
  if [ -n "$AppPid" ]; then
    kill "$AppPid" 2>/dev/null || true
    wait "$AppPid" 2>/dev/null || true
  fi
  [ -d "$Prefix" ] && chmod -R u+w "$Prefix"
  if $Passed; then
    rm -rf "$Work"
  else
    find "$Work" -mindepth 1 -maxdepth 1 ! -name shots -exec rm -rf {} +
    rmdir "$Shots" 2>/dev/null && rmdir "$Work"
  fi
  return 0
}
trap cleanup EXIT

fail() {
  echo "InstallTest: FAILED while $Step: $*" >&2
  [ -s "$Work/program.log" ] && sed 's/^/  program: /' "$Work/program.log" >&2
  local Shot
  Shot=$Shots/$(date +%H%M%S)-failure.png
  import -window root "$Shot" 2>/dev/null && echo "InstallTest: screenshot $Shot" >&2
  exit 1
}

# wait_for <seconds> <command...>: polls the command until it succeeds.
wait_for() {
  local Seconds=$1
  shift
  local Until=$((SECONDS + Seconds))
  until "$@"; do
    [ $SECONDS -lt $Until ] || return 1
    sleep 0.2
  done
}

# ---------------------------------------------------------------------------
Step="installing"
cmake --install "$Build" --prefix "$Prefix" >"$Work/install.log" || { cat "$Work/install.log"; fail "cmake --install"; }
for File in bin/stavemont lib/stavemont/Stavemont lib/stavemont/Kits/Marbelo.so \
  lib/stavemont/Cursors/Blue/WAIT.ANI lib/stavemont/Help/StavemontHelp.html \
  share/applications/stavemont.desktop share/icons/hicolor/128x128/apps/stavemont.png; do
  [ -e "$Prefix/$File" ] || fail "$File is not installed"
done
[ "$(find "$Program/Cursors/Blue" -name '*.ANI' | wc -l)" -eq 18 ] || fail "not eighteen cursors"
[ "$(readlink "$Prefix/bin/stavemont")" = ../lib/stavemont/Stavemont ] || fail "the launcher is not a relative link"
for File in lib/stavemont/Stavemont lib/stavemont/Kits/Marbelo.so; do
  readelf -S "$Prefix/$File" | grep -q '\.debug_' && fail "$File keeps its debug information"
done
# A file manager takes .cns files for constructions, opened by the editor.
Step="checking the construction file type"
grep -qx 'MimeType=application/x-stavemont-construction;' "$Prefix/share/applications/stavemont.desktop" ||
  fail "the desktop entry declares no construction file type"
printf "\x00\x01 a construction" >"$Work/house.cns"
Type=$(XDG_DATA_DIRS="$Prefix/share:/usr/share" XDG_DATA_HOME="$Work/no-data" \
  gio info -a standard::content-type "$Work/house.cns" | sed -n 's/^ *standard::content-type: //p')
[ "$Type" = application/x-stavemont-construction ] || fail "a .cns file is of type '$Type'"
rm "$Work/house.cns"

# The user: nobody when run as root, else ourselves with the prefix read-only.
# Either way with a fresh home, so the data folder is <home>/.local/share/stavemont.
Home=$Work/home
Runtime=$Work/runtime
if [ "$(id -u)" -eq 0 ]; then
  install -d -o nobody -g nogroup -m 700 "$Home" "$Runtime"
  AsUser=(setpriv --reuid=nobody --regid=nogroup --clear-groups)
else
  install -d -m 700 "$Home" "$Runtime"
  chmod -R a-w "$Prefix"
  AsUser=()
fi
Data=$Home/.local/share/stavemont
run_as_user() {
  env -i PATH=/usr/bin:/bin LANG=C.UTF-8 HOME="$Home" XDG_RUNTIME_DIR="$Runtime" \
    DISPLAY="$DISPLAY" "${AsUser[@]}" "$@"
}
Step="checking the program folder"
run_as_user test -r "$Program/Stavemont" || fail "the user cannot read the program"
! run_as_user test -w "$Program" || fail "the user can write $Program"

# The prefix as installed: nothing may be added, removed or changed in it.
prefix_listing() { (cd "$Prefix" && find . -printf '%p %s %T@\n' | sort); }
prefix_listing >"$Work/prefix.before"
check_prefix_unchanged() {
  prefix_listing | diff "$Work/prefix.before" - >&2 || fail "the program wrote into the prefix"
}

# visible_window <width> <height> <title regex>: prints "<id> <x> <y>" of a
# visible window of that size and title, or fails.
visible_window() {
  local Id WIDTH HEIGHT X Y
  for Id in $(xdotool search --onlyvisible --name "$3" 2>/dev/null); do
    WIDTH="" HEIGHT="" X="" Y=""
    eval "$(xdotool getwindowgeometry --shell "$Id" 2>/dev/null | grep -E '^(WIDTH|HEIGHT|X|Y)=[0-9-]+$')"
    if [ "$WIDTH" = "$1" ] && [ "$HEIGHT" = "$2" ]; then
      echo "$Id $X $Y"
      return 0
    fi
  done
  return 1
}

# await_window <what> <width> <height> <title regex>: waits for such a window;
# sets WinX and WinY to its place on the screen.
await_window() {
  local Found Until=$((SECONDS + 30))
  until Found=$(visible_window "$2" "$3" "$4"); do
    [ $SECONDS -lt $Until ] || fail "no $1 window ($2 x $3) within 30 s"
    sleep 0.2
  done
  read -r _ WinX WinY <<<"$Found"
}

dialog_shown() { xdotool search --onlyvisible --name "$1" >/dev/null 2>&1; }
dialog_closed() { ! dialog_shown "$1"; }

# await_dialog <title>: waits for a visible window of that title and gives it
# the keyboard. The title the window manager shows (_NET_WM_NAME) must be
# exactly the program's own, with nothing appended.
await_dialog() {
  wait_for 30 dialog_shown "^$1\$" || fail "no \"$1\" dialog within 30 s"
  local Id Shown
  Id=$(xdotool search --onlyvisible --name "^$1\$" | head -n1)
  Shown=$(xprop -id "$Id" _NET_WM_NAME | sed -n 's/^[^"]*"\(.*\)"$/\1/p')
  [ "$Shown" = "$1" ] || fail "the dialog's title is \"$Shown\", not \"$1\""
  xdotool windowactivate --sync "$Id"
}

# click <x> <y>: a left click at that point of the last window found. Clicks
# are half a second apart, so that no two make a double click.
click() {
  xdotool mousemove --sync $((WinX + $1)) $((WinY + $2)) click 1
  sleep 0.5
}

# start_program [FILE]: starts the installed editor, with FILE to open, and
# waits for its start dialog (without FILE).
start_program() {
  Step="starting the program"
  run_as_user "$Prefix/bin/stavemont" "$@" >>"$Work/program.log" 2>&1 &
  AppPid=$!
  [ $# -gt 0 ] || await_window "start" 637 422 '^Stavemont$'
}

await_main_window() {
  await_window "main" $Width $Height ' - Stavemont$'
}

# The Construction menu opens below its button, in the main window's left column.
menu() {
  local -A Top=([Save]=333 [SaveAs]=357 [Close]=465)
  click 64 30
  click 60 $((${Top[$1]} + 12))
}

# Whether the program has ended (a zombie until we reap it).
program_ended() {
  [ ! -e /proc/$AppPid ] || [ "$(awk '{print $3}' /proc/$AppPid/stat 2>/dev/null)" = Z ]
}

close_program() {
  Step="closing the program"
  menu Close
  wait_for 30 program_ended || fail "the program is still running 30 s after Close"
  local Status=0
  wait "$AppPid" || Status=$?
  AppPid=""
  [ $Status -eq 0 ] || { cat "$Work/program.log" >&2; fail "the program ended with status $Status"; }
}

# The id of a message box: a window of the program's title that is transient
# for another (the main window), which rules out the main window itself.
error_box_id() {
  local Id
  for Id in $(xdotool search --onlyvisible --name '^Stavemont$' 2>/dev/null); do
    xprop -id "$Id" WM_TRANSIENT_FOR 2>/dev/null | grep -q 'window id' && { echo "$Id"; return 0; }
  done
  return 1
}
error_box_shown() { error_box_id >/dev/null; }
error_box_gone() { ! error_box_shown; }
real_time_changed() { [ "$(stat -c %.9Y "$Home/real.cns")" != "$Before" ]; }

Saved=$Data/Constructions/$Name.cns
saved_size() { stat -c %s "$Saved" 2>/dev/null; }
saved_time() { stat -c %.9Y "$Saved"; }
saved_holds_base() { [ "$(saved_size)" = $BaseFileSize ]; }
saved_time_changed() { [ "$(saved_time)" != "$Before" ]; }

# ---------------------------------------------------------------------------
# A new construction, saved as a name typed into the save dialog.
start_program
Step="starting a new construction"
click 124 245 # New construction
click 470 345 # OK, on the default 50 x 50 x 50 base
await_main_window

Step="saving the construction as $Name"
menu SaveAs
await_dialog 'Save construction'
xdotool type --delay 30 "$Name"
xdotool key Return
wait_for 30 dialog_closed '^Save construction$' || fail "the save dialog did not take the name"
wait_for 30 saved_holds_base ||
  fail "$Saved does not hold $BaseFileSize bytes: $(ls -l "$Data/Constructions" 2>&1)"
check_prefix_unchanged
close_program

# ---------------------------------------------------------------------------
# The same construction loaded by its bare name (the open dialog starts in the
# user's Constructions folder), then saved over with Save.
cp "$Saved" "$Work/first.cns"
Before=$(saved_time)
start_program
Step="loading $Name"
click 124 205 # Load construction
await_dialog 'Open construction'
xdotool type --delay 30 "$Name.cns"
xdotool key Return
wait_for 30 dialog_closed '^Open construction$' || fail "the open dialog did not take the name"
await_main_window

Step="saving the loaded construction with Save"
menu Save
wait_for 30 saved_time_changed || fail "Save did not rewrite $Saved"
cmp "$Work/first.cns" "$Saved" || fail "Save wrote other bytes than the first save"
check_prefix_unchanged

# Saving as the user, where the file system sets limits or a link leads
# elsewhere. Each Save is followed by a look at what is on disk.
Constructions=$Data/Constructions
folder_listing() { ls -A "$Constructions"; }

Step="saving over a file the user made read-only"
chmod 444 "$Saved"
Before=$(saved_time)
menu Save
wait_for 30 error_box_shown || fail "no error box for a read-only file"
xdotool windowactivate --sync "$(error_box_id)" key Return
wait_for 30 error_box_gone || fail "the error box did not close"
[ "$(saved_time)" = "$Before" ] || fail "the read-only file was replaced"
[ "$(stat -c %a "$Saved")" = 444 ] || fail "the read-only file lost its mode"
chmod 644 "$Saved"

Step="saving through a symbolic link"
mv "$Saved" "$Home/real.cns"
ln -s "$Home/real.cns" "$Saved"
Before=$(stat -c %.9Y "$Home/real.cns")
menu Save
wait_for 30 real_time_changed || fail "Save did not write the file the link leads to"
[ -L "$Saved" ] || fail "Save replaced the link by a plain file"
cmp "$Work/first.cns" "$Home/real.cns" || fail "Save wrote other bytes through the link"
rm "$Saved"
mv "$Home/real.cns" "$Saved"

Step="saving in a folder the user cannot write"
Listing=$(folder_listing)
chmod 555 "$Constructions"
Before=$(saved_time)
menu Save
wait_for 30 saved_time_changed || fail "Save did not rewrite the file in a read-only folder"
chmod 755 "$Constructions"
! error_box_shown || fail "an error box came up for a writable file in a read-only folder"
cmp "$Work/first.cns" "$Saved" || fail "the file rewritten in place holds other bytes"
[ "$(folder_listing)" = "$Listing" ] || fail "the read-only folder changed: $(folder_listing)"
close_program

# ---------------------------------------------------------------------------
# The construction named on the command line, as a file manager opens it:
# loaded without the start dialog's choices, under its own name, ready to save.
start_program "$Saved"
Step="opening $Name.cns from the command line"
await_window "main" $Width $Height "^$Name.cns - Stavemont\$"
Before=$(saved_time)
menu Save
wait_for 30 saved_time_changed || fail "Save did not rewrite the file opened from the command line"
cmp "$Work/first.cns" "$Saved" || fail "the file opened from the command line saved other bytes"
close_program

Passed=true
echo "InstallTest: passed"
