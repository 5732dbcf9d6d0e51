#!/usr/bin/env bash
# A program whose embedded packet is damaged shows the last-chance box, never its main window,
# and ends with exit code 1 once the box is closed.
# Usage: startup_failure.sh PROGRAM
source "$(dirname "$0")/x11session.sh"

program=$1
start_x_server

"$program" &
program_pid=$!
started_pids+=("$program_pid")

wait_for 20 window_exists "Ошибка приложения" || fail "no box titled «Ошибка приложения»"
if window_exists "Список наемников ZOLT и KREV"; then
    fail "the main window was shown"
fi
box=$(window_by_name "Ошибка приложения")
xdotool windowactivate --sync "$box" key --clearmodifiers Return 2>/dev/null ||
    xdotool windowfocus --sync "$box" key --clearmodifiers Return

status=0
wait_for 10 bash -c "! kill -0 $program_pid 2>/dev/null" || fail "the program did not end"
wait "$program_pid" || status=$?
[ "$status" -eq 1 ] || fail "exit code $status, expected 1"
echo "PASS: start-up failure ends with exit code 1 and no main window"
