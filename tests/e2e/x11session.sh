# Shared helpers of the end-to-end tests: a private X server, bounded waits, and reading the
# screen and the clipboard from outside the program.
# Source this file; it defines start_x_server (which sets DISPLAY and x_server_pid), wait_for,
# is_running, wait_for_exit, window_by_name, window_exists, screenshot, pixel, pixel_column,
# pixel_row, claim_clipboard, clipboard_offers, fail, pass and cleanup.

set -euo pipefail

started_pids=()
session_dir=$(mktemp -d "${TMPDIR:-/tmp}/hirelings-e2e.XXXXXX")

# Whether PID is a process this shell started and that still runs. A child that has ended is
# reaped at once and its id may then go to anybody's new process, which must never be signalled.
is_running() {
    local stat fields
    # /proc/PID/stat: pid, (name), state, parent pid, …; the name may hold spaces and brackets.
    read -r stat 2>/dev/null <"/proc/$1/stat" || return 1
    read -r -a fields <<<"${stat##*) }"
    [ "${fields[1]}" = "$$" ] && [ "${fields[0]}" != Z ]
}

# Ends every process this session started that still runs, the last started first (the program
# before its X server), and removes the session's scratch folder.
cleanup() {
    local index pid
    for ((index = ${#started_pids[@]} - 1; index >= 0; index--)); do
        pid=${started_pids[$index]}
        if is_running "$pid"; then kill "$pid" 2>/dev/null || true; fi
    done
    for pid in "${started_pids[@]}"; do
        wait "$pid" 2>/dev/null || true
    done
    rm -rf "$session_dir"
}
trap cleanup EXIT

# Reports the failure with what the started programs printed, and ends the test.
fail() {
    echo "FAIL: $*" >&2
    local log
    for log in "$session_dir"/*.log; do
        [ -s "$log" ] || continue
        echo "--- $(basename "$log"):" >&2
        tail -n 20 "$log" >&2
    done
    exit 1
}

pass() {
    echo "PASS: $*"
}

x_server_pid=
readonly x_display_first=100
readonly x_display_count=800

# start_x_server [WIDTHxHEIGHT]: starts Xvfb (1280x1024 unless told) on a free display and
# exports DISPLAY. Several people may run these tests at once,
# some of them in other sandboxes that share the abstract socket names but not /tmp, so a display
# counts as free only when neither its lock, nor its socket file, nor its abstract socket exists;
# and a server that loses the race for a number is followed by a try at another.
start_x_server() {
    local screen_size=${1:-1280x1024} display xvfb tries
    for _ in $(seq 1 20); do
        display=$((x_display_first + RANDOM % x_display_count))
        display_in_use "$display" && continue
        # Without -noreset the server resets whenever its last client leaves, and a program that
        # connects during the reset is turned away.
        Xvfb ":$display" -screen 0 "${screen_size}x24" -nolisten tcp -noreset \
            >"$session_dir/xvfb.log" 2>&1 &
        xvfb=$!
        started_pids+=("$xvfb")
        for ((tries = 100; tries > 0; tries--)); do
            is_running "$xvfb" || break
            if [ -S "/tmp/.X11-unix/X$display" ]; then
                export DISPLAY=":$display"
                wait_for 10 xdpyinfo_ok || fail "Xvfb does not answer on $DISPLAY"
                # A server that lost the lock to another one has ended by now.
                if is_running "$xvfb"; then
                    x_server_pid=$xvfb
                    return 0
                fi
                break
            fi
            sleep 0.1
        done
        if is_running "$xvfb"; then kill "$xvfb" 2>/dev/null || true; fi
    done
    fail "no free X display"
}

display_in_use() {
    [ -e "/tmp/.X11-unix/X$1" ] || [ -e "/tmp/.X$1-lock" ] ||
        grep -q "@/tmp/.X11-unix/X$1\$" /proc/net/unix 2>/dev/null
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

# wait_for_exit PID SECONDS: waits until the child PID has ended and puts its exit code in
# exit_status; returns non-zero when it is still running after SECONDS. (Not for use inside
# "$(...)": only this shell can collect its children's exit codes.)
exit_status=
wait_for_exit() {
    local pid=$1 seconds=$2
    wait_for "$seconds" eval "! is_running $pid" || return 1
    exit_status=0
    wait "$pid" || exit_status=$?
}

# Prints the id of the first visible window whose title is exactly NAME.
window_by_name() {
    xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -n 1
}

window_exists() {
    [ -n "$(window_by_name "$1")" ]
}

# screenshot WINDOW FILE: the window's pixels as the X server holds them, as a PNG.
screenshot() {
    import -window "$1" "png:$2" 2>/dev/null || fail "no screenshot of window $1"
}

# pixel_column FILE X Y0 Y1: the colours (#RRGGBB) of the pixels X,Y0 … X,Y1, one a line.
pixel_column() {
    local file=$1 x=$2 top=$3 bottom=$4
    convert "$file" -alpha off -crop "1x$((bottom - top + 1))+$x+$top" +repage -depth 8 txt:- |
        awk 'NR > 1 { print $3 }'
}

# pixel_row FILE Y X0 X1: the colours of the pixels X0,Y … X1,Y, one a line.
pixel_row() {
    local file=$1 y=$2 left=$3 right=$4
    convert "$file" -alpha off -crop "$((right - left + 1))x1+$left+$y" +repage -depth 8 txt:- |
        awk 'NR > 1 { print $3 }'
}

# pixel FILE X Y: the colour of one pixel.
pixel() {
    pixel_column "$1" "$2" "$3" "$3"
}

# Makes a process of this session own the clipboard with a placeholder text, so that what the
# program copies next can be told from what it copied before.
claim_clipboard() {
    local placeholder=e2e-placeholder-$RANDOM
    printf '%s' "$placeholder" | xclip -quiet -selection clipboard -i >/dev/null 2>&1 &
    started_pids+=("$!")
    wait_for 5 clipboard_reads "$placeholder" || fail "could not take over the clipboard"
}

clipboard_reads() {
    [ "$(xclip -o -selection clipboard 2>/dev/null)" = "$1" ]
}

# clipboard_offers TYPE: whether the clipboard's owner offers the data type TYPE.
clipboard_offers() {
    xclip -o -selection clipboard -t TARGETS 2>/dev/null | grep -qx -- "$1"
}
