#!/usr/bin/env bash
# Builds Stavemont into ./build, which is a runnable program folder.
#
#   ./build.sh        install whatever Debian packages are missing, then build
#   ./build.sh test   the same, then install the glTF validator (npm) into
#                     build/npm and run every test (GL tests under Xvfb)
#   ./build.sh run    the same as the first, then start the editor
#   ./build.sh sanitize
#                     builds the unit tests and the fuzz targets with clang's
#                     sanitizers into ./build-san, runs the unit tests there and
#                     each fuzz target for FUZZ_SECONDS (60) seconds
set -euo pipefail
cd "$(dirname "$0")"

PACKAGES=(
  cmake g++ make clang libclang-rt-14-dev
  qt6-base-dev libqt6opengl6-dev qt6-qpa-plugins
  libgl1-mesa-dev libglu1-mesa-dev libegl-dev libgl1-mesa-dri libglx-mesa0 libegl-mesa0
  libpng-dev libgtest-dev
  xvfb xauth
  openbox x11-utils xdotool imagemagick fonts-liberation
  shared-mime-info libglib2.0-bin poppler-utils
  libtinygltf-dev
)

# The Khronos glTF validator, which the tests run on exported models.
GLTF_VALIDATOR=gltf-validator@2.0.0-dev.3.10
install_node_tools() {
  # Node.js and npm from Debian where the machine has none (a Node.js of its
  # own may bring npm with it, and conflicts with Debian's npm).
  command -v node >/dev/null || install_packages nodejs
  command -v npm >/dev/null || install_packages npm
  [ -f build/npm/node_modules/gltf-validator/package.json ] && return 0
  mkdir -p build/npm
  npm install --prefix build/npm --no-audit --no-fund --no-save "$GLTF_VALIDATOR"
}

install_missing_packages() {
  local missing=() p
  for p in "${PACKAGES[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
  done
  install_packages "${missing[@]}"
}

install_packages() {
  local missing=("$@")
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

# Any finding of AddressSanitizer, LeakSanitizer or UndefinedBehaviorSanitizer
# fails the step. The unit tests need no display.
sanitize() {
  cmake -S . -B build-san -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DSTAVEMONT_SANITIZE=ON -DSTAVEMONT_FUZZ=ON
  cmake --build build-san -j"$(nproc)" --target SanitizedTests
  export UBSAN_OPTIONS=print_stacktrace=1
  ctest --test-dir build-san -L unit --output-on-failure
  run_fuzzers
}

# Runs the fuzz targets side by side, each on a copy of its seed corpus (the
# repository is not written) for FUZZ_SECONDS. An input that crashes, leaks or
# takes over 25 s is kept in build-san/fuzz/findings/ and fails the step.
run_fuzzers() {
  local seconds=${FUZZ_SECONDS:-60} work findings=build-san/fuzz/findings/ target pids=() failed=0
  work=$(mktemp -d)
  mkdir -p "$findings"
  for target in ConstructionFileFuzz AniCursorFuzz; do
    cp -r "tests/fuzz/corpus/$target" "$work/$target"
    local dict=()
    [ -f "tests/fuzz/$target.dict" ] && dict=(-dict="tests/fuzz/$target.dict")
    "build-san/fuzz/$target" -max_total_time="$seconds" -timeout=25 -print_final_stats=1 \
      -artifact_prefix="$findings$target-" "${dict[@]}" "$work/$target" >"$work/$target.log" 2>&1 &
    pids+=($!)
  done
  local i=0
  for target in ConstructionFileFuzz AniCursorFuzz; do
    if wait "${pids[$i]}"; then
      echo "$target: $(grep -E '^stat::number_of_executed_units' "$work/$target.log" | grep -oE '[0-9]+') inputs in ${seconds} s, no finding"
    else
      failed=1
      tail -n 60 "$work/$target.log"
      echo "$target found a fault; the input is in $findings (run build-san/fuzz/$target <input> to see it again)" >&2
    fi
    i=$((i + 1))
  done
  rm -rf "$work"
  return $failed
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
  test) install_missing_packages; build; install_node_tools; run_tests ;;
  run) install_missing_packages; build; run_editor ;;
  sanitize) install_missing_packages; sanitize ;;
  *) echo "usage: $0 [test|run|sanitize]" >&2; exit 2 ;;
esac
