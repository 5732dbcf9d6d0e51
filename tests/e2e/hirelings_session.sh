# Helpers of the end-to-end tests that drive the main window from outside: start the program in
# a private X server, find the client area and the grid's rows from the window's pixels, click
# at client coordinates, copy the portrait, and tell what the records file expects.
# Source this file; it sources x11session.sh. Its constants serve the scripts that source it.
# shellcheck disable=SC2034
source "$(dirname "${BASH_SOURCE[0]}")/x11session.sh"

export LC_ALL=C.UTF-8

readonly main_title="Список наемников ZOLT и KREV"
readonly about_title="  О программе"

# The fixed layout of the main window's client area, in pixels from its top-left corner.
readonly client_width=612
readonly client_height=420
readonly grid_left=8
readonly grid_width=598
readonly grid_height=201
readonly grid_frame=1
# Title sections, the grid line at their right included.
readonly grid_line=1
readonly name_section=111
readonly number_section=39
readonly portrait_left=8
readonly portrait_top=232
readonly portrait_width=48
readonly portrait_height=43
readonly dossier_left=8
readonly dossier_top=298
readonly dossier_width=601
readonly dossier_height=118
# A title is drawn as a button with a 1-pixel edge; the sort marker stands at the right end of
# its face, in a strip that the left-aligned captions of the grid never reach.
readonly title_edge=1
readonly marker_strip_width=17
# Text in the menu bar is set in words; a wider gap of background separates two commands.
readonly menu_command_gap=8
# How deep the menu bar may reach at most, and how far inside a cell the probes that find the
# grid lines stand.
readonly menu_bar_deepest=80
readonly probe_inset=3

# Set by start_hirelings and measure_main_window.
program_pid=
main_window=
assets=
client_top=        # the menu bar's height: where the client area starts in the window
title_line=        # client y of the grid line under the title row
row_height=        # record row height, its grid line included
menu_centres=()    # x of each menu command's centre, in the window

# start_hirelings PROGRAM ASSETS: a new X server with the program in it; waits for its main
# window, gives it the keyboard focus and measures it. ASSETS is the hirelings source folder
# (records.txt, portraits/, dossiers/).
start_hirelings() {
    local program=$1
    assets=$2
    start_x_server
    "$program" >"$session_dir/program.log" 2>&1 &
    program_pid=$!
    started_pids+=("$program_pid")
    if ! wait_for 20 window_exists "$main_title"; then
        is_running "$x_server_pid" || fail "the X server on $DISPLAY ended"
        is_running "$program_pid" || fail "the program ended before its window was shown"
        fail "no window titled «$main_title»"
    fi
    main_window=$(window_by_name "$main_title")
    xdotool windowfocus --sync "$main_window"
    wait_for 10 measure_main_window || fail "could not find the grid in the main window"
}

# Finds, from a screenshot, where the client area starts below the menu bar and how high the
# grid's title row and record rows are. There is no X window of the client area's own (Qt's
# widgets inside a window are not X windows), so the client area's top is the first pixel row
# where the grid, whose top edge lies on the client area's top, differs from the background
# just right of it; the menu bar, full width, looks the same over both.
measure_main_window() {
    local shot=$session_dir/measure.png
    screenshot "$main_window" "$shot"
    local inside=$((grid_left + grid_width - 1 - probe_inset))
    local outside=$((grid_left + grid_width + probe_inset))
    client_top=$(paste -d ' ' <(pixel_column "$shot" "$inside" 0 "$menu_bar_deepest") \
        <(pixel_column "$shot" "$outside" 0 "$menu_bar_deepest") |
        awk '$1 != $2 { print NR - 1; exit }')
    [ -n "$client_top" ] || return 1

    # Horizontal grid lines run through both probes: the left one lies where numbers (right-
    # aligned) leave their cells blank, the right one where titles (left-aligned) leave theirs.
    local section=$((grid_left + grid_frame + name_section + number_section))
    local left_probe=$((section + probe_inset))
    local right_probe=$((section + number_section - grid_line - title_edge - probe_inset))
    local line_x=$((grid_left + grid_frame + name_section - grid_line))
    local line_colour
    line_colour=$(pixel "$shot" "$line_x" $((client_top + grid_height / 2)))
    local top=$((client_top + grid_frame)) bottom=$((client_top + grid_height - 2))
    local lines found
    lines=$(paste -d ' ' <(pixel_column "$shot" "$left_probe" "$top" "$bottom") \
        <(pixel_column "$shot" "$right_probe" "$top" "$bottom") |
        awk -v c="$line_colour" -v from="$grid_frame" \
            '$1 == c && $2 == c { printf "%d ", NR - 1 + from }')
    read -r -a found <<<"$lines"
    [ "${#found[@]}" -ge 3 ] || return 1
    title_line=${found[0]}
    row_height=$((found[1] - found[0]))
    [ $((found[2] - found[1])) -eq "$row_height" ] || return 1

    # Menu commands: runs of text in the menu bar's middle row, apart by more than a word space.
    local menu_y=$((client_top / 2)) background
    background=$(pixel "$shot" $((client_width - 1 - probe_inset)) "$menu_y")
    read -r -a menu_centres <<<"$(pixel_row "$shot" "$menu_y" 0 $((client_width - 1)) |
        awk -v bg="$background" -v gap="$menu_command_gap" '
            $1 != bg { if (start == "" || NR - 1 - last > gap) { if (start != "") printf "%d ", (start + last) / 2; start = NR - 1 } last = NR - 1 }
            END { if (start != "") printf "%d ", (start + last) / 2 }')"
    [ "${#menu_centres[@]}" -ge 1 ]
}

# click_window X Y: a left click at window coordinates, the pointer moved there first.
# (xdotool's --sync waits for a motion event, which never comes when the pointer stands there
# already, so a click at the pointer's place goes without it.)
click_window() {
    local X Y SCREEN WINDOW origin
    # Where the window's pixels start on the screen. (xdotool's own answer is off by the frame
    # under a window manager that puts the window into a frame of its own.)
    origin=$(xwininfo -id "$main_window" |
        awk '/Absolute upper-left X:/ { x = $NF } /Absolute upper-left Y:/ { y = $NF } END { print x, y }')
    local target_x=$((${origin% *} + $1)) target_y=$((${origin#* } + $2))
    eval "$(xdotool getmouselocation --shell)"
    if [ "$X" -eq "$target_x" ] && [ "$Y" -eq "$target_y" ]; then
        xdotool click 1
    else
        xdotool mousemove --sync "$target_x" "$target_y" click 1
    fi
}

# click_client X Y: a left click at client-area coordinates.
click_client() {
    click_window "$1" $((client_top + $2))
}

# section_left COLUMN: client x where the title section of COLUMN (0 the name) starts.
section_left() {
    if [ "$1" -eq 0 ]; then
        echo $((grid_left + grid_frame))
    else
        echo $((grid_left + grid_frame + name_section + ($1 - 1) * number_section))
    fi
}

section_width() {
    if [ "$1" -eq 0 ]; then echo "$name_section"; else echo "$number_section"; fi
}

# click_title COLUMN: a click on the title of COLUMN (0 the name), a little left or right of its
# middle: on the side away from the pointer. Two presses on one spot within the double-click
# interval make a double-click, and a double-click on a title sorts only once; a pointer that has
# moved further than the double-click distance since the last press starts a new click, however
# soon it comes. (xdotool may deliver two moves at once, and Qt then keeps only the last: the
# pointer moves once, straight to the other side.)
readonly title_click_offset=8
click_title() {
    local X Y SCREEN WINDOW left middle
    left=$(section_left "$1")
    middle=$((left + $(section_width "$1") / 2))
    eval "$(xdotool getmouselocation --shell)"
    local origin_x
    origin_x=$(xwininfo -id "$main_window" | awk '/Absolute upper-left X:/ { print $NF }')
    if [ $((X - origin_x)) -lt "$middle" ]; then
        middle=$((middle + title_click_offset))
    else
        middle=$((middle - title_click_offset))
    fi
    click_client "$middle" $(((grid_frame + title_line) / 2))
}

# click_row ROW: a click on the ROW-th record row shown (0 the top one), in the "здр" column.
click_row() {
    click_client $(($(section_left 1) + number_section / 2)) \
        $((title_line + 1 + $1 * row_height + row_height / 2 - 1))
}

# click_menu N: a click on the N-th menu command (1 the first).
click_menu() {
    [ "${#menu_centres[@]}" -ge "$1" ] || fail "the menu bar shows fewer than $1 commands"
    click_window "${menu_centres[$(($1 - 1))]}" $((client_top / 2))
}

press() {
    xdotool key --clearmodifiers "$@"
}

# copy_portrait FILE: focuses the portrait with a click, copies it with Ctrl+C and saves what
# the clipboard then offers as a PNG.
copy_portrait() {
    claim_clipboard
    click_client $((portrait_left + portrait_width / 2)) $((portrait_top + portrait_height / 2))
    press ctrl+c
    wait_for 5 clipboard_offers image/png || fail "Ctrl+C on the portrait put no image on the clipboard"
    xclip -o -selection clipboard -t image/png >"$1"
}

# same_pixels IMAGE BITMAP: whether both have the same size and every pixel alike.
same_pixels() {
    local differing
    [ "$(identify -format '%wx%h' "$1")" = "$(identify -format '%wx%h' "$2")" ] || return 1
    differing=$(compare -metric AE "$1" "$2" null: 2>&1) || true
    [ "$differing" = 0 ]
}

# expect_copied_portrait ID WHAT: the portrait copied now is the hireling ID's, pixel for pixel.
expect_copied_portrait() {
    local copied=$session_dir/copied-$1.png bitmap=$assets/portraits/$1.bmp
    copy_portrait "$copied"
    [ "$(identify -format '%wx%h' "$copied")" = "${portrait_width}x${portrait_height}" ] ||
        fail "$2: the copied portrait is $(identify -format '%wx%h' "$copied"), not ${portrait_width}x${portrait_height}"
    same_pixels "$copied" "$bitmap" || fail "$2: the copied portrait is not $1's ($bitmap)"
    pass "$2: the portrait of $1 was copied"
}

# records FIELD: "load-number id value" of every record in records.txt, in load order.
records() {
    awk -v field="$1" '
        /^\[/ { load++; id = substr($0, 2, length($0) - 2) }
        index($0, field ": ") == 1 { print load, id, substr($0, length(field) + 3) }
    ' "$assets/records.txt"
}

# ids_descending FIELD / ids_ascending FIELD: the record ids in the order of a numeric sort,
# equal values in load order when ascending and in reverse load order when descending.
ids_descending() {
    records "$1" | sort -k3,3nr -k1,1nr | awk '{ print $2 }'
}

ids_ascending() {
    records "$1" | sort -k3,3n -k1,1n | awk '{ print $2 }'
}

# title_marker FILE COLUMN: "none", "up" or "down": the triangle on that title in the screenshot,
# told by whether its narrow point stands above or below its base.
title_marker() {
    local face_right
    face_right=$(($(section_left "$2") + $(section_width "$2") - 1 - grid_line - title_edge))
    convert "$1" -alpha off -crop \
        "${marker_strip_width}x$((title_line - 2 * title_edge - grid_frame))+$((face_right - marker_strip_width + 1))+$((client_top + grid_frame + title_edge))" \
        +repage -depth 8 txt:- | awk '
        NR > 1 { split($1, at, /[,:]/); colour[at[1] "," at[2]] = $3; count[$3]++; if (at[2] > rows) rows = at[2] }
        END {
            for (c in count) if (count[c] > most) { most = count[c]; bg = c }
            first = -1
            for (y = 0; y <= rows; y++) {
                n = 0
                for (key in colour) { split(key, xy, ","); if (xy[2] == y && colour[key] != bg) n++ }
                if (n > 0) { if (first < 0) { first = y; top = n } last = y; bottom = n }
            }
            if (first < 0) print "none"
            else if (top < bottom) print "up"
            else if (top > bottom) print "down"
            else print "unknown"
        }'
}

# expect_exit_by_menu: clicks "Выход" and waits for the program to end.
expect_exit_by_menu() {
    click_menu 2
    wait_for_exit "$program_pid" 10 || fail "the program still runs after «Выход»"
    [ "$exit_status" -eq 0 ] || fail "«Выход» ended the program with exit code $exit_status, not 0"
    pass "«Выход» ends the program with exit code 0"
}
