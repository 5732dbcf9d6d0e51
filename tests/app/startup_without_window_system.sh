#!/usr/bin/env bash
# Without a window system to open its window in, the program ends at once with exit code 1 and a
# line on stderr that says what is missing: never an abort, never a core dump.
# Usage: startup_without_window_system.sh PROGRAM
set -euo pipefail

program=$1
scratch=$(mktemp -d "${TMPDIR:-/tmp}/hirelings-startup.XXXXXX")
trap 'rm -rf "$scratch"' EXIT
failures=0

# A display number nobody uses: no lock file, no socket, not in the abstract namespace.
unused_display() {
    local display
    for display in $(seq 900 999); do
        [ -e "/tmp/.X11-unix/X$display" ] || [ -e "/tmp/.X$display-lock" ] ||
            grep -q "@/tmp/.X11-unix/X$display\$" /proc/net/unix 2>/dev/null || {
            echo ":$display"
            return
        }
    done
    echo "no unused display number" >&2
    exit 1
}

# expect_failure WHAT EXPECTED_TEXT ENV...: runs the program with the environment changed by ENV
# (env's own arguments) and checks its exit code and what it printed.
expect_failure() {
    local what=$1 expected=$2
    shift 2
    local status=0
    # The bound is for a program that wrongly opens a window somewhere and waits for the user.
    env "$@" timeout 20 "$program" >"$scratch/out" 2>"$scratch/err" || status=$?
    if [ "$status" -ne 1 ]; then
        echo "FAIL: $what: exit code $status, expected 1" >&2
        sed 's/^/    /' "$scratch/err" >&2
        failures=$((failures + 1))
    elif ! grep -qF -- "$expected" "$scratch/err"; then
        echo "FAIL: $what: stderr does not say «$expected»:" >&2
        sed 's/^/    /' "$scratch/err" >&2
        failures=$((failures + 1))
    else
        echo "PASS: $what: exit code 1, «$(grep -F -- "$expected" "$scratch/err" | head -n 1)»"
    fi
}

# A core dump would land here if the program aborted; the exit code tells it anyway (134).
ulimit -c 0
cd "$scratch"
expect_failure "no DISPLAY" "переменная DISPLAY пуста" \
    -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM -u XDG_SESSION_TYPE
display=$(unused_display)
expect_failure "DISPLAY $display names no server" "X-сервер «$display» не отвечает" \
    -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM -u XDG_SESSION_TYPE DISPLAY="$display"
expect_failure "an unknown QT_QPA_PLATFORM" "платформа «no-such-platform» недоступна" \
    QT_QPA_PLATFORM=no-such-platform
[ -z "$(ls -A "$scratch" | grep -v -x -e out -e err)" ] ||
    { echo "FAIL: the program left files behind: $(ls -A "$scratch")" >&2; failures=$((failures + 1)); }

echo "$((3 - failures)) passed, $failures failed"
[ "$failures" -eq 0 ]
