#!/bin/sh
# keyboard_keys.sh PROGRAM WAIT-FOR-WINDOW CONTROL-POINT
# Keys and clicks as the X server sends them from a keyboard and a mouse (xdotool), not
# injected into Wine: after a place is chosen from the place box's list, and right after
# Alt+X and Alt+Z, typed text reaches the page's text whole and leaves the place as it is.
# Run on a virtual screen.
top=$(cd "$(dirname "$0")/../.." && pwd)
folder=$(mktemp -d /tmp/doodle-keys.XXXXXX)
trap 'rm -rf "$folder"' EXIT
cp "$1" "$folder/doodlebinder.exe"
"$top/tools/wine-run" "$folder/doodlebinder.exe" &
program=$!
"$top/tools/wine-run" "$2" DOODLE_BINDER 60 || { echo "the diary's window did not come up"; exit 1; }
sleep 1
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
"$top/tools/wine-run" taskkill /f /im doodlebinder.exe >/dev/null 2>&1
wait $program 2>/dev/null
status=0
# expect DAY PLACE TEXT: the day's record holds the place index (octal) and the text.
expect() {
  printf "DN\\006\\000\\000\\$2%s\\000" "$3" | cmp -s - "$folder/$1.dbt" && return
  printf '%s.dbt should hold place %s and "%s", holds: %s\n' "$1" "$2" "$3" "$(od -An -c "$folder/$1.dbt" 2>/dev/null | tr -s ' \n' ' ')"
  status=1
}
expect "$(date +%Y%m%d)" 001 "first day"
expect "$(date -d tomorrow +%Y%m%d)" 000 "Rainy day at home"
[ $status = 0 ] && echo "1 passed, 0 failed" || echo "0 passed, 1 failed"
exit $status
