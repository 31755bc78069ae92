#!/bin/sh
# zoomed_strokes.sh PROGRAM WAIT-FOR-WINDOW CONTROL-POINT
# A stroke drawn with the X server's mouse (xdotool) on the page at 1x, and the same
# gesture at 2x, twice as far from the page's corner, write the same picture file.
# Ctrl+plus, pressed on the keyboard in between, is the user's choice of 2x, and the next
# start of the program shows the page at 2x. Run on a virtual screen with room for 2x at
# 96 dots per inch.
top=$(cd "$(dirname "$0")/../.." && pwd)
. "$top/tests/support/wine_program.sh"
point=$3
program_folder zoom "$1" "$2"
# The page's width on the screen.
width() { "$top/tools/wine-run" "$point" DOODLE_BINDER 0 | tr -d '\r' | cut -d' ' -f3; }
# stroke ZOOM: the gesture through page points (x, y below the command bar) at the zoom;
# the screen pixel at the far side of each point's square lands on it too.
stroke() {
  set -- $("$top/tools/wine-run" "$point" DOODLE_BINDER 0 | tr -d '\r') "$1"
  left=$(($1 + $5 - 1)) upper=$(($2 + $4 - 214 * $5 + $5 - 1)) zoom=$5
  xdotool mousemove $((left + 360 * zoom)) $((upper + 30 * zoom)) mousedown 1
  for at in 400,150 470,60 520,140 590,30; do
    sleep 0.2
    xdotool mousemove $((left + ${at%,*} * zoom)) $((upper + ${at#*,} * zoom))
  done
  sleep 0.2
  xdotool mouseup 1
  sleep 0.5
}
program_start
[ "$(width)" = 640 ] || fail "the page should start at 1x at 96 dots per inch, is $(width) wide"
stroke 1
xdotool key alt+x
sleep 1
xdotool key ctrl+plus
sleep 1
[ "$(width)" = 1280 ] || fail "Ctrl+plus should show the page at 2x, is $(width) wide"
stroke 2
xdotool key alt+z
sleep 1
program_stop
today=$folder/$(date +%Y%m%d).bmp
tomorrow=$folder/$(date -d tomorrow +%Y%m%d).bmp
[ -s "$today" ] || fail "the stroke at 1x was not saved"
cmp -s "$today" "$tomorrow" || fail "the stroke at 2x wrote another picture than at 1x"
program_start
[ "$(width)" = 1280 ] || fail "the next start should keep 2x, shows the page $(width) wide"
program_stop
finish
