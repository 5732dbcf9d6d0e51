#!/usr/bin/env bash
# A screen reader's view of the program: its windows read over AT-SPI from another process, in a
# private D-Bus session with its own accessibility bus and registry beside a private X server.
# Usage: accessibility.sh PROGRAM ASSETS
# ASSETS is the hirelings source folder (records.txt, dossiers/) the texts are checked against.

# Everything runs inside a session bus of its own, which ends with this script.
if [ -z "${HIRELINGS_E2E_PRIVATE_BUS:-}" ]; then
    exec env HIRELINGS_E2E_PRIVATE_BUS=1 dbus-run-session -- "$0" "$@"
fi

source "$(dirname "$0")/x11session.sh"

program=$1
assets=$2
reader=$(dirname "$0")/accessibility.py
# The reader needs the system's Python, which has the AT-SPI bindings.
python=/usr/bin/python3
[ -x "$python" ] || python=python3

export LC_ALL=C.UTF-8
# The accessibility bus puts its socket here, out of everyone else's way.
export XDG_RUNTIME_DIR=$session_dir/runtime
mkdir -m 700 "$XDG_RUNTIME_DIR"

"$python" -c 'import pyatspi' 2>/dev/null || fail "$python cannot import pyatspi (python3-pyatspi)"

# Asked without starting anything: a question to org.a11y.Bus itself would have the session bus
# start a launcher of its own, one this script could not end.
accessibility_bus_up() {
    dbus-send --session --print-reply=literal --dest=org.freedesktop.DBus /org/freedesktop/DBus \
        org.freedesktop.DBus.NameHasOwner string:org.a11y.Bus 2>/dev/null | grep -q true
}

bus_launcher=
for candidate in /usr/libexec/at-spi-bus-launcher /usr/lib/at-spi2-core/at-spi-bus-launcher; do
    [ -x "$candidate" ] && bus_launcher=$candidate && break
done
[ -n "$bus_launcher" ] || fail "at-spi-bus-launcher not found (at-spi2-core)"

start_x_server
# The launcher starts the accessibility bus; the bus starts the registry when first asked.
"$bus_launcher" --launch-immediately >"$session_dir/bus-launcher.log" 2>&1 &
started_pids+=("$!")
wait_for 10 accessibility_bus_up || fail "the accessibility bus did not start"

QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 QT_ACCESSIBILITY=1 "$program" >"$session_dir/program.log" 2>&1 &
program_pid=$!
started_pids+=("$program_pid")

# The reader bounds each of its own waits; this bounds the whole reading.
timeout 150 "$python" "$reader" "$program_pid" "$assets" || fail "the windows did not read as expected"
kill -0 "$program_pid" 2>/dev/null || fail "the program ended while it was read"
pass "the main window and the About window read as the data says, before and after sorting"
