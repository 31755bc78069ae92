#!/bin/sh
# deb_test.sh SOURCE_DIR BUILD_DIR VERSION
# Packs the build's console program as `make dist` does and checks the package: what it
# holds, that the program runs from a root it is unpacked into, that the manual page
# renders cleanly and covers every command and option the program lists (so does the
# bash completion), that lintian finds no error, and that packing again gives the same
# bytes.
set -e
top=$1 build=$2 version=$3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "$*"; exit 1; }
deb="$work/doodlebinder-export_${version}_$(dpkg --print-architecture).deb"
# A sanitizer build's program is tens of megabytes, which xz at its usual level takes half
# a minute to pack; the test's packages are thrown away.
DPKG_DEB_COMPRESSOR_LEVEL=1
export DPKG_DEB_COMPRESSOR_LEVEL
"$top/tools/make-deb" "$build" "$deb"

expected="./usr/bin/doodlebinder-export
./usr/share/bash-completion/completions/doodlebinder-export
./usr/share/doc/doodlebinder-export/changelog.gz
./usr/share/doc/doodlebinder-export/copyright
./usr/share/man/man1/doodlebinder-export.1.gz"
listed=$(dpkg-deb -c "$deb" | awk '$1 !~ /^d/ { print $6 }' | LC_ALL=C sort)
[ "$listed" = "$expected" ] || fail "The package holds:
$listed
and should hold:
$expected"
[ "$(dpkg-deb -f "$deb" Version)" = "$version" ] || fail "package version $(dpkg-deb -f "$deb" Version)"
dpkg-deb -f "$deb" Depends | grep -Eq '(^|, )libc6 ' || fail "no libc6 among: $(dpkg-deb -f "$deb" Depends)"

dpkg-deb -x "$deb" "$work/root"
program=$work/root/usr/bin/doodlebinder-export
page=$work/root/usr/share/man/man1/doodlebinder-export.1.gz
completion=$work/root/usr/share/bash-completion/completions/doodlebinder-export
readelf -S "$program" | grep -q '\.symtab' && fail "the program is not stripped"
[ "$("$program" --version)" = "doodlebinder-export $version" ] || fail "--version: $("$program" --version)"

warnings=$(man --warnings -l "$page" 2>&1 >/dev/null)
[ -z "$warnings" ] || fail "man: $warnings"
lexgrog "$page" >/dev/null || fail "lexgrog finds no NAME section"
# The commands as --help lists them; each has a subsection of the page naming each of its
# options, and a branch of the completion.
commands=$("$program" --help | sed -n '/^Subcommands:/,/^$/s/^  \([a-z][a-z-]*\) .*/\1/p')
[ "$(echo $commands | wc -w)" -ge 10 ] || fail "--help lists only: $commands"
source=$(zcat "$page" | sed 's/\\-/-/g')
for command in $commands; do
  section=$(printf '%s\n' "$source" | sed -n "/^\.SS $command\$/,/^\.S[HS] /p")
  [ -n "$section" ] || fail "the manual page has no subsection for $command"
  for option in $("$program" "$command" --help | grep -o -- '--[a-z][a-z-]*' | grep -v -x -- --help | sort -u); do
    printf '%s\n' "$section" | grep -q -- "$option" || fail "the manual page's $command says nothing of $option"
    grep -q "^    $command) .*$option" "$completion" || fail "the completion of $command lacks $option"
  done
done

# lintian fails on errors only; its warnings are shown.
lintian --no-tag-display-limit "$deb" > "$work/lintian.txt" 2>&1 || { cat "$work/lintian.txt"; exit 1; }
grep '^W:' "$work/lintian.txt" || true

"$top/tools/make-deb" "$build" "$work/again.deb"
cmp "$deb" "$work/again.deb" || fail "two packings of one build differ"
