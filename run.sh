#!/usr/bin/env bash
# Installs what is missing, builds the program and its sounds, and starts it on the bundled
# demo event in build/event/ (the demo's draw folder is copied there once, so its winners
# record stays between runs).
set -euo pipefail
cd "$(dirname "$0")"

case "${1-}" in
  -h | --help)
    cat <<'EOT'
Usage: ./run.sh [--help]

Installs the Debian packages that are missing (as root; otherwise prints the one apt-get
command to run as root), builds the program and its sounds in build/, copies the demo
event's draw folder into build/event/ (once: its winners record stays between runs) and
starts the program there, in the system's language. Without a display it says so in one
line and stops before building anything.

./test.sh builds and runs the whole test suite headless; build/bin/luckydraw --help
tells how the program is used.
EOT
    exit 0
    ;;
esac

# Without a screen there is nothing to run: say so in one line before building anything.
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  case "${QT_QPA_PLATFORM:-xcb}" in
    xcb* | wayland*)
      echo "run.sh: no display to show the window on (DISPLAY and WAYLAND_DISPLAY are not set); ./test.sh runs the tests without one." >&2
      exit 1
      ;;
  esac
fi

source scripts/deps.sh
luckydraw_install_deps
luckydraw_build luckydraw

event=build/event
mkdir -p "$event"
cp -f build/bin/luckydraw build/bin/drum.wav build/bin/gong.wav "$event"/
[ -d "$event/抽奖名单" ] || cp -r "examples/demo/抽奖名单" "$event/"
cd "$event"
exec ./luckydraw
