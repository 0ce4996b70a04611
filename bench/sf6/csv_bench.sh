#!/usr/bin/env bash
# sf6tool csv against unzip -p on the same 1,000,000-line LensPrice.Dat entry.
# Prints both times (best of three) and their ratio; the goal is at most 3.
# Usage: csv_bench.sh SF6TOOL [LINES]
set -euo pipefail
tool=${1:?usage: csv_bench.sh SF6TOOL [LINES]}
lines=${2:-1000000}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# Price lines over varied codes, diameters, groups and prices; every third
# line leaves prices 4 and 5 out, as catalogs do.
awk -v n="$lines" 'BEGIN {
  for (i = 0; i < n; i++) {
    code = sprintf("G%05d", i % 40000);
    d1 = 50 + (i % 4) * 5; d2 = (i % 7 == 0) ? d1 + 5 : 0;
    dia = d2 ? sprintf("%02d%02d", d1, d2) : sprintf("%02d  ", d1);
    line = sprintf("%-6s%s%02d%02d%03d", code, dia, i % 13, i % 5, i % 3);
    k = (i % 3 == 0) ? 3 : 5;
    for (p = 0; p < k; p++) line = line sprintf("%07d", (i * 37 + p * 1013) % 250000);
    printf "%s\r\n", line;
  }
}' > "$work/LensPrice.Dat"
(cd "$work" && zip -q bench.zip LensPrice.Dat)

best() { # best wall time in seconds of three runs of "$@" > /dev/null
  local best=""
  for _ in 1 2 3; do
    local start end t
    start=$(date +%s.%N)
    "$@" > /dev/null
    end=$(date +%s.%N)
    t=$(echo "$end - $start" | bc -l)
    if [ -z "$best" ] || [ "$(echo "$t < $best" | bc -l)" = 1 ]; then best=$t; fi
  done
  echo "$best"
}

# Both commands must work before they are timed: csv gives one row per line
# plus its header row.
rows=$("$tool" csv "$work/bench.zip" LensPrice.Dat | wc -l)
if [ "$rows" -ne $((lines + 1)) ]; then
  echo "sf6tool csv gave $rows rows, expected $((lines + 1))" >&2
  exit 1
fi
unzip -p "$work/bench.zip" LensPrice.Dat > /dev/null

unzip_time=$(best unzip -p "$work/bench.zip" LensPrice.Dat)
csv_time=$(best "$tool" csv "$work/bench.zip" LensPrice.Dat)
ratio=$(echo "$csv_time / $unzip_time" | bc -l)
printf 'lines               %d\n' "$lines"
printf 'unzip -p            %.3f s\n' "$unzip_time"
printf 'sf6tool csv         %.3f s\n' "$csv_time"
printf 'ratio csv/unzip     %.2f (goal <= 3)\n' "$ratio"
