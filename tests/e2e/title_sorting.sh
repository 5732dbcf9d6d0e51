#!/usr/bin/env bash
# Sorting by a title click, moving with the keys and the mouse, and copying the portrait, all
# through real input from outside; each current hireling is recognised by the portrait that
# Ctrl+C puts on the X clipboard.
# Usage: title_sorting.sh PROGRAM ASSETS
source "$(dirname "$0")/hirelings_session.sh"

readonly strength_column=4 # "сил"
readonly health_column=1   # "здр"

start_hirelings "$1" "$2"
mapfile -t descending < <(ids_descending MDstr)
mapfile -t ascending < <(ids_ascending MDstr)
[ "${#descending[@]}" -eq 51 ] || fail "records.txt holds ${#descending[@]} strengths, not 51"

expect_marker() {
    local shot=$session_dir/markers.png
    screenshot "$main_window" "$shot"
    [ "$(title_marker "$shot" "$strength_column")" = "$1" ] ||
        fail "$2: the marker on «сил» is $(title_marker "$shot" "$strength_column"), not $1"
    [ "$(title_marker "$shot" "$health_column")" = none ] || fail "$2: «здр» carries a marker"
    pass "$2: «сил» carries the $1 marker, «здр» none"
}

# First click: the strongest first. Equal strengths stand in reverse load order, so of the
# hirelings sharing the greatest strength the one loaded last comes first.
click_title "$strength_column"
expect_copied_portrait "${descending[0]}" "first click on «сил»"
expect_marker up "first click on «сил»"

# Tab takes the focus from the portrait back to the grid, Down moves to the second record.
press Tab
press Down
expect_copied_portrait "${descending[1]}" "Tab, Down after the first click"

# Second click: the weakest first.
click_title "$strength_column"
expect_copied_portrait "${ascending[0]}" "second click on «сил»"
expect_marker down "second click on «сил»"

press shift+Tab
press Down
expect_copied_portrait "${ascending[1]}" "Shift+Tab, Down after the second click"

# A click on a row makes it current; the title click showed the order from its top.
readonly clicked_row=4
click_row "$clicked_row"
expect_copied_portrait "${ascending[$clicked_row]}" "click on row $clicked_row"

press Tab
press End
expect_copied_portrait "${ascending[50]}" "End"
press Tab
press Up
press Up
expect_copied_portrait "${ascending[48]}" "Up, Up from the last record"

is_running "$program_pid" || fail "the program ended"
exit 0
