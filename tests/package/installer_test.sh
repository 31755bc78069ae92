#!/bin/sh
# installer_test.sh SOURCE_DIR BUILD_DIR VERSION
# The MSI as Wine's msiexec installs it, in a scratch Wine prefix of its own: an earlier
# release first, its program started as the Start menu starts it, then this one over it (one product afterwards, the user's diary and
# settings untouched), an earlier one refused over it, and the uninstall, which leaves
# the diary and the settings byte for byte.
set -e
top=$1 build=$2 version=$3
export SOURCE_DATE_EPOCH=1765206471
case $version in *.*.*) ;; *) version=$version.0 ;; esac
work=$(mktemp -d)
# The prefix's Documents and Desktop point into HOME: a scratch one keeps the test out of
# the real one, and without winemenubuilder no menu entries are written for the desktop.
export HOME="$work/home" WINEPREFIX="$work/prefix" WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
mkdir "$HOME"
cleanup() { wineserver -k 2>/dev/null; wineserver -w 2>/dev/null; rm -rf "$work"; }
trap cleanup EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

# The packages: this version twice (the same bytes each time) and an earlier release.
"$top/tools/make-msi" "$build" "$work/new.msi" "$version"
"$top/tools/make-msi" "$build" "$work/again.msi" "$version"
cmp -s "$work/new.msi" "$work/again.msi" || fail "two builds of the same tree differ"
"$top/tools/make-msi" "$build" "$work/old.msi" 2.15

DISPLAY= wineboot --init >/dev/null 2>&1 || true
wineserver -w
msiexec() { wine msiexec "$1" "Z:$(echo "$2" | tr / '\\')" /qn >/dev/null 2>&1; }

user=$(ls "$WINEPREFIX/drive_c/users" | grep -vx Public | head -n 1)
profile="$WINEPREFIX/drive_c/users/$user"
folder="$profile/AppData/Local/Programs/Doodlebinder"
menu="$profile/AppData/Roaming/Microsoft/Windows/Start Menu/Programs"

# "version|publisher" of each installed product named Doodlebinder; Wine keeps per-user
# entries under HKLM, Windows under HKCU.
entries() {
  for root in HKCU HKLM; do
    wine reg query "$root\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall" /s 2>/dev/null || true
  done | tr -d '\r' | awk -F '    ' '
    /^HKEY_/ { if (name == "Doodlebinder") print version "|" publisher; name = version = publisher = "" }
    $2 == "DisplayName" { name = $4 }
    $2 == "DisplayVersion" { version = $4 }
    $2 == "Publisher" { publisher = $4 }
    END { if (name == "Doodlebinder") print version "|" publisher }'
}

msiexec /i "$work/old.msi" || fail "msiexec /i of the 2.15 package: exit $?"
[ "$(entries)" = "2.15.0|Doodlebinder" ] || fail "after 2.15, the installed programs list: $(entries)"

# The installed program started from another folder, as the Start menu starts it: its
# diary is made in Documents, with the sample template, and a typed page is saved there
# by the change of day; the program's own folder stays as installed.
diary="$profile/Documents/Doodlebinder"
today=$(date +%Y%m%d)
(cd "$work" && wine "C:\\users\\$user\\AppData\\Local\\Programs\\Doodlebinder\\doodlebinder.exe" &)
if wine "$build/tools/wait-for-window/wait-for-window.exe" DOODLE_BINDER 60 >/dev/null 2>&1; then
  sleep 2
  xdotool type --delay 60 "installed"
  xdotool key alt+x
  sleep 2
  wine taskkill /im doodlebinder.exe >/dev/null 2>&1
  wineserver -w
  printf 'DN\006\000\000\000installed\000' | cmp -s - "$diary/$today.dbt" ||
    fail "the typed page is not in Documents\\Doodlebinder: $(ls -A "$diary" 2>/dev/null | tr '\n' ' ')"
  cmp -s "$top/art/sample/hinagata.html" "$diary/hinagata.html" || fail "the new diary has no sample template"
  [ "$(ls "$folder" | wc -l)" -eq "$(ls "$top/art/sample" | wc -l | awk '{ print $1 + 4 }')" ] ||
    fail "the program wrote into its own folder: $(ls "$folder" | tr '\n' ' ')"
else
  fail "the installed program's window did not come up"
fi

# The user's diary and settings, which no package may touch.
mkdir -p "$diary" "$profile/AppData/Roaming/Doodlebinder"
printf 'place=\203\212\203r\203\223\203O\r\nweather=2\r\nmood=5\r\n\r\n\223\372\213L' > "$diary/20261201.dbt"
printf 'diary=C:\\users\\%s\\Documents\\Doodlebinder\r\nzoom=2\r\n' "$user" \
  > "$profile/AppData/Roaming/Doodlebinder/doodlebinder.ini"
cp "$diary/20261201.dbt" "$profile/AppData/Roaming/Doodlebinder/doodlebinder.ini" "$work/"
cp "$diary/$today.dbt" "$work/typed.dbt" 2>/dev/null || true
user_files_kept() {
  cmp -s "$work/20261201.dbt" "$diary/20261201.dbt" || fail "$1: the day file changed"
  cmp -s "$work/typed.dbt" "$diary/$today.dbt" || fail "$1: the typed page changed"
  cmp -s "$work/doodlebinder.ini" "$profile/AppData/Roaming/Doodlebinder/doodlebinder.ini" ||
    fail "$1: the settings changed"
}

msiexec /i "$work/new.msi" || fail "msiexec /i of the $version package over 2.15: exit $?"
[ "$(entries)" = "$version|Doodlebinder" ] || fail "after the upgrade, the installed programs list: $(entries)"
user_files_kept "upgrade"

# The list's icon is the program's (Windows and Wine keep it with the product's record).
icon=$(wine reg query 'HKCU\Software\Microsoft\Installer\Products' /s 2>/dev/null | tr -d '\r' |
  awk -F '    ' '$2 == "ProductIcon" { print $4 }')
cmp -s "$top/art/doodlebinder.ico" "$(wine winepath -u "$icon" 2>/dev/null)" ||
  fail "the installed programs list shows no icon or another one (${icon:-none})"

# Every file the zip has but its marker, no other, and the programs stripped as there.
expected=$( (ls "$top/art/sample"; printf '%s\n' README.txt doodlebinder.exe peghelp.exe doodlebinder-export.exe) |
  LC_ALL=C sort)
[ "$(ls "$folder" 2>/dev/null | LC_ALL=C sort)" = "$expected" ] ||
  fail "the program folder holds: $(ls "$folder" 2>/dev/null | tr '\n' ' ')"
for program in app/doodlebinder.exe helpviewer/peghelp.exe cli/doodlebinder-export.exe; do
  x86_64-w64-mingw32-strip -o "$work/stripped.exe" "$build/$program"
  cmp -s "$work/stripped.exe" "$folder/${program##*/}" || fail "${program##*/} is not the build's, stripped"
done
cmp -s "$top/art/sample/hinagata.html" "$folder/hinagata.html" || fail "hinagata.html differs"
sed 's/$/\r/' "$top/docs/windows-readme.txt" | cmp -s - "$folder/README.txt" || fail "README.txt differs"

# The shortcuts: names are UTF-16 inside a .lnk, so the NULs go before looking.
lnk_text() { tr -d '\0' < "$menu/$1.lnk"; }
lnk_text Doodlebinder 2>/dev/null | grep -q 'Doodlebinder\\doodlebinder\.exe' || fail "no shortcut to the diary"
lnk_text Doodlebinder 2>/dev/null | grep -q -- '--help' && fail "the diary's shortcut passes --help"
lnk_text "Doodlebinder Help" 2>/dev/null | grep -q -- '--help' || fail "no help shortcut with --help"

# An earlier release over this one stops, and changes nothing.
msiexec /i "$work/old.msi" && fail "2.15 was installed over $version"
[ "$(entries)" = "$version|Doodlebinder" ] || fail "after 2.15 was refused: $(entries)"
[ -f "$folder/doodlebinder.exe" ] || fail "after 2.15 was refused, doodlebinder.exe is gone"

msiexec /x "$work/new.msi" || fail "msiexec /x: exit $?"
[ -z "$(entries)" ] || fail "after the uninstall, the installed programs list: $(entries)"
[ ! -e "$folder" ] || fail "after the uninstall, the program folder holds: $(ls "$folder" | tr '\n' ' ')"
[ ! -e "$menu/Doodlebinder.lnk" ] && [ ! -e "$menu/Doodlebinder Help.lnk" ] || fail "shortcuts left behind"
user_files_kept "uninstall"

[ "$failures" -eq 0 ] || { echo "$failures checks failed"; exit 1; }
echo "The installer: install, upgrade, refused downgrade and uninstall checked"
