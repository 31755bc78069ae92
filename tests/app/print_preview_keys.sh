#!/bin/sh
# print_preview_keys.sh PROGRAM WAIT-FOR-WINDOW SCREENSHOT
# The Print window with the X server's keys: typed words are saved as Ctrl+P opens it (the
# page on show goes into the book as it is), the month's first page is drawn with the
# day's drawing in it (screenshot kept as SCREENSHOT), and Escape closes it.
top=$(cd "$(dirname "$0")/../.." && pwd)
. "$top/tests/support/wine_program.sh"
program_folder print "$1" "$2"
today=$(date +%Y%m%d)
program_start 2
xdotool type --delay 60 "words for the book"
xdotool key ctrl+p
sleep 3
import -window root "$3"
xdotool key Escape
sleep 1
xdotool type --delay 60 "X"
"$top/tools/wine-run" taskkill /im doodlebinder.exe >/dev/null 2>&1
sleep 2
program_stop
grep -q "for the book" "$folder/$today.dbt" 2>/dev/null || fail "the page on show was not saved as Print opened"
# The preview's grey work space around the paper fills much of the screen (the diary's own
# window has a little of that grey).
grey=$(convert "$3" -format %c histogram:info:- | awk 'tolower($0) ~ /#808080/ { print $1 + 0 }')
[ "${grey:-0}" -gt 50000 ] || fail "no print preview on the screen (${grey:-0} grey dots)"
finish
