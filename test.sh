#!/usr/bin/env bash
# Installs what is missing, builds, and runs the whole test suite headless.
set -euo pipefail
cd "$(dirname "$0")"
source scripts/deps.sh
luckydraw_install_deps
luckydraw_build
export QT_QPA_PLATFORM=offscreen
ctest --test-dir build --output-on-failure -j2 --timeout 300
