#!/usr/bin/env bash
# What a blind player hears: the program with a real screen reader (Orca) speaking through
# speech-dispatcher and its espeak-ng module, in a private X server with a window manager and a
# private D-Bus session with its own accessibility bus, driven with xdotool. The reader's spoken
# lines are taken from its debug log ("SPEECH OUTPUT: '…'") and checked after each step.
# Usage: screenreader.sh [--transcript FILE] PROGRAM ASSETS
# With --transcript, every spoken line is also copied to FILE, one a line, each step headed by
# "## step", and the reader's whole debug log to FILE.debug.
#
# Nothing of the user's is touched: HOME and the XDG folders are the session's own, and every
# process started here ends with the script.

# Everything runs inside a session bus of its own, which ends with this script.
if [ -z "${HIRELINGS_E2E_PRIVATE_BUS:-}" ]; then
    exec env HIRELINGS_E2E_PRIVATE_BUS=1 dbus-run-session -- "$0" "$@"
fi

source "$(dirname "$0")/hirelings_session.sh"

transcript=
if [ "${1:-}" = --transcript ]; then
    transcript=$2
    shift 2
fi
program=$1
assets=$2
here=$(dirname "$0")

# The reader and its AT-SPI bindings live in the system's Python.
readonly python=/usr/bin/python3
readonly speech_log_runner=$here/orca_speech_log.py

# A private home: the reader's preferences, the speech server's configuration and socket, the
# settings store and the sound library's choice of driver all live under it.
export HOME=$session_dir/home
export XDG_CONFIG_HOME=$HOME/.config
export XDG_DATA_HOME=$HOME/.local/share
export XDG_CACHE_HOME=$HOME/.cache
export XDG_STATE_HOME=$HOME/.local/state
export XDG_RUNTIME_DIR=$session_dir/runtime
mkdir -p "$XDG_CONFIG_HOME" "$XDG_DATA_HOME" "$XDG_CACHE_HOME" "$XDG_STATE_HOME"
mkdir -m 700 "$XDG_RUNTIME_DIR"
# Settings go to a key file under the private home rather than to a settings daemon.
export GSETTINGS_BACKEND=keyfile

for tool in orca speech-dispatcher openbox gsettings; do
    command -v "$tool" >/dev/null || fail "$tool not found"
done
"$python" -c 'import pyatspi, speechd' 2>/dev/null ||
    fail "$python cannot import pyatspi and speechd (python3-pyatspi, python3-speechd)"

bus_launcher=
for candidate in /usr/libexec/at-spi-bus-launcher /usr/lib/at-spi2-core/at-spi-bus-launcher; do
    [ -x "$candidate" ] && bus_launcher=$candidate && break
done
[ -n "$bus_launcher" ] || fail "at-spi-bus-launcher not found (at-spi2-core)"

accessibility_bus_up() {
    dbus-send --session --print-reply=literal --dest=org.freedesktop.DBus /org/freedesktop/DBus \
        org.freedesktop.DBus.NameHasOwner string:org.a11y.Bus 2>/dev/null | grep -q true
}

# The desktop's switches that tell toolkits and the reader that a screen reader is wanted.
gsettings set org.gnome.desktop.a11y.applications screen-reader-enabled true
gsettings set org.gnome.desktop.interface toolkit-accessibility true

# speech-dispatcher's espeak-ng module blocks after a few sentences when it cannot play sound;
# libao's null driver takes the sound and drops it.
printf 'default_driver=null\n' >"$HOME/.libao"
speech_config=$XDG_CONFIG_HOME/speech-dispatcher
mkdir -p "$speech_config/modules"
cp /etc/speech-dispatcher/modules/espeak-ng.conf "$speech_config/modules/"
cat >"$speech_config/speechd.conf" <<CONF
LogLevel 3
LogDir "$session_dir"
AudioOutputMethod "libao"
AddModule "espeak-ng" "sd_espeak-ng" "espeak-ng.conf"
DefaultModule espeak-ng
DefaultLanguage "ru"
CONF
speech_socket=$XDG_RUNTIME_DIR/speech-dispatcher/speechd.sock
mkdir -p "$(dirname "$speech_socket")"
export SPEECHD_ADDRESS=unix_socket:$speech_socket

start_x_server
openbox --sm-disable >"$session_dir/window-manager.log" 2>&1 &
started_pids+=("$!")

"$bus_launcher" --launch-immediately >"$session_dir/bus-launcher.log" 2>&1 &
started_pids+=("$!")
wait_for 10 accessibility_bus_up || fail "the accessibility bus did not start"

# Started here, in the foreground, so that it ends with the script; the reader would otherwise
# start one of its own that outlives it.
speech-dispatcher --run-single --timeout 0 --config-dir "$speech_config" \
    --communication-method unix_socket --socket-path "$speech_socket" \
    >"$session_dir/speech-dispatcher.log" 2>&1 &
started_pids+=("$!")
wait_for 10 test -S "$speech_socket" || fail "speech-dispatcher did not open $speech_socket"

speech_log=$session_dir/orca-debug.out
if [ -n "$transcript" ]; then
    : >"$transcript"
    keep_debug_log() {
        cp "$speech_log" "$transcript.debug" 2>/dev/null || true
        cleanup
    }
    trap keep_debug_log EXIT
fi
"$python" "$speech_log_runner" "$speech_log" >"$session_dir/orca.log" 2>&1 &
orca_pid=$!
started_pids+=("$orca_pid")

# spoken_lines: what the reader has said so far, one utterance a line, runs of spaces squeezed.
spoken_lines() {
    # Each line ends with the voice the utterance was spoken in, after the closing quote; some
    # (flat review's) give it as a list of one.
    sed -n "s/^[0-9:.]* - SPEECH OUTPUT: '\(.*\)' *\[\?{[^{}]*}\]\?\$/\1/p" "$speech_log" 2>/dev/null |
        tr -s ' '
}

# Whether the reader has handled every event it has taken in. It handles them in turn and may
# fall seconds behind after a burst (a sort changes every text of the detail panel); a user waits
# until it has spoken, and so does each step, or the reader would meet the step's events while
# it still works through the last step's.
# (Under a flood of events it drops the older ones and says how many.)
reader_caught_up() {
    awk '/EVENT MANAGER: Queueing / { queued++ }
         /EVENT MANAGER: Dequeued / { handled++ }
         / - EVENT MANAGER: [0-9]+ events pruned\./ { for (i = 1; i < NF; i++) if ($i == "MANAGER:") handled += $(i + 1) }
         END { exit !(queued == handled) }' "$speech_log"
}

# The utterances of the current step: those after the mark that begin_step set.
step_mark=0
step_name=
begin_step() {
    wait_for 30 reader_caught_up || fail "the screen reader is still busy after 30 s"
    step_name=$1
    step_mark=$(spoken_lines | wc -l)
    [ -z "$transcript" ] || printf '## %s\n' "$step_name" >>"$transcript"
}

step_lines() {
    spoken_lines | tail -n +$((step_mark + 1))
}

heard_all() {
    local lines text
    lines=$(step_lines)
    for text in "$@"; do
        grep -qF -- "$(tr -s ' ' <<<"$text")" <<<"$lines" || return 1
    done
}

# expect_heard TEXT...: every TEXT is part of what the reader says in this step, in time.
expect_heard() {
    if ! wait_for 20 heard_all "$@"; then
        local text
        for text in "$@"; do
            heard_all "$text" || echo "not heard: «$text»" >&2
        done
        echo "heard in step «$step_name»:" >&2
        step_lines | sed 's/^/    /' >&2
        fail "the reader did not say what step «$step_name» should make it say"
    fi
}

# end_step: the step's utterances go to the transcript.
end_step() {
    [ -z "$transcript" ] || step_lines >>"$transcript"
}

reader_ready() {
    spoken_lines | grep -qx 'Screen reader on.'
}
if ! wait_for 30 reader_ready; then
    grep -q 'other' "$session_dir/orca.log" && fail "another screen reader of this user runs already"
    fail "the screen reader did not start"
fi

# value_of ID FIELD: the hireling's value of FIELD in records.txt, empty when it has none.
value_of() {
    records "$2" | awk -v id="$1" '$2 == id { $1 = ""; $2 = ""; sub(/^ +/, ""); print }'
}
name_of() {
    value_of "$1" MDName
}
# id_at N: the id of the N-th hireling in load order (1 the first).
id_at() {
    records MDName | awk -v n="$1" 'NR == n { print $2 }'
}

# money AMOUNT: a whole amount as the program shows it, thousands apart by a space.
money() {
    sed -E ':more; s/([0-9])([0-9]{3})($| )/\1 \2\3/; t more' <<<"$1"
}

# The grid's columns as the reader names them in a cell, and the fields they show.
readonly grid_titles=(здр пдв лов сил лдр мдр мдк взр мех мед урв "1 д")
readonly grid_fields=(MDhea MDagi MDdex MDstr MDldr MDwis MDmrk MDexp MDmec MDmed MDlvl MDCost1)

# row_said ID: what the reader says of the hireling's row, one utterance a line: the name, then
# every value after its column's title.
row_said() {
    local column value
    printf '%s.\n' "$(name_of "$1")"
    for column in "${!grid_fields[@]}"; do
        value=$(value_of "$1" "${grid_fields[$column]}")
        [ "${grid_fields[$column]}" != MDCost1 ] || value=$(money "$value")
        printf '%s %s.\n' "${grid_titles[$column]}" "$value"
    done
}

# row_in_notice ID: the hireling's row as a sort's notice carries it: "name, здр 80, …, 1 д 1 900".
row_in_notice() {
    local cells
    mapfile -t cells < <(row_said "$1" | sed 's/\.$//')
    local joined=${cells[0]} cell
    for cell in "${cells[@]:1}"; do joined+=", $cell"; done
    printf '%s\n' "$joined"
}

# is_krev ID: whether the hireling comes from agency KREV, whose hirelings are hired by the day.
is_krev() {
    [ "$(value_of "$1" MDType)" != 0 ]
}

# panel_summary ID: the portrait's description, the detail panel in its reading order: the
# agency, then every text that shows a value, after its caption. A KREV hireling has no weekly
# terms and no deposit, and a deposit of 0 is not shown.
panel_summary() {
    local id=$1 field caption value parts=()
    if is_krev "$id"; then parts+=(KREV); else parts+=(ZOLT); fi
    while IFS='|' read -r field caption; do
        value=$(value_of "$id" "$field")
        [ -n "$value" ] || continue
        case $field in
        MDdeposit) { ! is_krev "$id" && [ "$value" != 0 ]; } || continue ;&
        MDCost* | MDcurtools) value=$(money "$value") ;;
        esac
        parts+=("$caption: $value")
    done <<'PANEL'
MDCost1|Зарплата 1 д.
MDCost7|Зарплата 7 д.
MDCost15|Зарплата 14 д.
MDdeposit|Страховка
MDcurtools|Стоим. оборуд.
MDAlias|Клички
MDspec|Специальность
MDchr|Характер
MDtools|Оборудование
MDFrends|Симпатия
MDNoFrends|Непрязнь
PANEL
    local summary=${parts[0]} part
    for part in "${parts[@]:1}"; do summary+="; $part"; done
    printf '%s\n' "$summary"
}

first_id=$(id_at 1)
second_id=$(id_at 2)
last_id=$(records MDName | awk 'END { print $2 }')
is_krev "$last_id" || fail "records.txt: the last hireling, $last_id, is not from KREV"
is_krev "$second_id" && fail "records.txt: the second hireling, $second_id, is not from ZOLT"
readonly table_name="Наемники." table_size="table with 51 rows 13 columns"

# said_in_order LINE...: the step's utterances hold every LINE whole, in this order; others may
# come before, between and after.
said_in_order() {
    step_lines | expected=$(printf '%s\n' "$@" | tr -s ' ') awk '
        BEGIN { wanted = split(ENVIRON["expected"], line, "\n"); next_line = 1 }
        next_line <= wanted && $0 == line[next_line] { next_line++ }
        END { exit next_line <= wanted }'
}

# expect_said_in_order LINE...: the reader says every LINE, in this order, in time.
expect_said_in_order() {
    if ! wait_for 20 said_in_order "$@"; then
        echo "expected, in this order:" >&2
        printf '    %s\n' "$@" >&2
        echo "heard in step «$step_name»:" >&2
        step_lines | sed 's/^/    /' >&2
        fail "the reader did not say what step «$step_name» should make it say"
    fi
}

# expect_unsaid TEXT...: once the reader has worked through the step, no utterance holds a TEXT.
expect_unsaid() {
    wait_for 30 reader_caught_up || fail "the screen reader is still busy after 30 s"
    local text
    for text in "$@"; do
        if step_lines | grep -qF -- "$text"; then
            step_lines | sed 's/^/    /' >&2
            fail "in step «$step_name» the reader said «$text»"
        fi
    done
}

begin_step "start-up"
# As a user starts it: nothing tells the program that a reader runs but the desktop's settings.
"$program" >"$session_dir/program.log" 2>"$session_dir/program-errors.txt" &
program_pid=$!
started_pids+=("$program_pid")
wait_for 20 window_exists "$main_title" || fail "no window titled «$main_title»"
main_window=$(window_by_name "$main_title")
mapfile -t first_row < <(row_said "$first_id")
expect_said_in_order "$main_title frame." "$table_name" "$table_size" "${first_row[@]}"
end_step
wait_for 10 measure_main_window || fail "could not find the grid in the main window"
pass "start-up: the reader names the window and the table, then reads the first row"

begin_step "Down on the grid"
press Down
mapfile -t second_row < <(row_said "$second_id")
expect_said_in_order "${second_row[@]}"
end_step
pass "Down: the reader says $(name_of "$second_id") and each value with its column's title"

# tab_to_portrait ID: Tab takes the focus to the portrait, which names the hireling ID and
# describes the detail panel.
tab_to_portrait() {
    begin_step "Tab to the portrait of $1"
    press Tab
    expect_said_in_order "Фото: $(name_of "$1") image." "$(panel_summary "$1")."
}

# shift_tab_to_grid ID: Shift+Tab takes the focus back to the grid, which is named with its size
# and reads the current row, ID's.
shift_tab_to_grid() {
    local row
    begin_step "Shift+Tab back to the grid"
    press shift+Tab
    mapfile -t row < <(row_said "$1")
    expect_said_in_order "$table_name" "$table_size" "${row[@]}"
    end_step
    pass "Shift+Tab: the reader names the table and reads the row of $(name_of "$1")"
}

tab_to_portrait "$second_id"
end_step
pass "Tab: the portrait of $(name_of "$second_id") describes the ZOLT terms of the detail panel"
shift_tab_to_grid "$second_id"

# A user who knows the list presses keys faster than the reader speaks: the program still takes
# every key, and the reader ends on the row they lead to.
begin_step "eight quick Downs"
for _ in 1 2 3 4 5 6 7 8; do press Down; done
mapfile -t tenth_row < <(row_said "$(id_at 10)")
expect_said_in_order "${tenth_row[@]}"
end_step
pass "eight quick Downs: the reader ends on the tenth hireling"

begin_step "End on the grid"
press End
mapfile -t last_row < <(row_said "$last_id")
expect_said_in_order "${last_row[@]}"
end_step
pass "End: the reader reads the last row"

# KREV hires by the day only: the weekly terms and the deposit are empty, and never spoken.
tab_to_portrait "$last_id"
expect_unsaid "Зарплата 7 д." "Зарплата 14 д." "Страховка" "Стоим. оборуд."
end_step
pass "Tab: the portrait of KREV's $(name_of "$last_id") names no empty term"
shift_tab_to_grid "$last_id"

# Each click on a title says the title and the new direction, then the row that is now current:
# the reader reads it when the focus comes to another row (from the last row to the first), and
# the notice carries it when the current row stays where it was (the first row again) or the
# same hireling stays current (a sort by name).
readonly health_column=1
begin_step "click on the title «здр», descending"
click_title "$health_column"
new_first=$(ids_descending MDhea | head -n 1)
mapfile -t new_first_row < <(row_said "$new_first")
expect_said_in_order "notification здр, по убыванию." "${new_first_row[@]}"
end_step
pass "a click on «здр» sorts descending: the reader says so, then the new first row"

begin_step "click on the title «здр», ascending"
click_title "$health_column"
new_first=$(ids_ascending MDhea | head -n 1)
expect_said_in_order "notification здр, по возрастанию; $(row_in_notice "$new_first")."
end_step
pass "a click on «здр» sorts ascending: the reader says so with the new first row"

begin_step "click on the title «Наемник»"
click_title 0
expect_said_in_order "notification Наемник, по возрастанию; $(row_in_notice "$new_first")."
end_step
pass "a click on «Наемник» sorts by name: the reader says so with the row of the same hireling"

readonly about_lines=("${about_title#  } dialog" "Версия 1.1" "Наемники ZOLT и KREV" '"Ксарон" (KS3)'
    "Были использованы материалы:" "Летопись Фендала: www.example.org/ksaron"
    "Корвим: corvim.example.com (данные Ларцева)" 'Спецвыпуск журнала "Мир Стратегий" (журнал "МС")'
    "© 2004 Кирилл Волохов, составитель базы" "прошу сообщать о допущенных ошибках и опечатках")

# close_about: Esc closes the About window and the reader is back on the main window.
close_about() {
    begin_step "Esc in the About window"
    press Escape
    wait_for 10 eval '! window_exists "$about_title"' || fail "Esc did not close the About window"
    expect_heard "$main_title frame"
    end_step
}

# A click on a menu command as a hand makes it: the button goes down, the reader takes note of
# the press, and the button comes up. (The reader looks up the active window only when it handles
# a press; one that xdotool releases at once is handled after the command has opened its window,
# and the reader then takes that window as known and never announces it.)
handled_presses() {
    grep -c 'EVENT MANAGER: Dequeued mouse:button:1p' "$speech_log" || true
}
reader_handled_press() {
    [ "$(handled_presses)" -gt "$1" ]
}
click_menu_like_a_hand() {
    local X Y SCREEN WINDOW origin presses
    origin=$(xwininfo -id "$main_window" |
        awk '/Absolute upper-left X:/ { x = $NF } /Absolute upper-left Y:/ { y = $NF } END { print x, y }')
    xdotool mousemove --sync $((${origin% *} + menu_centres[$1 - 1])) $((${origin#* } + client_top / 2))
    wait_for 30 reader_caught_up || fail "the screen reader is still busy after 30 s"
    presses=$(handled_presses)
    xdotool mousedown 1
    wait_for 10 reader_handled_press "$presses" || fail "the screen reader did not hear the press"
    xdotool mouseup 1
}

begin_step "the About window opened with the mouse"
click_menu_like_a_hand 1
wait_for 10 window_exists "$about_title" || fail "«О программе» opened no window"
expect_heard "${about_lines[@]}"
end_step
pass "opened with the mouse, the About window is read with all its texts"
close_about

# A reader activates the command through its action, as a blind user's reader does: the menu has
# no keys of its own. The action returns when the modal window closes.
begin_step "the About window opened by the reader's action"
"$python" "$here/accessibility.py" --press-menu-command "$program_pid" "О программе" \
    >"$session_dir/menu-action.log" 2>&1 &
started_pids+=("$!")
wait_for 10 window_exists "$about_title" || fail "the menu command's action opened no window"
expect_heard "${about_lines[@]}"
end_step
pass "opened by the reader's action, the About window is read with all its texts"
close_about

expect_exit_by_menu
[ ! -s "$session_dir/program-errors.txt" ] ||
    fail "the program wrote to stderr: $(cat "$session_dir/program-errors.txt")"
pass "the program wrote nothing to stderr"
