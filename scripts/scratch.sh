# Sourced by the shell tests and benchmarks that start helper processes: $work is a temporary
# folder of their own, and every process id added to pids is ended; both when the script exits.
work=$(mktemp -d)
pids=()
cleanup() {
    for pid in "${pids[@]}"; do kill "$pid" 2> /dev/null || true; done
    rm -rf "$work"
}
trap cleanup EXIT
