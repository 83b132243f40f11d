#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Reads the program back through AT-SPI on an X server of its own with a session bus of its own:
# the controls' names, the cell under the keyboard cursor and its state (atspi_probe.py).
# Skipped, with the reason, where the machine lacks what that needs. Argument: the program.
set -euo pipefail
program=$1
here=$(cd "$(dirname "$0")" && pwd)
for tool in Xvfb dbus-run-session xdotool; do
    command -v "$tool" > /dev/null || { echo "skipped: $tool is missing"; exit 77; }
done
[ -x /usr/libexec/at-spi-bus-launcher ] || { echo "skipped: at-spi2-core is missing"; exit 77; }
/usr/bin/python3 -c 'import gi; gi.require_version("Atspi", "2.0")' 2> /dev/null \
    || { echo "skipped: python3-gi or gir1.2-atspi-2.0 is missing"; exit 77; }

source "$here/../../scripts/scratch.sh"
start_xvfb 1024x768

# The program reads its schemes beside its executable: a copy of its own, with one scheme.
mkdir -p "$work/app/schemi" "$work/runtime"
chmod 0700 "$work/runtime"
cp "$program" "$work/app/tessaria"
printf '#-#\n###\n-#-\n' > "$work/app/schemi/small.dis"
XDG_RUNTIME_DIR="$work/runtime" dbus-run-session -- /usr/bin/python3 "$here/atspi_probe.py" "$work/app/tessaria" \
    2> "$work/errors" || { cat "$work/errors"; exit 1; }
