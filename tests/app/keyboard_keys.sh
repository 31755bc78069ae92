#!/bin/sh
# keyboard_keys.sh PROGRAM WAIT-FOR-WINDOW CONTROL-POINT
# Keys and clicks as the X server sends them from a keyboard and a mouse (xdotool), not
# injected into Wine: after a place is chosen from the place box's list, and right after
# Alt+X and Alt+Z, typed text reaches the page's text whole and leaves the place as it is.
# Run on a virtual screen.
top=$(cd "$(dirname "$0")/../.." && pwd)
. "$top/tests/support/wine_program.sh"
program_folder keys "$1" "$2"
program_start
# The place box (id 102) opened with the mouse; its second place chosen with the keys.
place=$("$top/tools/wine-run" "$3" DOODLE_BINDER 102 | tr -d '\r')
xdotool mousemove $place click 1
sleep 1
xdotool key Down Return
sleep 1
xdotool type --delay 60 "first day"
xdotool key alt+x
sleep 1
xdotool type --delay 60 "Rainy day at home"
xdotool key alt+z
sleep 1
program_stop
# expect DAY PLACE TEXT: the day's record holds the place index (octal) and the text.
expect() {
  printf "DN\\006\\000\\000\\$2%s\\000" "$3" | cmp -s - "$folder/$1.dbt" && return
  fail "$(printf '%s.dbt should hold place %s and "%s", holds: %s' "$1" "$2" "$3" "$(od -An -c "$folder/$1.dbt" 2>/dev/null | tr -s ' \n' ' ')")"
}
expect "$(date +%Y%m%d)" 001 "first day"
expect "$(date -d tomorrow +%Y%m%d)" 000 "Rainy day at home"
finish
