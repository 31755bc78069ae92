#!/bin/sh
# print_preview_keys.sh PROGRAM WAIT-FOR-WINDOW SCREENSHOT
# The Print window with the X server's keys: typed words are saved as Ctrl+P opens it (the
# page on show goes into the book as it is), the month's first page is drawn with the
# day's drawing in it (screenshot kept as SCREENSHOT), and Escape closes it.
top=$(cd "$(dirname "$0")/../.." && pwd)
folder=$(mktemp -d /tmp/doodle-print.XXXXXX)
trap 'rm -rf "$folder"' EXIT
cp "$1" "$folder/doodlebinder.exe"
today=$(date +%Y%m%d)
"$top/tools/wine-run" "$folder/doodlebinder.exe" &
program=$!
"$top/tools/wine-run" "$2" DOODLE_BINDER 60 || { echo "the diary's window did not come up"; exit 1; }
sleep 2
xdotool type --delay 60 "words for the book"
xdotool key ctrl+p
sleep 3
import -window root "$3"
xdotool key Escape
sleep 1
xdotool type --delay 60 "X"
"$top/tools/wine-run" taskkill /im doodlebinder.exe >/dev/null 2>&1
sleep 2
"$top/tools/wine-run" taskkill /f /im doodlebinder.exe >/dev/null 2>&1
wait $program 2>/dev/null
status=0
fail() { echo "$1"; status=1; }
grep -q "for the book" "$folder/$today.dbt" 2>/dev/null || fail "the page on show was not saved as Print opened"
# The preview's grey work space around the paper fills much of the screen (the diary's own
# window has a little of that grey).
grey=$(convert "$3" -format %c histogram:info:- | awk 'tolower($0) ~ /#808080/ { print $1 + 0 }')
[ "${grey:-0}" -gt 50000 ] || fail "no print preview on the screen (${grey:-0} grey dots)"
[ $status = 0 ] && echo "1 passed, 0 failed" || echo "0 passed, 1 failed"
exit $status
