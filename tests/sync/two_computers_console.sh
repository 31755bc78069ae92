#!/bin/sh
# two_computers_console.sh EXPORT DAY-FILE
# Two diary folders kept in step by two real Syncthing instances. While they are apart,
# both computers change the same day, text and drawing; Syncthing keeps one version and
# puts the other beside it as a conflict copy, on both sides. `conflicts` names it, `merge`
# takes it in, and once the folders are in step again both hold every line and every
# stroke, with no conflict copy left in either diary. The first time a backup snapshot
# taken before they parted is the version both started from; the second time there is
# none, and both versions of a line both changed are kept.
here=$(cd "$(dirname "$0")" && pwd)
export=$1 dayfile=$2
work=$(mktemp -d /tmp/doodle-sync.XXXXXX)
. "$here/syncthing_pair.sh"
cleanup() { pair_stop; rm -rf "$work"; }
trap cleanup EXIT
pair_start "$work" || exit 1
a=$work/a b=$work/b
failed=0
check() {  # check WHAT EXPECTED ACTUAL
    [ "$2" = "$3" ] && return
    printf '%s: expected [%s], found [%s]\n' "$1" "$2" "$3"
    failed=1
}

"$dayfile" record "$a/20261207.dbt" 'breakfast\nlunch\ndinner' 1
"$dayfile" paint "$a/20261207.bmp" 0 0 10 10 0
"$export" backup --data "$a" --to "$work/backups" >/dev/null || { echo "no snapshot"; exit 1; }
pair_sync || exit 1
check "the day reached the other side" "$(printf 'breakfast\nlunch\ndinner')" "$("$dayfile" text "$b/20261207.dbt")"

# Apart: each side types a line and draws in a corner of its own.
pair_pause
sleep 1
"$dayfile" record "$a/20261207.dbt" 'breakfast at home\nlunch\ndinner' 1
"$dayfile" paint "$a/20261207.bmp" 200 100 220 120 4
"$dayfile" record "$b/20261207.dbt" 'breakfast\nlunch\ndinner\na walk by the river' 3
"$dayfile" paint "$b/20261207.bmp" 20 100 40 120 9
pair_rest a POST "/rest/db/scan?folder=diary" >/dev/null
pair_rest b POST "/rest/db/scan?folder=diary" >/dev/null
sleep 1
pair_resume || exit 1
pair_sync || exit 1

copies_a=$(ls "$a" | grep -c sync-conflict)
copies_b=$(ls "$b" | grep -c sync-conflict)
check "conflict copies Syncthing made on each side" "2 2" "$copies_a $copies_b"
check "conflicts lists the day" 2 "$("$export" conflicts --data "$b" | grep -c '^2026-12-07')"
"$export" merge --data "$b" --backups "$work/backups" --yes >"$work/merge.out" 2>&1
check "merge takes the copies in" 0 $?
pair_sync || exit 1

for side in a b; do
    folder=$work/$side
    check "text on $side" "$(printf 'breakfast at home\nlunch\ndinner\na walk by the river')" \
        "$("$dayfile" text "$folder/20261207.dbt")"
    check "this side's stroke on $side" 400 "$("$dayfile" count "$folder/20261207.bmp" 200 100 220 120 4)"
    check "the other side's stroke on $side" 400 "$("$dayfile" count "$folder/20261207.bmp" 20 100 40 120 9)"
    check "the stroke both had on $side" 100 "$("$dayfile" count "$folder/20261207.bmp" 0 0 10 10 0)"
    check "conflict copies left in $side" 0 "$(ls "$folder" | grep -c sync-conflict)"
    check "copies set aside in $side" 2 "$(ls "$folder/.doodlebinder/merged" 2>/dev/null | grep -c sync-conflict)"
done
"$export" conflicts --data "$a" >/dev/null
check "conflicts finds none" 1 $?

# Apart again, both change the line both had: without a common version both are kept.
pair_pause
sleep 1
"$dayfile" record "$a/20261208.dbt" 'sunny morning'
"$dayfile" record "$b/20261208.dbt" 'rainy morning\nthen sun'
pair_rest a POST "/rest/db/scan?folder=diary" >/dev/null
pair_rest b POST "/rest/db/scan?folder=diary" >/dev/null
sleep 1
pair_resume || exit 1
pair_sync || exit 1
"$export" merge --data "$a" --yes >>"$work/merge.out" 2>&1
check "merge without a base" 0 $?
pair_sync || exit 1
for side in a b; do
    words=$("$dayfile" text "$work/$side/20261208.dbt" | tr '\n' ' ')
    for word in sunny rainy then; do
        case "$words" in *"$word"*) ;; *) check "\"$word\" on $side" "$word" "$words" ;; esac
    done
done

[ $failed = 0 ] && echo "1 passed, 0 failed" || { cat "$work/merge.out"; echo "0 passed, 1 failed"; }
exit $failed
