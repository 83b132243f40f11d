#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Starts the real editor on an X server with a window manager, draws by keyboard, saves with
# Ctrl+S and a path typed into the file dialog, and compares the file. Argument: the program.
# XVFB_DISPLAY, when set, is the display number to start the X server on.
set -euo pipefail
program=$1
for tool in Xvfb xdotool openbox; do
    command -v $tool > /dev/null || { echo "skipped: $tool is missing"; exit 77; }
done

source "$(dirname "$0")/../../scripts/scratch.sh"

if [ -n "${XVFB_DISPLAY:-}" ]; then
    Xvfb ":$XVFB_DISPLAY" -screen 0 1280x900x24 -nolisten tcp > /dev/null 2>&1 &
    pids+=($!)
    export DISPLAY=":$XVFB_DISPLAY"
    for _ in $(seq 100); do xdotool getmouselocation > /dev/null 2>&1 && break; sleep 0.1; done
else
    start_xvfb 1280x900
fi
openbox > /dev/null 2>&1 &
pids+=($!)

mkdir -m 0700 "$work/runtime" "$work/home"
HOME="$work/home" XDG_RUNTIME_DIR="$work/runtime" "$program" > "$work/out" 2>&1 &
pids+=($!)

# Waits until a window whose name matches $1 is visible and prints its id.
wait_window() {
    local id
    for _ in $(seq 150); do
        if id=$(xdotool search --name "$1" 2> /dev/null | head -n 1) && [ -n "$id" ]; then
            echo "$id"
            return 0
        fi
        sleep 0.1
    done
    echo "FAIL: no window named '$1'" >&2
    return 1
}

editor=$(wait_window "^senza nome.dis – Tessaria – Editor di schemi$")
xdotool windowactivate --sync "$editor" 2> /dev/null || xdotool windowfocus --sync "$editor"
sleep 0.5
# The focus is on the grid from the start, with the cursor on row 1, column 1.
xdotool key --delay 50 space Right Right space Down space End space
xdotool key ctrl+s
dialog=$(wait_window "^Salva lo schema$")
sleep 0.5
# The name field has the focus and takes a full path.
xdotool type --delay 20 "$work/disegno.dis"
xdotool key Return
for _ in $(seq 100); do [ -s "$work/disegno.dis" ] && break; sleep 0.1; done

expected="$work/expected.dis"
{
    printf '%s\n' "#-#------------------" "--#-----------------#"
    for _ in $(seq 19); do printf '%s\n' "---------------------"; done
} > "$expected"
if ! cmp "$expected" "$work/disegno.dis"; then
    echo "FAIL: the saved file differs:"
    diff "$expected" "$work/disegno.dis" || true
    exit 1
fi
# Saved: the title names the file, without the mark of unsaved changes.
wait_window "^disegno.dis – Tessaria – Editor di schemi$" > /dev/null
xdotool key ctrl+q
[ ! -s "$work/out" ] || { echo "the program printed:"; cat "$work/out"; }
echo "PASS (dialog window $dialog)"
