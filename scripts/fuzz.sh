#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the libFuzzer targets of fuzz/ with Debian's clang into build-fuzz/ and runs each for
# SECONDS (default 60), one after another; with TARGET names after SECONDS (as in fuzz/:
# scheme, non, ...), only those. Prints per target the executions, executions per
# second, coverage (cov and ft of libFuzzer's final stats) and crashes; exits non-zero when a
# target crashed, leaked, ran out of time or memory, or failed one of its checks.
# Inputs found along the way go to build-fuzz/corpus/<target>/, so the seeds in the repository
# stay small; crash inputs are kept in build-fuzz/crashes/<target>/.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}
shift || true
selected=("$@")
bash scripts/deps.sh --fuzz

dir=build-fuzz
cmake -S . -B "$dir" -G Ninja -DCMAKE_CXX_COMPILER=clang++-14 -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTESSARIA_FUZZ=ON
cmake --build "$dir"

export QT_QPA_PLATFORM=offscreen
export ASAN_OPTIONS=detect_leaks=1
export LSAN_OPTIONS="suppressions=$PWD/tests/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1

status=0
rows=()
while IFS='|' read -r name binary seeds dict options; do
  if [ ${#selected[@]} -gt 0 ] && [[ " ${selected[*]} " != *" $name "* ]]; then continue; fi
  corpus=$dir/corpus/$name
  crashes=$dir/crashes/$name
  log=$dir/logs/$name.log
  mkdir -p "$corpus" "$crashes" "$dir/logs"
  find "$crashes" -type f | sort >"$log.before"
  seedFolders=()
  for folder in $seeds; do
    # A new target may have no seeds of its own yet.
    if [ -d "$folder" ]; then seedFolders+=("$folder"); fi
  done
  read -r -a ownOptions <<<"$options"
  args=(-max_total_time="$seconds" -print_final_stats=1 -timeout=25 -rss_limit_mb=2048
    -max_len=1048576 -artifact_prefix="$crashes/" "${ownOptions[@]}")
  [ -n "$dict" ] && args+=(-dict="$dict")
  echo "== fuzz_$name: $seconds s"
  result=0
  "$binary" "${args[@]}" "$corpus" "${seedFolders[@]}" >"$log" 2>&1 || result=$?

  execs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -n 1)
  rate=$(sed -n 's/^stat::average_exec_per_sec: *//p' "$log" | tail -n 1)
  read -r _ cov _ ft <<<"$(grep -o 'cov: [0-9]* ft: [0-9]*' "$log" | tail -n 1 || true)"
  new=$(find "$crashes" -type f | sort | comm -13 "$log.before" -)
  found=$(printf '%s' "$new" | grep -c . || true)
  verdict=ok
  if [ "$found" -ne 0 ]; then
    verdict=crashed
  elif grep -q 'ERROR: LeakSanitizer' "$log"; then
    verdict=leaked # found when the run ended: no single input to blame
  elif [ "$result" -ne 0 ]; then
    verdict="exit $result"
  fi
  rows+=("$(printf '%-12s %12s %8s %6s %8s %8s  %s' "$name" "${execs:-?}" "${rate:-?}" "${cov:-?}" \
    "${ft:-?}" "$found" "$verdict")")
  if [ "$verdict" != ok ]; then
    status=1
    echo "fuzz_$name: $verdict; the end of its log, $log:"
    tail -n 40 "$log"
    [ -z "$new" ] || printf '  input kept: %s\n' $new
  fi
done <"$dir/fuzz/targets.txt"

for name in "${selected[@]}"; do
  if ! grep -q "^$name|" "$dir/fuzz/targets.txt"; then
    echo "no fuzz target named $name"
    status=1
  fi
done

echo
printf '%-12s %12s %8s %6s %8s %8s  %s\n' target executions exec/s cov ft crashes result
printf '%s\n' "${rows[@]}"
exit "$status"
