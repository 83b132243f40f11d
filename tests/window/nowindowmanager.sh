#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Starts the program on an X server where no window manager runs and checks that its window
# fills the screen all the same, with the scheme list filled. Argument: the program.
set -euo pipefail
program=$1
command -v Xvfb > /dev/null && command -v xwininfo > /dev/null \
    || { echo "skipped: Xvfb or xwininfo is missing"; exit 77; }

source "$(dirname "$0")/../../scripts/scratch.sh"

start_xvfb 1024x768

mkdir -m 0700 "$work/runtime"
# The X platform whatever the caller exported: an inherited QT_QPA_PLATFORM=offscreen (as the
# rest of the suite runs) would show no window on the X server at all.
QT_QPA_PLATFORM=xcb XDG_RUNTIME_DIR="$work/runtime" "$program" > "$work/out" 2>&1 &
pids+=($!)
# The window is found by its caption; its size is read once it has been mapped. Up to 30 s:
# on a machine loaded by a parallel build and test run the start has taken over 10 s.
geometry=""
for _ in $(seq 300); do
    if info=$(xwininfo -name "Tessaria 1.0   https://github.com/tessaria/tessaria" 2> /dev/null) \
        && grep -q "Map State: IsViewable" <<< "$info"; then
        geometry=$(awk '/Width:/ { w = $2 } /Height:/ { h = $2 } END { print w "x" h }' <<< "$info")
        [ "$geometry" = 1024x768 ] && break
    fi
    sleep 0.1
done
echo "window: ${geometry:-not mapped}"
[ "$geometry" = 1024x768 ] || { echo "FAIL: the window does not fill the 1024x768 screen"; exit 1; }
[ ! -s "$work/out" ] || { echo "FAIL: the program printed:"; cat "$work/out"; exit 1; }
echo "PASS"
