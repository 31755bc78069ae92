#!/bin/sh
# keyboard_keys.sh PROGRAM WAIT-FOR-WINDOW
# Keys as the X server sends them from a keyboard (xdotool), not injected into Wine:
# text typed right after Alt+X and Alt+Z reaches the page whole. Run on a virtual screen.
top=$(cd "$(dirname "$0")/../.." && pwd)
folder=$(mktemp -d /tmp/doodle-keys.XXXXXX)
trap 'rm -rf "$folder"' EXIT
cp "$1" "$folder/doodlebinder.exe"
"$top/tools/wine-run" "$folder/doodlebinder.exe" &
program=$!
"$top/tools/wine-run" "$2" DOODLE_BINDER 60 || { echo "the diary's window did not come up"; exit 1; }
sleep 1
xdotool type --delay 60 "first day"
xdotool key alt+x
sleep 1
xdotool type --delay 60 "second day"
xdotool key alt+z
sleep 1
"$top/tools/wine-run" taskkill /f /im doodlebinder.exe >/dev/null 2>&1
wait $program 2>/dev/null
status=0
expect() {
  printf "DN\\006\\000\\000\\000%s\\000" "$2" | cmp -s - "$folder/$1.dbt" && return
  echo "$1.dbt should hold \"$2\", holds: $(tail -c +7 "$folder/$1.dbt" 2>/dev/null | tr -d '\0')"
  status=1
}
expect "$(date +%Y%m%d)" "first day"
expect "$(date -d tomorrow +%Y%m%d)" "second day"
[ $status = 0 ] && echo "1 passed, 0 failed" || echo "0 passed, 1 failed"
exit $status
