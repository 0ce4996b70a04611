#!/usr/bin/env bash
# Zip access against Info-ZIP on the same data, best of three runs each:
#  read:  sf6tool cat ARCHIVE LensPrice.Dat > /dev/null   vs  unzip -p (goal: ratio <= 0.6)
#  write: 13 StringsToTextfile calls of 50 MB in all      vs  zip -6   (goal: ratio <= 1.5)
# Usage: zip_bench.sh SF6TOOL ZIP_BENCH
set -euo pipefail
tool=${1:?usage: zip_bench.sh SF6TOOL ZIP_BENCH}
bench=${2:?usage: zip_bench.sh SF6TOOL ZIP_BENCH}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

"$bench" gen "$work"
(cd "$work" && zip -q -6 read.zip LensPrice.Dat)

seconds() { # wall time of "$@" > /dev/null
  local start end
  start=$(date +%s.%N)
  "$@" > /dev/null
  end=$(date +%s.%N)
  echo "$end - $start" | bc -l
}
best() { # best of three
  local best="" t
  for _ in 1 2 3; do
    t=$("$@")
    if [ -z "$best" ] || [ "$(echo "$t < $best" | bc -l)" = 1 ]; then best=$t; fi
  done
  echo "$best"
}

# Both readers must deliver the same 1,000,000 lines before they are timed.
lines=$("$tool" cat "$work/read.zip" LensPrice.Dat | wc -l)
[ "$lines" -eq 1000000 ] || { echo "sf6tool cat gave $lines lines" >&2; exit 1; }

unzip_time=$(best seconds unzip -p "$work/read.zip" LensPrice.Dat)
cat_time=$(best seconds "$tool" cat "$work/read.zip" LensPrice.Dat)

zip_once() { rm -f "$work/zip6.zip"; (cd "$work/set" && seconds zip -q -6 ../zip6.zip *); }
zip_time=$(best zip_once)
put_time=$(best "$bench" put "$work/put.zip" "$work")
unzip -tq "$work/put.zip" > /dev/null

printf 'read  (1,000,000 lines, %s bytes, compressed %.1f : 1): unzip -p %.3fs  sf6tool cat %.3fs  ratio %.2f (goal <= 0.6)\n' \
  "$(stat -c %s "$work/LensPrice.Dat")" "$(echo "$(stat -c %s "$work/LensPrice.Dat") / $(stat -c %s "$work/read.zip")" | bc -l)" "$unzip_time" "$cat_time" "$(echo "$cat_time / $unzip_time" | bc -l)"
printf 'write (13 entries, %s bytes):       zip -6 %.3fs  StringsToTextfile %.3fs  ratio %.2f (goal <= 1.5)\n' \
  "$(cat "$work"/set/* | wc -c)" "$zip_time" "$put_time" "$(echo "$put_time / $zip_time" | bc -l)"
