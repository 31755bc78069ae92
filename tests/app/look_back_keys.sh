#!/bin/sh
# look_back_keys.sh PROGRAM WAIT-FOR-WINDOW SCREENSHOT
# The Month window with the X server's keys: typed words not yet saved, Ctrl+M shows the
# month (screenshot kept as SCREENSHOT, with today's mark on it), Left and Enter open
# yesterday, and the page on show was saved on the way; Escape closes it with nothing
# changed. Run on a virtual screen.
top=$(cd "$(dirname "$0")/../.." && pwd)
. "$top/tests/support/wine_program.sh"
program_folder look "$1" "$2"
today=$(date +%Y%m%d)
yesterday=$(date -d yesterday +%Y%m%d)
# A record as the diary writes it: fine weather, no mood, no place.
printf 'DN\006\000\000\000%s\000' "a walk in the park" >"$folder/$yesterday.dbt"
program_start 2
xdotool type --delay 60 "unsaved words"
xdotool key ctrl+m
sleep 2
import -window root "$3"
xdotool key Escape
sleep 1
xdotool key ctrl+m
sleep 2
xdotool key Left Return
sleep 1
xdotool type --delay 60 "X"
xdotool key alt+x
sleep 1
program_stop
# Today's mark, white on red, is drawn in the month.
convert "$3" -format %c histogram:info:- | grep -qi '#C02020' || fail "the month window showed no mark of today"
grep -q "saved words" "$folder/$today.dbt" 2>/dev/null || fail "the page on show was not saved before yesterday was opened"
grep -q "a walk in the park" "$folder/$yesterday.dbt" && grep -q "X" "$folder/$yesterday.dbt" ||
  fail "yesterday was not the page on show after Enter: $(od -An -c "$folder/$yesterday.dbt" | tr -s ' \n' ' ')"
finish
