#!/bin/sh
# A nightly backup killed while it writes leaves the writer's temporary zip in the backup
# folder; the next backup sweeps it away and writes a whole snapshot.
# Usage: interrupted_backup.sh PROGRAM WORK-FOLDER
set -u
program=$1
work=$2
rm -rf "$work"
mkdir -p "$work/diary" "$work/backups"
printf 'DN a day' >"$work/diary/20261206.dbt"
# Noise does not deflate quickly: the snapshot takes a while, long enough to be killed.
head -c 60000000 /dev/urandom >"$work/diary/photo.png"

fail() { echo "$1"; ls -la "$work/backups"; exit 1; }
"$program" backup --data "$work/diary" --to "$work/backups" >/dev/null 2>&1 &
writer=$!
tries=0
while [ -z "$(ls "$work/backups" | grep '\.tmp-')" ]; do
  tries=$((tries + 1))
  [ "$tries" -lt 2000 ] || fail "no temporary zip appeared"
  sleep 0.005
done
kill -9 "$writer"
wait "$writer" 2>/dev/null
[ -n "$(ls "$work/backups" | grep '\.tmp-')" ] || fail "the kill left nothing to sweep"

"$program" backup --data "$work/diary" --to "$work/backups" >"$work/out" 2>"$work/err" || fail "exit $?: $(cat "$work/err")"
[ -z "$(ls "$work/backups" | grep '\.tmp-')" ] || fail "the temporary zip was left"
[ "$(ls "$work/backups")" = "$(cat "$work/out")" ] || fail "not one whole snapshot: $(cat "$work/out")"
unzip -tq "$work/backups/$(cat "$work/out")" >/dev/null || fail "the snapshot does not test whole"
rm -rf "$work"
