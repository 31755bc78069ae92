#!/bin/sh
# Four snapshots whose day picture is 256 MiB of zeros, a few hundred kilobytes deflated:
# listing the day's versions holds one snapshot's day at a time and never inflates such an
# entry whole, so it runs in far less memory than one of them. The limit is a ulimit on
# the address space, which only a program built without the address sanitizer can run under.
# Usage: versions_memory.sh PROGRAM WORK-FOLDER
set -u
program=$1
work=$2
rm -rf "$work"
mkdir -p "$work/diary" "$work/backups"
fail() { echo "$1"; cat "$work/err" 2>/dev/null; exit 1; }
printf 'DN the next day' >"$work/diary/20000302.dbt"
for n in 1 2 3 4; do
  truncate -s 0 "$work/diary/20000301.bmp"
  truncate -s $((256 * 1024 * 1024 + n)) "$work/diary/20000301.bmp"
  "$program" backup --data "$work/diary" --to "$work/backups" >/dev/null 2>"$work/err" || fail "backup $n: exit $?"
done

for day in 2000-03-01 2000-03-02; do
  (ulimit -v 200000 && exec "$program" versions "$day" --data "$work/diary" --to "$work/backups") \
    >"$work/out" 2>"$work/err"
  code=$?
  [ "$code" -eq 0 ] || fail "$day: exit code $code, not 0"
  [ "$(wc -l <"$work/out")" -eq 4 ] || fail "$day: not four versions: $(cat "$work/out")"
done
rm -rf "$work"
