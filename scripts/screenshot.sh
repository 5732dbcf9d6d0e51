#!/usr/bin/env bash
# Makes the README's picture of the main window, docs/screenshot.png, from a built program.
#   scripts/screenshot.sh [program]    default build/app/hirelings (build it first)
# Runs the program in a private X server, waits for its window and captures that window alone.
# Needs Xvfb, xdotool and ImageMagick's import (all in scripts/debian-packages.txt).
set -euo pipefail

cd "$(dirname "$0")/.."

readonly PROGRAM="${1:-build/app/hirelings}"
readonly OUTPUT=docs/screenshot.png
readonly WINDOW_TITLE="Список наемников ZOLT и KREV"
readonly SCREEN_GEOMETRY=1024x768x24
readonly FIRST_DISPLAY=90
readonly LAST_DISPLAY=140
readonly START_TIMEOUT_SECONDS=20
readonly POLL_SECONDS=0.1
# The window is mapped before its portrait and dossier are painted; this lets them land.
readonly SETTLE_SECONDS=1

started_pids=()
work_dir=
cleanup() {
    local pid
    for pid in "${started_pids[@]}"; do kill "$pid" 2>/dev/null || true; done
    for pid in "${started_pids[@]}"; do wait "$pid" 2>/dev/null || true; done
    if [ -n "$work_dir" ]; then rm -rf "$work_dir"; fi
}
trap cleanup EXIT

fail() {
    echo "screenshot: $*" >&2
    exit 1
}

# wait_for COMMAND...: runs COMMAND until it succeeds or START_TIMEOUT_SECONDS have passed.
wait_for() {
    local deadline=$((SECONDS + START_TIMEOUT_SECONDS))
    until "$@"; do
        [ "$SECONDS" -lt "$deadline" ] || return 1
        sleep "$POLL_SECONDS"
    done
}

x_server_answers() {
    xdotool getdisplaygeometry >/dev/null 2>&1
}

window_id() {
    xdotool search --onlyvisible --name "^${WINDOW_TITLE}\$" 2>/dev/null | head -n 1
}

window_shown() {
    [ -n "$(window_id)" ]
}

[ -x "$PROGRAM" ] || fail "no program at $PROGRAM; build it first (scripts/dev.sh test builds it)"
for tool in Xvfb xdotool import; do
    command -v "$tool" >/dev/null || fail "$tool is missing; scripts/dev.sh installs it"
done

display=
for candidate in $(seq "$FIRST_DISPLAY" "$LAST_DISPLAY"); do
    if [ ! -e "/tmp/.X11-unix/X$candidate" ] && [ ! -e "/tmp/.X$candidate-lock" ]; then
        display=$candidate
        break
    fi
done
[ -n "$display" ] || fail "no free X display from :$FIRST_DISPLAY to :$LAST_DISPLAY"

Xvfb ":$display" -screen 0 "$SCREEN_GEOMETRY" -nolisten tcp >/dev/null 2>&1 &
started_pids+=("$!")
export DISPLAY=":$display"
wait_for x_server_answers || fail "Xvfb did not start on $DISPLAY"
# The pointer would light whatever it rests on.
xdotool mousemove 0 0

work_dir=$(mktemp -d)
chmod 700 "$work_dir"
XDG_RUNTIME_DIR="$work_dir" LC_ALL=C.UTF-8 "$PROGRAM" >"$work_dir/program.log" 2>&1 &
started_pids+=("$!")
wait_for window_shown || {
    cat "$work_dir/program.log" >&2
    fail "no window titled «$WINDOW_TITLE» within $START_TIMEOUT_SECONDS s"
}
window=$(window_id)
# Without a window manager nobody gives the window the focus; an active window shows its
# selection as the user sees it.
xdotool windowfocus --sync "$window"
sleep "$SETTLE_SECONDS"

mkdir -p "$(dirname "$OUTPUT")"
# No time stamps in the file, so that an unchanged window gives an unchanged picture.
import -window "$window" -strip -define png:exclude-chunks=date,time "png:$OUTPUT"
echo "wrote $OUTPUT ($(identify -format '%w x %h' "$OUTPUT"))"
