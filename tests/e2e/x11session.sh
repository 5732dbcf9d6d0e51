# Shared helpers of the end-to-end tests: a private X server and bounded waits.
# Source this file; it defines start_x_server, wait_for, window_by_name and cleanup.

set -euo pipefail

started_pids=()

cleanup() {
    local pid
    for pid in "${started_pids[@]}"; do
        kill "$pid" 2>/dev/null || true
    done
    for pid in "${started_pids[@]}"; do
        wait "$pid" 2>/dev/null || true
    done
}
trap cleanup EXIT

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

# Starts Xvfb on the first free display from 90 on and exports DISPLAY.
start_x_server() {
    local display
    for display in $(seq 90 140); do
        if [ ! -e "/tmp/.X11-unix/X$display" ] && [ ! -e "/tmp/.X$display-lock" ]; then
            Xvfb ":$display" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
            started_pids+=("$!")
            export DISPLAY=":$display"
            wait_for 10 xdpyinfo_ok || fail "Xvfb did not start on :$display"
            return 0
        fi
    done
    fail "no free X display"
}

xdpyinfo_ok() {
    xdotool getdisplaygeometry >/dev/null 2>&1
}

# wait_for SECONDS COMMAND...: runs COMMAND every 0.1 s until it succeeds or time runs out.
wait_for() {
    local seconds=$1
    shift
    local tries=$((seconds * 10))
    while [ "$tries" -gt 0 ]; do
        if "$@"; then return 0; fi
        sleep 0.1
        tries=$((tries - 1))
    done
    return 1
}

# Prints the id of the first visible window whose title is exactly NAME.
window_by_name() {
    xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -n 1
}

window_exists() {
    [ -n "$(window_by_name "$1")" ]
}
