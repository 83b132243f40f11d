#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Times Tessaria's start against a bare Qt window built with the same flags: from exec to the
# first complete frame of the maximised window, and the resident memory one second after exec;
# the scheme editor against the same bare window.
# A second yardstick, a plain Qt window with the kinds of controls Tessaria shows, tells what Qt
# itself costs for them. Runs alternate between the programs. Without a DISPLAY it starts Xvfb
# with openbox.
# Usage: bench/startup/startup.sh [RUNS per program, default 15] [BUILD folder, default build]
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
runs=${1:-15}
build=${2:-$root/build}
cmake --build "$build" --target tessaria tessaria-editor startup_bare startup_kinds > /dev/null

source "$(dirname "$0")/../../scripts/scratch.sh"

if [ -z "${DISPLAY:-}" ]; then
    start_xvfb 1920x1080
    openbox > /dev/null 2>&1 &
    pids+=($!)
    sleep 1
fi
echo "display $DISPLAY, $runs runs each, alternating"

# One start of $1: prints "<ms to the first complete frame> <resident KiB one second after exec>".
measure() {
    local program=$1 out="$work/out" start pid rss frame
    : > "$out"
    start=$(date +%s%N)
    TESSARIA_FRAME_STAMP=1 "$program" > "$out" 2> /dev/null &
    pid=$!
    sleep "$(awk -v s="$start" -v now="$(date +%s%N)" 'BEGIN { d = 1 - (now - s) / 1e9; print (d > 0 ? d : 0) }')"
    rss=$(awk '/^VmRSS:/ { print $2 }' "/proc/$pid/status")
    for _ in $(seq 100); do grep -q '^frame' "$out" && break; sleep 0.1; done
    kill "$pid"
    wait "$pid" 2> /dev/null || true
    frame=$(awk '/^frame/ { print $2 }' "$out")
    [ -n "$frame" ] || { echo "no complete frame from $program" >&2; exit 1; }
    echo "$(((frame - start) / 1000)) $rss"
}

for _ in $(seq "$runs"); do
    measure "$build/bin/tessaria" >> "$work/tessaria"
    measure "$build/bench/startup/startup_bare" >> "$work/bare"
    measure "$build/bench/startup/startup_kinds" >> "$work/kinds"
    measure "$build/bin/tessaria-editor" >> "$work/editor"
done

median() { sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }
column() { cut -d' ' -f"$2" "$work/$1" | median; }
printf "%-28s %12s %12s %12s %10s\n" "median" "tessaria" "bare window" "same kinds" "ratio"
awk -v t="$(column tessaria 1)" -v b="$(column bare 1)" -v k="$(column kinds 1)" 'BEGIN {
    printf "%-28s %9.1f ms %9.1f ms %9.1f ms %9.2fx\n", "first complete frame", t / 1000, b / 1000, k / 1000, t / b }'
awk -v t="$(column tessaria 2)" -v b="$(column bare 2)" -v k="$(column kinds 2)" 'BEGIN {
    printf "%-28s %9.1f MB %9.1f MB %9.1f MB %+7.1f MB\n", "resident memory after 1 s", t / 1024, b / 1024, k / 1024, (t - b) / 1024 }'
awk -v e="$(column editor 1)" -v b="$(column bare 1)" 'BEGIN {
    printf "%-28s %9.1f ms %9.1f ms %12s %9.2fx\n", "tessaria-editor: frame", e / 1000, b / 1000, "", e / b }'
awk -v e="$(column editor 2)" -v b="$(column bare 2)" 'BEGIN {
    printf "%-28s %9.1f MB %9.1f MB %12s %+7.1f MB\n", "tessaria-editor: memory", e / 1024, b / 1024, "", (e - b) / 1024 }'
