#!/usr/bin/env bash
# The program in environments it does not choose: it takes no command line (Qt's own options
# included), starts no session bus of its own where there is none and leaves nothing behind, and
# opens its window with the title bar and menu on the screen even where the window is larger.
# Usage: environment.sh PROGRAM ASSETS
source "$(dirname "$0")/hirelings_session.sh"

program=$1

# start_program LOG ARGUMENT...: starts the program (with the environment the caller exported)
# and waits for its main window; sets program_pid and main_window.
program_pid=
main_window=
start_program() {
    local log=$1
    shift
    "$program" "$@" >"$session_dir/$log" 2>&1 &
    program_pid=$!
    started_pids+=("$program_pid")
    wait_for 20 window_exists "$main_title" ||
        fail "no window titled «$main_title» (program started as: hirelings $*)"
    main_window=$(window_by_name "$main_title")
}

stop_program() {
    kill "$program_pid" 2>/dev/null || true
    wait "$program_pid" 2>/dev/null || true
    wait_for 10 eval '! window_exists "$main_title"' || fail "the main window did not go away"
}

# --- Qt's command-line options change nothing ----------------------------------------------
start_x_server
start_program plain.log
eval "$(xdotool getwindowgeometry --shell "$main_window")"
plain_geometry="$X,$Y ${WIDTH}x$HEIGHT"
screenshot "$main_window" "$session_dir/plain.png"
stop_program

printf '* { background: red; color: yellow; }\n' >"$session_dir/red.qss"
# Each would show: a mirrored layout, a red style sheet, another style, another title and size,
# no window on this display at all.
start_program options.log -reverse -stylesheet "$session_dir/red.qss" -style windows \
    -qwindowtitle Other -qwindowgeometry 200x100+0+0 -geometry 200x100+0+0 -platform offscreen \
    -display :0 -session x -widgetcount -nograb
eval "$(xdotool getwindowgeometry --shell "$main_window")"
[ "$X,$Y ${WIDTH}x$HEIGHT" = "$plain_geometry" ] ||
    fail "with Qt's options the window stands at $X,$Y ${WIDTH}x$HEIGHT, not $plain_geometry"
screenshot "$main_window" "$session_dir/options.png"
differing=$(compare -metric AE "$session_dir/plain.png" "$session_dir/options.png" null: 2>&1) || true
[ "$differing" = 0 ] || fail "with Qt's options $differing pixels of the window differ"
stop_program
pass "Qt's command-line options change neither the window's place nor a pixel of it"

# --- no session bus: none is started, nothing is written -----------------------------------
dbus_processes() {
    pgrep -x 'dbus-launch|dbus-daemon' | sort || true
}
before=$(dbus_processes)
home=$session_dir/home
runtime=$session_dir/runtime
mkdir "$home"
mkdir -m 700 "$runtime"
unset DBUS_SESSION_BUS_ADDRESS
export HOME=$home XDG_RUNTIME_DIR=$runtime
# A whole session: start, a few rows and titles clicked, the dossier entered, "Выход".
start_hirelings "$program" "$2"
click_row 3
click_title 1
click_client $((dossier_left + dossier_width / 2)) $((dossier_top + dossier_height / 2))
click_row 0
expect_exit_by_menu
started=$(comm -13 <(echo "$before") <(dbus_processes))
if [ -n "$started" ]; then
    leftovers=$(ps -o pid=,args= -p "$(echo $started | tr ' ' ,)")
    for pid in $started; do kill "$pid" 2>/dev/null || true; done
    fail "without a session bus the program left these running: $leftovers"
fi
written=$(find "$home" "$runtime" -mindepth 1 -printf '%P\n')
[ -z "$written" ] || fail "without a session bus the program wrote: $written"
pass "without a session bus the program starts none and writes nothing"

# --- a window larger than the screen keeps its top-left corner on it ----------------------
start_x_server 1366x768
export QT_SCALE_FACTOR=2
start_program scaled.log
eval "$(xdotool getwindowgeometry --shell "$main_window")"
[ "$X" -ge 0 ] && [ "$Y" -ge 0 ] ||
    fail "at scale 2 on a 1366 × 768 screen the window stands at $X,$Y, off the screen"
[ $((X + WIDTH / 2 - 1366 / 2)) -ge -1 ] && [ $((X + WIDTH / 2 - 1366 / 2)) -le 1 ] ||
    fail "at scale 2 the window ($X,$Y ${WIDTH}x$HEIGHT) is not centred across the screen"
pass "at scale 2 on a 1366 × 768 screen the window stands at $X,$Y, its top-left corner on the screen"
