#!/bin/sh
# package_test.sh SOURCE_DIR BUILD_DIR VERSION PACKAGE_TESTS_EXE
# Packs the build as `make dist` does, checks the zip's contents and that its programs
# are stripped, unzips it into an empty folder and runs the programs there.
set -e
top=$1 build=$2 version=$3 tests=$4
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
zip="$work/doodlebinder-$version-win64.zip"
"$top/tools/make-dist" "$build" "$zip"

expected="README.txt
anger.gif
bad.gif
blue.gif
cloud.gif
doodlebinder-export.exe
doodlebinder-portable.ini
doodlebinder.exe
fine.gif
hinagata.html
light.gif
max.gif
peghelp.exe
rain.gif
shame.gif
snow.gif
soso.gif
unknow.gif
weather.gif"
listed=$(unzip -Z1 "$zip" | LC_ALL=C sort)
if [ "$listed" != "$expected" ]; then
  echo "The zip holds:"; echo "$listed"; echo "and should hold:"; echo "$expected"
  exit 1
fi

mkdir "$work/diary"
unzip -q "$zip" -d "$work/diary"
for program in doodlebinder.exe peghelp.exe doodlebinder-export.exe; do
  if x86_64-w64-mingw32-objdump -h "$work/diary/$program" | grep -q '\.debug'; then
    echo "$program still carries debug information"; exit 1
  fi
done
cmp "$top/art/sample/hinagata.html" "$work/diary/hinagata.html"
# The readme and the marker open in Notepad: every line ends in CR LF.
for text in README.txt doodlebinder-portable.ini; do
  [ "$(grep -c "$(printf '\r')\$" "$work/diary/$text")" -eq "$(wc -l < "$work/diary/$text")" ] ||
    { echo "$text has lines without CR LF"; exit 1; }
done

DOODLE_PACKAGE_FOLDER="$work/diary" "$top/tools/wine-run" "$tests"
