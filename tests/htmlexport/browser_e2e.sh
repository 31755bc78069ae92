#!/bin/sh
# browser_e2e.sh EXPORT_PROGRAM SAMPLE_FOLDER WEEK_FOLDER WORK_FOLDER
#
# A winter week of diary (WEEK_FOLDER: the day files as the program saves them, every
# weather and mood used, one day without a record, one without a picture) exported by
# doodlebinder-export with the sample template and its JPEGs into a folder other than
# the data folder, the sample images copied beside the document, and the document
# opened in headless Chromium. Every image the document names must be beside it and
# decode: the JPEGs with djpeg at the picture's 264 x 160, the GIFs with ImageMagick.
# Leaves the browser's view in WORK_FOLDER/export-sample.png.
# Exit 77 (skipped) when all is well but there is no Chromium to run.
set -eu
export_program=$1
sample=$2
week=$3
work=$4

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

rm -rf "$work"
mkdir -p "$work/data" "$work/out"
cp "$week"/* "$work/data/"
"$export_program" html --data "$work/data" --template "$sample/hinagata.html" --out "$work/out/mydiary.html" \
  --from 2024-02-10 --days 7 --jpeg || fail "the export did not finish"
cp "$sample"/*.gif "$work/out/"
document="$work/out/mydiary.html"

# The JPEGs land beside the document, none in the data folder.
for f in "$work/data"/*.jpg; do
  [ -e "$f" ] && fail "a JPEG was written into the data folder: $f"
done

# The document is in code page 932 and every tag of the loop was replaced; only a day
# without a record keeps "<!place>", only a day without a picture keeps "<!picture>".
iconv -f CP932 -t UTF-8 "$document" >"$work/mydiary.utf8.html" || fail "the document is not code page 932"
grep -q '2024年2月10日' "$work/mydiary.utf8.html" || fail "no block for the newest day"
grep -q '2024年2月4日' "$work/mydiary.utf8.html" || fail "no block for the oldest day"
leftover=$(grep -o '<!\(for\|next\|weather\|status\|diary\|year\|month\|day\|dayofweek\)>' "$document" || true)
[ -z "$leftover" ] || fail "tags left in the document: $leftover"
[ "$(grep -c '<!place>' "$document")" -eq 1 ] || fail "expected <!place> kept for the one day without a record"
[ "$(grep -c '<!picture>' "$document")" -eq 2 ] || fail "expected <!picture> kept for the two days without a picture"

# Every image element names a file beside the document that decodes. The week has five
# pictures and uses each of the 13 weather and mood images, the plain weather one twice.
images=0
jpegs=0
gifs=""
for name in $(grep -ao '<img src="[^"]*"' "$document" | sed 's/^<img src="//; s/"$//'); do
  images=$((images + 1))
  file="$work/out/$name"
  [ -f "$file" ] || fail "$name is named by the document but is not beside it"
  case $name in
    *.jpg)
      djpeg -pnm -outfile "$work/picture.ppm" "$file" 2>"$work/djpeg.err" || fail "djpeg cannot decode $name"
      [ -s "$work/djpeg.err" ] && fail "djpeg warns about $name: $(cat "$work/djpeg.err")"
      [ "$(sed -n 2p "$work/picture.ppm")" = "264 160" ] || fail "$name is not 264 x 160"
      jpegs=$((jpegs + 1))
      ;;
    *.gif)
      [ "$(identify -regard-warnings -format "%m %wx%h" "$file")" = "GIF 32x32" ] || fail "$name does not decode as a 32 x 32 GIF"
      gifs="$gifs $name"
      ;;
    *) fail "unexpected image $name" ;;
  esac
done
[ "$jpegs" -eq 5 ] || fail "$jpegs pictures in the document, expected 5"
[ "$images" -eq 19 ] || fail "$images image elements, expected 19"
[ "$(echo $gifs | tr ' ' '\n' | sort -u | wc -l)" -eq 13 ] || fail "the week does not use all 13 images:$gifs"

# The browser's view. Chromium needs a profile folder it may write to.
command -v chromium >/dev/null 2>&1 || { echo "chromium is not installed: screenshot skipped"; exit 77; }
timeout 180 chromium --headless --no-sandbox --disable-gpu --hide-scrollbars \
  --user-data-dir="$work/profile" --window-size=1280,1180 \
  --screenshot="$work/export-sample.png" "file://$document" >"$work/chromium.log" 2>&1 ||
  fail "chromium failed: $(tail -5 "$work/chromium.log")"
[ "$(identify -format '%wx%h' "$work/export-sample.png")" = "1280x1180" ] || fail "no screenshot of 1280 x 1180"
# A page that failed to load is one or two colours; the diary has pictures and icons.
colours=$(identify -format '%k' "$work/export-sample.png")
[ "$colours" -gt 200 ] || fail "the screenshot has only $colours colours"
rm -rf "$work/profile"
echo "screenshot: $work/export-sample.png"
