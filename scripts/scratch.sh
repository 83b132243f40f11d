# SPDX-License-Identifier: GPL-3.0-or-later
# Sourced by the shell tests and benchmarks that start helper processes: $work is a temporary
# folder of their own, and every process id added to pids is ended; both when the script exits.
work=$(mktemp -d)
pids=()
cleanup() {
    for pid in "${pids[@]}"; do kill "$pid" 2> /dev/null || true; done
    # Wait until they have ended: an X server that is still going removes its socket as it ends,
    # and would take away the socket of a new server that got the same display number meanwhile.
    for pid in "${pids[@]}"; do wait "$pid" 2> /dev/null || true; done
    rm -rf "$work"
}
trap cleanup EXIT

# Starts an X server of screen size $1 (e.g. 1024x768) on a display number it picks itself and
# exports DISPLAY once the server accepts connections. Xvfb chooses a free number and writes it
# when it is ready (-displayfd), so two scripts started at the same moment never share a server
# or talk to one that is about to go.
start_xvfb() {
    # -noreset: by default the server resets when its last client leaves, and refuses connections
    # while it does; a helper that looks and leaves (xdpyinfo, the AT-SPI bus launcher) would make
    # the program that connects next fail at times.
    Xvfb -displayfd 3 -screen 0 "$1x24" -nolisten tcp -noreset 3> "$work/display" > /dev/null 2>&1 &
    pids+=($!)
    local _
    for _ in $(seq 100); do
        grep -q '^[0-9]' "$work/display" 2> /dev/null && break
        sleep 0.1
    done
    grep -q '^[0-9]' "$work/display" || { echo "Xvfb did not start" >&2; exit 1; }
    DISPLAY=":$(head -n 1 "$work/display")"
    export DISPLAY
}
