#!/usr/bin/env bash
# Builds the fuzz targets of fuzz/ in build-fuzz/ (clang, libFuzzer, AddressSanitizer and
# UndefinedBehaviorSanitizer) and runs each for the given number of seconds (default 20),
# starting from its seed corpus in fuzz/corpus/ and its dictionary. Inputs that find new
# paths are kept in build-fuzz/corpus/. The run fails on a crash, a broken rule, undefined
# behaviour, a leak in the program's code or an input that takes more than a second; the
# input is then saved in build-fuzz/findings/.
#   scripts/fuzz.sh [seconds]
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-20}
source scripts/deps.sh
luckydraw_install_deps clang libclang-rt-14-dev

dir=$PWD/build-fuzz  # absolute: some targets work in a scratch folder of their own
luckydraw_ccache
cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "${LUCKYDRAW_LAUNCHER[@]}" \
  -DCMAKE_CXX_COMPILER=clang++ -DLUCKYDRAW_FUZZ=ON -DLUCKYDRAW_BENCH=OFF >/dev/null
cmake --build "$dir" --target fuzzers -j"$(nproc)"

export LSAN_OPTIONS="suppressions=$PWD/scripts/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1
mkdir -p "$dir/findings" "$dir/logs"
failed=()
for bin in "$dir"/fuzz/*_fuzz; do
  name=$(basename "$bin" _fuzz)
  mkdir -p "$dir/corpus/$name"
  args=(-max_total_time="$seconds" -timeout=1 -rss_limit_mb=2048 -print_final_stats=1
        -artifact_prefix="$dir/findings/$name-")
  [ -f "fuzz/$name.dict" ] && args+=(-dict="$PWD/fuzz/$name.dict")
  echo "== $name: ${seconds}s"
  if "$bin" "${args[@]}" "$dir/corpus/$name" "$PWD/fuzz/corpus/$name" >"$dir/logs/$name.log" 2>&1; then
    # The last status line: executions, coverage, corpus; then the totals.
    grep -E '^#[0-9]+' "$dir/logs/$name.log" | tail -1 || true
    grep -E '^stat::(number_of_executed_units|average_exec_per_sec|peak_rss_mb)' "$dir/logs/$name.log" | tr '\n' ' '
    echo
  else
    echo "!! $name found a fault; its report:"
    tail -60 "$dir/logs/$name.log"
    failed+=("$name")
  fi
done
if [ ${#failed[@]} -gt 0 ]; then
  echo "Fuzzing found faults in: ${failed[*]} (inputs in $dir/findings/)" >&2
  exit 1
fi
echo "Fuzzing: no finding."
