#!/usr/bin/env bash
# Builds Stavemont into ./build, which is a runnable program folder.
#
#   ./build.sh        install whatever Debian packages are missing, then build
#   ./build.sh test   the same, then run every test (GL tests under Xvfb)
#   ./build.sh run    the same as the first, then start the editor
set -euo pipefail
cd "$(dirname "$0")"

PACKAGES=(
  cmake g++ make
  qt6-base-dev libqt6opengl6-dev qt6-qpa-plugins
  libgl1-mesa-dev libglu1-mesa-dev libegl-dev libgl1-mesa-dri libglx-mesa0 libegl-mesa0
  libpng-dev libgtest-dev
  xvfb xauth
  openbox x11-utils xdotool imagemagick fonts-liberation
)

install_missing_packages() {
  local missing=() p
  for p in "${PACKAGES[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  local sudo=()
  [ "$(id -u)" -ne 0 ] && sudo=(sudo)
  echo "Installing: ${missing[*]}"
  "${sudo[@]}" apt-get update
  DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y --no-install-recommends "${missing[@]}"
}

build() {
  cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo
  cmake --build build -j"$(nproc)"
}

# Every test runs under a virtual X display: Qt cannot make a GL context without one.
run_tests() {
  if [ -z "${XDG_RUNTIME_DIR:-}" ] || [ ! -d "$XDG_RUNTIME_DIR" ]; then
    XDG_RUNTIME_DIR=$(mktemp -d)
    export XDG_RUNTIME_DIR
  fi
  chmod 700 "$XDG_RUNTIME_DIR"
  xvfb-run -a -s "-screen 0 1280x1024x24" ctest --test-dir build --output-on-failure
}

# The editor needs a graphical display; say what to do when there is none.
run_editor() {
  if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    cat >&2 <<'EOT'
Stavemont is built, but there is no display to show it on (DISPLAY is not set).
Start it from a desktop session:      ./build/Stavemont
or on a virtual display, for example: xvfb-run -a -s "-screen 0 1280x1024x24" ./build/Stavemont
EOT
    exit 1
  fi
  exec ./build/Stavemont
}

case "${1:-}" in
  "") install_missing_packages; build ;;
  test) install_missing_packages; build; run_tests ;;
  run) install_missing_packages; build; run_editor ;;
  *) echo "usage: $0 [test|run]" >&2; exit 2 ;;
esac
