#!/usr/bin/env bash
# The main window as the X server sees it: title, fixed 612 × 420 client area under the menu bar,
# centred, the grid and the first hireling's portrait where they belong; "Выход" ends the
# program with exit code 0.
# Usage: main_window.sh PROGRAM ASSETS
source "$(dirname "$0")/hirelings_session.sh"

start_hirelings "$1" "$2"

name=$(xdotool getwindowname "$main_window")
[ "$name" = "$main_title" ] || fail "the window is titled «$name»"
pass "the window is titled «$main_title»"

eval "$(xdotool getwindowgeometry --shell "$main_window")"
[ "$WIDTH" -eq "$client_width" ] || fail "the window is $WIDTH pixels wide, not $client_width"
[ "$client_top" -gt 0 ] || fail "no menu bar above the client area"
[ $((HEIGHT - client_top)) -eq "$client_height" ] ||
    fail "the client area is $((HEIGHT - client_top)) pixels high (window $HEIGHT, menu bar $client_top), not $client_height"
pass "the client area is ${client_width} × ${client_height} below a menu bar of $client_top pixels"

# The user cannot resize it: the size hints fix both the least and the greatest size.
hints=$(xprop -id "$main_window" WM_NORMAL_HINTS)
grep -q "minimum size: $WIDTH by $HEIGHT" <<<"$hints" || fail "no fixed minimum size: $hints"
grep -q "maximum size: $WIDTH by $HEIGHT" <<<"$hints" || fail "no fixed maximum size: $hints"
pass "the window's size is fixed"

# Without a window manager there is no frame, so the window itself is centred.
read -r screen_width screen_height < <(xdotool getdisplaygeometry)
for axis in "$X $(((screen_width - WIDTH) / 2))" "$Y $(((screen_height - HEIGHT) / 2))"; do
    read -r at expected <<<"$axis"
    [ $((at - expected)) -ge -1 ] && [ $((at - expected)) -le 1 ] ||
        fail "the window stands at $X,$Y on a ${screen_width}x${screen_height} screen, not centred"
done
pass "the window is centred on the screen"

shot=$session_dir/start.png
screenshot "$main_window" "$shot"

# The grid's edges, against the background around it.
middle=$((client_top + grid_height / 2))
background=$(pixel "$shot" $((grid_left / 2)) "$middle")
[ "$(pixel "$shot" $((grid_left - 1)) "$middle")" = "$background" ] &&
    [ "$(pixel "$shot" "$grid_left" "$middle")" != "$background" ] ||
    fail "the grid's left edge is not at x = $grid_left"
[ "$(pixel "$shot" $((grid_left + grid_width - 1)) "$middle")" != "$background" ] &&
    [ "$(pixel "$shot" $((grid_left + grid_width)) "$middle")" = "$background" ] ||
    fail "the grid's right edge is not at x = $((grid_left + grid_width - 1))"
[ "$(pixel "$shot" 300 $((client_top + grid_height - 1)))" != "$background" ] &&
    [ "$(pixel "$shot" 300 $((client_top + grid_height)))" = "$background" ] ||
    fail "the grid's foot is not at y = $((grid_height - 1))"
pass "the grid covers x $grid_left…$((grid_left + grid_width - 1)), y 0…$((grid_height - 1))"

# Right after start the first record is current and its portrait stands, unframed (the grid has
# the focus), at its place.
first_id=$(records MDName | awk 'NR == 1 { print $2 }')
portrait=$session_dir/portrait-on-screen.png
convert "$shot" -alpha off -crop \
    "${portrait_width}x${portrait_height}+${portrait_left}+$((client_top + portrait_top))" \
    +repage "png:$portrait"
same_pixels "$portrait" "$assets/portraits/$first_id.bmp" ||
    fail "the screen does not show $first_id's portrait at $portrait_left,$portrait_top"
pass "the screen shows the first hireling's portrait ($first_id) at $portrait_left,$portrait_top"

for marker_column in 0 4 12; do
    [ "$(title_marker "$shot" "$marker_column")" = none ] ||
        fail "title $marker_column carries a sort marker at start"
done
pass "no title carries a sort marker at start"

expect_exit_by_menu
window_exists "$main_title" && fail "the main window is still shown"
exit 0
