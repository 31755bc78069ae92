#!/bin/sh
# two_computers_program.sh PROGRAM WAIT-FOR-WINDOW CONTROL-POINT PAGE-SHOWN DAY-FILE
# Two computers, each with a Wine prefix, a screen and a computer name of its own (a UTS
# namespace), run the diary on two folders that two real Syncthing instances keep in
# step. Checked on both sides: a change arriving while the page is on show, with and
# without unsaved typing; the recovery copy of one computer never offered on the other;
# the presence file; and both drawing on one picture while apart, the conflict copy taken
# in by the running programs. Every word and every stroke ends on both sides.
top=$(cd "$(dirname "$0")/../.." && pwd)
here=$(cd "$(dirname "$0")" && pwd)
exe=$1 waiter=$2 point=$3 shown=$4 dayfile=$5
work=$(mktemp -d /tmp/doodle-two.XXXXXX)
. "$here/syncthing_pair.sh"
screens=
cleanup() {
    for side in home office; do
        WINEPREFIX=$top/build/wineprefix-$side wineserver -k 2>/dev/null
        WINEPREFIX=$top/build/wineprefix-$side wineserver -w 2>/dev/null
    done
    for pid in $screens; do kill "$pid" 2>/dev/null; done
    pair_stop
    rm -rf "$work"
}
trap cleanup EXIT
status=0
fail() { echo "$*"; status=1; }
check() { [ "$2" = "$3" ] || fail "$1: expected [$2], found [$3]"; }

# One computer's surroundings: its prefix, screen and name.
home_name=HOMEPC office_name=OFFICEPC
for side in home office; do
    WINEPREFIX=$top/build/wineprefix-$side "$top/tools/make-wineprefix" || exit 1
    WINEPREFIX=$top/build/wineprefix-$side wineserver -k 2>/dev/null
    Xvfb -displayfd 3 -screen 0 800x600x24 -nolisten tcp 3>"$work/display-$side" 2>/dev/null &
    screens="$screens $!"
    for try in $(seq 1 50); do [ -s "$work/display-$side" ] && break; sleep 0.1; done
    eval "${side}_display=:$(cat "$work/display-$side")"
done
# on SIDE COMMAND...: a command on that computer.
on() {
    side=$1; shift
    eval "screen=\$${side}_display"
    DISPLAY=$screen WINEPREFIX=$top/build/wineprefix-$side "$@"
}
wine_on() { side=$1; shift; on "$side" "$top/tools/wine-run" "$@" | tr -d '\r'; }
# start_program SIDE FOLDER: the program, the first of its prefix's Wine processes, so
# that the Wine server it starts has the computer's name; its presence file says it runs.
start_program() {
    eval "name=\$${1}_name"
    on "$1" unshare --uts sh -c 'hostname "$0"; exec "$1" "$2"' "$name" "$top/tools/wine-run" "$2/doodlebinder.exe" \
        >/dev/null 2>&1 &
    for try in $(seq 1 180); do [ -f "$2/.doodlebinder/$name.open" ] && break; sleep 0.5; done
    [ -f "$2/.doodlebinder/$name.open" ] || { echo "no presence file for $name: $(ls "$2/.doodlebinder")"; exit 1; }
    wine_on "$1" "$waiter" DOODLE_BINDER 90 || { echo "the diary's window did not come up on $1"; exit 1; }
    sleep 1
}
text_on() { wine_on "$1" "$shown"; }
# wait_for_text SIDE TEXT: what the page shows, once it shows TEXT or after 15 seconds.
wait_for_text() {
    for try in $(seq 1 30); do
        found=$(text_on "$1")
        [ "$found" = "$2" ] && break
        sleep 0.5
    done
    echo "$found"
}
record() { printf 'DN\006\000\000\000%b\000' "$2" > "$1"; }
file_text() { "$top/tools/wine-run" "$dayfile" text "$1" | tr -d '\r'; }

pair_start "$work" || exit 1
a=$work/a b=$work/b
today=$(date +%Y%m%d)
for folder in "$a" "$b"; do
  printf 'doodlebinder.exe\ndoodlebinder-portable.ini\n' > "$folder/.stignore"
  cp "$exe" "$folder/doodlebinder.exe"
  cp "$top/docs/doodlebinder-portable.ini" "$folder/"
done
record "$a/$today.dbt" 'shared start'
pair_sync || exit 1

# The page on show follows a change from the other computer, and writes nothing.
start_program home "$a"
record "$b/$today.dbt" 'shared start\r\nfrom office'
pair_sync || exit 1
check "followed on home" "$(printf 'shared start\nfrom office')" "$(wait_for_text home "$(printf 'shared start\nfrom office')")"
cmp -s "$a/$today.dbt" "$b/$today.dbt" || fail "following wrote the day"

# Unsaved typing at home, a new first line from the office: merged on the page at once.
set -- $(wine_on home "$point" DOODLE_BINDER 101)
on home xdotool mousemove "$1" "$2" click 1 key ctrl+End type --delay 50 " at home"
sleep 3
[ -f "$a/.doodlebinder/$home_name/$today.dbt~" ] || fail "no recovery copy of the unsaved typing"
record "$b/$today.dbt" 'morning\r\nshared start\r\nfrom office'
pair_sync || exit 1
merged=$(printf 'morning\nshared start\nfrom office at home')
check "merged on home" "$merged" "$(wait_for_text home "$merged")"

# The office starts while home's recovery copy is in its folder: not offered there.
pair_sync || exit 1
[ -f "$b/.doodlebinder/$home_name/$today.dbt~" ] || fail "the recovery copy did not travel (the test needs it there)"
start_program office "$b"
check "dialogs on office" "" "$(wine_on office "$shown" --dialogs)"
check "office shows its day" "$(printf 'morning\nshared start\nfrom office')" "$(text_on office)"

# Home changes day, which saves the merge; the office follows it.
on home xdotool key alt+x
sleep 2
check "saved at home" "$merged" "$(file_text "$a/$today.dbt")"
pair_sync || exit 1
check "followed on office" "$merged" "$(wait_for_text office "$merged")"
check "saved at the office" "$merged" "$(file_text "$b/$today.dbt")"

# Apart, both draw on the day's picture, each in a corner of its own; together again,
# Syncthing's conflict copy is taken in by the running programs.
pair_pause
sleep 1
on home "$top/tools/wine-run" "$dayfile" paint "$a/$today.bmp" 200 100 220 120 4
on office "$top/tools/wine-run" "$dayfile" paint "$b/$today.bmp" 20 100 40 120 9
pair_rest a POST "/rest/db/scan?folder=diary" >/dev/null
pair_rest b POST "/rest/db/scan?folder=diary" >/dev/null
sleep 1
pair_resume || exit 1
# Both programs take the copy in, and write the same merge: Syncthing may make another
# copy of that, which they take in again; until none is left (a minute at most).
for round in $(seq 1 20); do
    pair_sync || exit 1
    sleep 3
    [ "$(ls "$a" "$b" | grep -c sync-conflict)" = 0 ] && pair_sync && break
done
for folder in "$a" "$b"; do
    check "home's stroke in $folder" 400 "$("$top/tools/wine-run" "$dayfile" count "$folder/$today.bmp" 200 100 220 120 4 | tr -d '\r')"
    check "office's stroke in $folder" 400 "$("$top/tools/wine-run" "$dayfile" count "$folder/$today.bmp" 20 100 40 120 9 | tr -d '\r')"
    check "conflict copies left in $folder" "" "$(ls "$folder" | grep sync-conflict)"
done

[ $status = 0 ] && echo "1 passed, 0 failed" || echo "0 passed, 1 failed"
exit $status
