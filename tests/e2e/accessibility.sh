#!/usr/bin/env bash
# A screen reader's view of the program: its windows read over AT-SPI from another process, in a
# private D-Bus session with its own accessibility bus and registry beside a private X server.
# Usage: accessibility.sh [--registry-starts-late] PROGRAM ASSETS
# ASSETS is the hirelings source folder (records.txt, dossiers/) the texts are checked against.
# With --registry-starts-late the accessibility bus is one of this script's own, whose registry
# takes two seconds to start, as on a slow machine's first run: the reader then registers its
# listener while the program's own question to the registry is still waiting, and the program
# must still learn of that listener. (Without that, it fails in most runs, not in all: the delay
# makes the order that loses the listener likely, not certain.)

# Everything runs inside a session bus of its own, which ends with this script.
if [ -z "${HIRELINGS_E2E_PRIVATE_BUS:-}" ]; then
    exec env HIRELINGS_E2E_PRIVATE_BUS=1 dbus-run-session -- "$0" "$@"
fi

source "$(dirname "$0")/x11session.sh"

registry_starts_late=false
if [ "${1:-}" = --registry-starts-late ]; then
    registry_starts_late=true
    shift
fi
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

registry=
for candidate in /usr/libexec/at-spi2-registryd /usr/lib/at-spi2-core/at-spi2-registryd; do
    [ -x "$candidate" ] && registry=$candidate && break
done
[ -n "$registry" ] || fail "at-spi2-registryd not found (at-spi2-core)"

# An accessibility bus like the system's, but whose registry starts two seconds after it is first
# asked for; a stand-in for the launcher gives its address on the session bus, as the launcher
# does. The reader finds it through AT_SPI_BUS_ADDRESS.
start_bus_with_late_registry() {
    local services=$session_dir/accessibility-services
    mkdir "$services"
    # The bus tells the services it starts its address; the registry looks for AT_SPI_BUS_ADDRESS.
    printf '#!/bin/sh\nsleep 2\nAT_SPI_BUS_ADDRESS=$DBUS_STARTER_ADDRESS exec %s\n' "$registry" \
        >"$services/late-registry"
    chmod +x "$services/late-registry"
    printf '[D-BUS Service]\nName=org.a11y.atspi.Registry\nExec=%s\n' "$services/late-registry" \
        >"$services/org.a11y.atspi.Registry.service"
    cat >"$session_dir/accessibility.conf" <<CONF
<!DOCTYPE busconfig PUBLIC "-//freedesktop//DTD D-Bus Bus Configuration 1.0//EN"
 "http://www.freedesktop.org/standards/dbus/1.0/busconfig.dtd">
<busconfig>
  <type>accessibility</type>
  <servicedir>$services</servicedir>
  <listen>unix:dir=$session_dir</listen>
  <auth>EXTERNAL</auth>
  <policy context="default">
    <allow user="*"/>
    <allow send_destination="*" eavesdrop="true"/>
    <allow eavesdrop="true"/>
    <allow own="*"/>
  </policy>
</busconfig>
CONF
    local address_file=$session_dir/accessibility-bus.address
    dbus-daemon --config-file="$session_dir/accessibility.conf" --nofork --print-address \
        >"$address_file" 2>"$session_dir/accessibility-bus.log" &
    started_pids+=("$!")
    wait_for 10 test -s "$address_file" || fail "the accessibility bus did not start"
    # Only the reader is given the address; the program finds the bus as it does on a desktop.
    AT_SPI_BUS_ADDRESS=$(head -n 1 "$address_file")
    "$python" "$(dirname "$0")/accessibility_bus.py" "$AT_SPI_BUS_ADDRESS" \
        >"$session_dir/bus-stand-in.log" 2>&1 &
    started_pids+=("$!")
    wait_for 10 accessibility_bus_up || fail "the stand-in for the bus launcher did not start"
}

start_x_server
if $registry_starts_late; then
    start_bus_with_late_registry
else
    # The launcher starts the accessibility bus; the bus starts the registry when first asked.
    "$bus_launcher" --launch-immediately >"$session_dir/bus-launcher.log" 2>&1 &
    started_pids+=("$!")
    wait_for 10 accessibility_bus_up || fail "the accessibility bus did not start"
fi

QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 QT_ACCESSIBILITY=1 "$program" >"$session_dir/program.log" 2>&1 &
program_pid=$!
started_pids+=("$program_pid")

# The reader bounds each of its own waits; this bounds the whole reading.
reader_options=()
if $registry_starts_late; then
    export AT_SPI_BUS_ADDRESS
    reader_options=(--listen-after-program-connects)
fi
timeout 150 "$python" "$reader" "${reader_options[@]}" "$program_pid" "$assets" || fail "the windows did not read as expected"
kill -0 "$program_pid" 2>/dev/null || fail "the program ended while it was read"
pass "the main window and the About window read as the data says, before and after sorting"
