#!/usr/bin/env bash
# Builds the program and its whole test suite with AddressSanitizer and
# UndefinedBehaviorSanitizer in build-sanitize/ and runs the suite there. The first memory
# fault, leak or undefined behaviour ends the test that met it with a report, and the run
# fails. Leaks inside Qt, fontconfig and D-Bus are suppressed (scripts/lsan.supp says why);
# nothing else is.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/deps.sh
luckydraw_install_deps
dir=build-sanitize
flags="-fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer"
luckydraw_ccache
cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "${LUCKYDRAW_LAUNCHER[@]}" \
  -DLUCKYDRAW_BENCH=OFF \
  -DCMAKE_CXX_FLAGS="$flags" \
  -DCMAKE_EXE_LINKER_FLAGS="-fsanitize=address,undefined" >/dev/null
cmake --build "$dir" -j"$(nproc)"

export QT_QPA_PLATFORM=offscreen
if [ -z "${XDG_RUNTIME_DIR:-}" ]; then
  XDG_RUNTIME_DIR=$(mktemp -d)
  export XDG_RUNTIME_DIR
fi
export ASAN_OPTIONS=halt_on_error=1:detect_leaks=1:abort_on_error=0:strict_string_checks=1:detect_stack_use_after_return=1
export UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1
export LSAN_OPTIONS="suppressions=$PWD/scripts/lsan.supp:print_suppressions=0"
ctest --test-dir "$dir" --output-on-failure -j2 --timeout 900
