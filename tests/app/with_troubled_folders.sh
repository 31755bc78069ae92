#!/bin/sh
# with_troubled_folders.sh COMMAND...
# Runs the command with two folders that refuse writes the way real ones do, named in
# its environment: DOODLE_FULL_FOLDER on a 64 KiB file system that the test fills, and
# DOODLE_READONLY_FOLDER, a read-only mount holding an older picture and record of
# 6 December 2026, "20261206.bmp" and "20261206.dbt" (and a copy of the program named in
# DOODLE_PROGRAM, when set).
# Both need root; without it the command runs without them and the tests skip.
# With DOODLE_TROUBLED_ON_C set they are made on the Wine prefix's drive C:, and
# DOODLE_FULL_FOLDER_WINDOWS names the full one there: the shell's folder browser finds
# folders on Z: only now and then.
top=$(cd "$(dirname "$0")/../.." && pwd)
if [ -n "$DOODLE_TROUBLED_ON_C" ]; then
  "$top/tools/make-wineprefix" || exit 1
  base=$(mktemp -d "${WINEPREFIX:-$top/build/wineprefix}/drive_c/doodle-troubled.XXXXXX")
else
  base=$(mktemp -d /tmp/doodle-troubled.XXXXXX)
fi
cleanup() {
  umount "$base/full" 2>/dev/null
  umount "$base/readonly" 2>/dev/null
  rm -rf "$base"
}
trap cleanup EXIT
mkdir -p "$base/full" "$base/readonly" "$base/source"
printf 'an older picture, kept as it is' > "$base/source/20261206.bmp"
printf 'DN\006\001\002\003an older text\000' > "$base/source/20261206.dbt"
# A diary program kept in the read-only folder, when the test names one.
[ -n "$DOODLE_PROGRAM" ] && cp "$DOODLE_PROGRAM" "$base/source/"
if mount -t tmpfs -o size=64k doodle-full "$base/full" 2>/dev/null; then
  export DOODLE_FULL_FOLDER="$base/full"
  [ -n "$DOODLE_TROUBLED_ON_C" ] && export DOODLE_FULL_FOLDER_WINDOWS="C:\\${base##*/}\\full"
fi
if mount --bind "$base/source" "$base/readonly" 2>/dev/null &&
   mount -o remount,bind,ro "$base/readonly" 2>/dev/null; then
  export DOODLE_READONLY_FOLDER="$base/readonly"
fi
"$@"
