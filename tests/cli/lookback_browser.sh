#!/bin/sh
# lookback_browser.sh EXPORT_PROGRAM WEEK_FOLDER WORK_FOLDER
#
# The year and the poster of a winter week of diary (WEEK_FOLDER: every mood used, one
# day without a page), as a browser shows the one and a JPEG decoder reads the other. In
# headless Chromium each square of the week shows the colour the document gives it, and
# djpeg decodes the poster at the size of its layout, white where a day has no drawing.
# Leaves the browser's view in WORK_FOLDER/year.png.
# Exit 77 (skipped) when all is well but there is no Chromium to run.
set -eu
export_program=$1
week=$2
work=$3

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

rm -rf "$work"
mkdir -p "$work"
"$export_program" year --data "$week" --year 2024 --lang en --out "$work/year.svg" || fail "year did not finish"
"$export_program" mosaic --data "$week" --year 2024 --out "$work/poster.jpg" --columns 7 ||
  fail "mosaic did not finish"

# Seven columns of 264 + 4 and 53 rows of 160 + 4, with the gap around them; 7 February,
# the 38th day, has no page: its cell is white, the gap beside it grey.
djpeg -pnm -outfile "$work/poster.ppm" "$work/poster.jpg" 2>"$work/djpeg.err" || fail "djpeg cannot decode the poster"
[ -s "$work/djpeg.err" ] && fail "djpeg warns: $(cat "$work/djpeg.err")"
[ "$(sed -n 2p "$work/poster.ppm")" = "1880 8696" ] || fail "the poster is $(sed -n 2p "$work/poster.ppm")"
pixel() { convert "$1" -format "%[hex:u.p{$2,$3}]" info:; }
near() { # near RRGGBB VALUE: every channel within 8 of VALUE, as JPEG's rounding leaves it
  for i in 1 3 5; do
    c=$(printf '%d' "0x$(echo "$1" | cut -c$i-$((i + 1)))")
    [ "$c" -ge $(($2 - 8)) ] && [ "$c" -le $(($2 + 8)) ] || return 1
  done
}
near "$(pixel "$work/poster.ppm" $((4 + 2 * 268 + 132)) $((4 + 5 * 164 + 80)))" 255 || fail "7 February is not white"
near "$(pixel "$work/poster.ppm" $((4 + 2 * 268 - 2)) $((4 + 5 * 164 + 80)))" 200 || fail "no grey gap"

command -v chromium >/dev/null 2>&1 || { echo "chromium is not installed: screenshot skipped"; exit 77; }
timeout 180 chromium --headless --no-sandbox --disable-gpu --hide-scrollbars --force-device-scale-factor=1 \
  --user-data-dir="$work/profile" --window-size=784,294 \
  --screenshot="$work/year.png" "file://$work/year.svg" >"$work/chromium.log" 2>&1 ||
  fail "chromium failed: $(tail -5 "$work/chromium.log")"
rm -rf "$work/profile"
# A square's middle: 32 + 18 (day - 1) + 8 across, 62 + 18 (month - 1) + 8 down.
for day in 4 5 6 7 8 9 10; do
  fill=$(grep -o "fill=\"#[0-9A-F]*\"><title>[A-Za-z]*, $day February 2024 " "$work/year.svg" | cut -c8-13)
  [ -n "$fill" ] || fail "no square for 2024-02-$day"
  shown=$(pixel "$work/year.png" $((32 + 18 * (day - 1) + 8)) $((62 + 18 + 8)))
  [ "$shown" = "$fill" ] || fail "2024-02-$day shows $shown, not $fill"
done
echo "screenshot: $work/year.png"
