#!/usr/bin/env bash
# Installs what is missing, builds, and starts the program on the bundled demo event in
# build/event/ (the demo's draw folder is copied there once, so its winners record stays
# between runs).
set -euo pipefail
cd "$(dirname "$0")"
source scripts/deps.sh
luckydraw_install_deps
luckydraw_build

event=build/event
mkdir -p "$event"
cp -f build/bin/luckydraw build/bin/drum.wav build/bin/gong.wav "$event"/
[ -d "$event/抽奖名单" ] || cp -r "examples/demo/抽奖名单" "$event/"

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
  echo "No display: built and set up $event, but there is no screen to show the window on."
  exit 1
fi
cd "$event"
exec ./luckydraw
