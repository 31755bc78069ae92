#!/bin/sh
# Out of memory is a document that could not be written: exit code 3, the message, the
# old document whole and nothing left beside it. The limit is a ulimit on the address
# space, which only a program built without the address sanitizer can run under.
# Usage: out_of_memory.sh PROGRAM WORK-FOLDER
set -u
program=$1
work=$2
rm -rf "$work"
mkdir -p "$work/diary" "$work/site"

# A 40 MB template: read and decoded, it needs three times that.
{ head -c 40000000 /dev/zero | tr '\0' 'x'; printf '<!for><!year><!next>'; } >"$work/big.html"
printf 'the document of last night' >"$work/site/index.html"

(ulimit -v 100000 && exec "$program" html --data "$work/diary" --template "$work/big.html" \
  --out "$work/site/index.html" --yes) 2>"$work/err"
code=$?

fail() { echo "$1"; cat "$work/err"; exit 1; }
[ "$code" -eq 3 ] || fail "exit code $code, not 3"
grep -q 'index.html: cannot write the document' "$work/err" || fail "no message naming the document"
[ "$(cat "$work/site/index.html")" = 'the document of last night' ] || fail "the old document changed"
[ "$(ls "$work/site")" = 'index.html' ] || fail "left behind: $(ls "$work/site")"
rm -rf "$work"
