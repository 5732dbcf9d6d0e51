#!/usr/bin/env bash
# "О программе" opens the About window, centred and modal: the main window ignores clicks while
# it is open. Esc closes it, and so does Enter on a window opened anew.
# Usage: about_window.sh PROGRAM ASSETS
source "$(dirname "$0")/hirelings_session.sh"

readonly about_width=361
readonly about_height=264
readonly strength_column=4 # "сил"

start_hirelings "$1" "$2"
first_id=$(records MDName | awk 'NR == 1 { print $2 }')

# open_about: clicks "О программе" and sets about_window to the window that appears.
about_window=
open_about() {
    click_menu 1
    wait_for 10 window_exists "$about_title" || fail "no window titled «$about_title» after «О программе»"
    about_window=$(window_by_name "$about_title")
}

# close_about_with KEY: the About window has the keyboard focus (as a window manager would give
# a new window) and KEY closes it; the main window and the program stay.
close_about_with() {
    xdotool windowfocus --sync "$about_window"
    press "$1"
    wait_for 5 bash -c "! xdotool search --onlyvisible --name '^$about_title\$' >/dev/null 2>&1" ||
        fail "$1 did not close the About window"
    is_running "$program_pid" || fail "the program ended with the About window"
    window_exists "$main_title" || fail "the main window went with the About window"
    pass "$1 closes the About window"
}

open_about
eval "$(xdotool getwindowgeometry --shell "$about_window")"
[ "$WIDTH" -eq "$about_width" ] && [ "$HEIGHT" -eq "$about_height" ] ||
    fail "the About window is ${WIDTH}x${HEIGHT}, not ${about_width}x${about_height}"
read -r screen_width screen_height < <(xdotool getdisplaygeometry)
[ $((X - (screen_width - WIDTH) / 2)) -ge -1 ] && [ $((X - (screen_width - WIDTH) / 2)) -le 1 ] &&
    [ $((Y - (screen_height - HEIGHT) / 2)) -ge -1 ] && [ $((Y - (screen_height - HEIGHT) / 2)) -le 1 ] ||
    fail "the About window stands at $X,$Y, not centred"
pass "«О программе» opens a centred ${about_width} × ${about_height} window titled «$about_title»"

# While it is open, a title click and a row click on the main window (both clear of the About
# window, which stands over the grid's lower rows) sort and move nothing.
click_title "$strength_column"
click_row 1
close_about_with Escape
expect_copied_portrait "$first_id" "clicks on the main window while the About window was open"

open_about
close_about_with Return
exit 0
