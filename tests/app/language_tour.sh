#!/bin/sh
# language_tour.sh PROGRAM WAIT-FOR-WINDOW SHOTS-FOLDER
# Every window the keys open, in Japanese and in English as the settings file chooses:
# each comes up in front of the diary with a caption of its language, and its screenshot
# is kept in SHOTS-FOLDER (tour-LANGUAGE-WINDOW.png) to be looked at. Run on a virtual screen.
top=$(cd "$(dirname "$0")/../.." && pwd)
. "$top/tests/support/wine_program.sh"
program_folder tour "$1" "$2"
mkdir -p "$3"
yesterday=$(date -d yesterday +%Y%m%d)
printf 'DN\006\000\000\000%s\000' "a walk in the park" >"$folder/$yesterday.dbt"
for language in ja en; do
  printf 'language=%s\r\n' "$language" >"$folder/doodlebinder.ini"
  program_start 2
  main=$(xdotool getactivewindow getwindowname)
  import -window root "$3/tour-$language-page.png"
  for window in find:ctrl+f month:ctrl+m same-day:ctrl+t year:ctrl+shift+y print:ctrl+p day:ctrl+l html:ctrl+h; do
    name=${window%%:*}
    xdotool key "${window#*:}"
    sleep 2
    caption=$(xdotool getactivewindow getwindowname)
    import -window root "$3/tour-$language-$name.png"
    [ -n "$caption" ] && [ "$caption" != "$main" ] || fail "$language: $name did not come up in front"
    echo "$caption" >>"$folder/captions-$language.txt"
    xdotool key Escape
    sleep 1
  done
  program_stop
done
# The same windows, each captioned in its language.
[ "$(wc -l <"$folder/captions-ja.txt")" -eq 7 ] || fail "not every window came up in Japanese"
same=$(paste -d'|' "$folder/captions-ja.txt" "$folder/captions-en.txt" | awk -F'|' '$1 == $2' | grep -v '^$')
[ -z "$same" ] || fail "captions that did not change with the language: $same"
finish
