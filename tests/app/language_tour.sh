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
# The names of the windows on the screen, one a line (the virtual screen has no window
# manager to ask for the active one).
shown() { for id in $(xdotool search --onlyvisible --name '.'); do xdotool getwindowname "$id"; done | sort; }
for language in ja en; do
  printf 'language=%s\r\n' "$language" >"$folder/doodlebinder.ini"
  program_start 2
  shown >"$folder/before"
  import -window root "$3/tour-$language-page.png"
  for window in find:ctrl+f month:ctrl+m same-day:ctrl+t year:ctrl+shift+y print:ctrl+p day:ctrl+l html:ctrl+h; do
    name=${window%%:*}
    xdotool key "${window#*:}"
    sleep 2
    caption=$(shown | comm -13 "$folder/before" - | head -1)
    import -window root "$3/tour-$language-$name.png"
    [ -n "$caption" ] || fail "$language: $name did not come up"
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
