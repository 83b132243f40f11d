#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The program's answers without a window: --help and --version print and exit 0 also where no
# display can be reached, and a start without arguments there says so in one line and exits 1
# (instead of Qt's abort). Argument: the program.
set -uo pipefail
program=$1
failed=0

# Runs the program with a bare environment plus the settings given; prints "status|out|err".
run() {
    local display=$1
    shift
    local out err status
    out=$(mktemp) err=$(mktemp)
    env -i PATH=/usr/bin:/bin ${display:+DISPLAY=$display} timeout 20 "$program" "$@" > "$out" 2> "$err"
    status=$?
    echo "$status|$(head -c 200 "$out" | head -n 1)|$(cat "$err")"
    rm -f "$out" "$err"
}

expect() {
    local name=$1 got=$2 pattern=$3
    if [[ $got == $pattern ]]; then
        echo "PASS: $name"
    else
        echo "FAIL: $name: got \"$got\", expected \"$pattern\""
        failed=1
    fi
}

# :209 is a display number that no X server answers in the test.
expect "--version, no display" "$(run "" --version)" "0|Tessaria 1.0.*|"
expect "--help, no display" "$(run "" --help)" "0|Usage: tessaria ?--help | --version?|"
expect "--help, display that does not answer" "$(run :209 --help)" "0|Usage: tessaria *|"
expect "no argument, no display" "$(run "")" \
    "1||tessaria: no display to open the window on (DISPLAY is not set): start it in a graphical session"
expect "no argument, display that does not answer" "$(run :209)" \
    "1||tessaria: cannot open the display named by DISPLAY: start it in a graphical session"
exit $failed
