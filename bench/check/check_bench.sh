#!/usr/bin/env bash
# sf6tool check on a generated catalog of 1,000,000 lines (all thirteen
# files, every reference valid) against unzip -p of all its entries, best of
# three runs each; and the check's peak memory against the catalog's
# uncompressed size. Goals: time ratio <= 4, memory ratio <= 2.
# Usage: check_bench.sh SF6TOOL CHECK_BENCH [LINES]
set -euo pipefail
tool=${1:?usage: check_bench.sh SF6TOOL CHECK_BENCH [LINES]}
bench=${2:?usage: check_bench.sh SF6TOOL CHECK_BENCH [LINES]}
lines=${3:-1000000}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

"$bench" gen "$work/set" "$lines"
(cd "$work/set" && zip -q -6 ../catalog.zip ./*)
archive="$work/catalog.zip"
uncompressed=$(cat "$work"/set/* | wc -c)
compressed=$(stat -c %s "$archive")
written=$(cat "$work"/set/* | tr -cd '\n' | wc -c)

# The generated catalog must be clean before it is timed.
if ! "$tool" check "$archive" > "$work/problems.txt" 2> "$work/summary.txt"; then
  echo "the generated catalog is not clean:" >&2
  head -n 5 "$work/problems.txt" "$work/summary.txt" >&2
  exit 1
fi

best() { # best of three runs of "$@" > /dev/null: field 1 wall time, 3 processor time
  local field=$1 best="" t
  shift
  for _ in 1 2 3; do
    t=$("$bench" peak "$@" 2>/dev/null | cut -d' ' -f"$field")
    if [ -z "$best" ] || [ "$(echo "$t < $best" | bc -l)" = 1 ]; then best=$t; fi
  done
  echo "$best"
}

unzip_time=$(best 1 unzip -p "$archive")
check_time=$(best 1 "$tool" check "$archive")
# Processor time as well: on a shared machine it varies less than wall time.
unzip_cpu=$(best 3 unzip -p "$archive")
check_cpu=$(best 3 "$tool" check "$archive")
peak_kib=$("$bench" peak "$tool" check "$archive" 2>/dev/null | cut -d' ' -f2)
peak_bytes=$((peak_kib * 1024))

printf 'lines                    %d\n' "$written"
printf 'uncompressed             %.1f MB (%.1f : 1 compressed)\n' \
  "$(echo "$uncompressed / 1000000" | bc -l)" "$(echo "$uncompressed / $compressed" | bc -l)"
printf 'unzip -p (all entries)   %.3f s\n' "$unzip_time"
printf 'sf6tool check            %.3f s\n' "$check_time"
printf 'ratio check/unzip        %.2f (goal <= 4)\n' "$(echo "$check_time / $unzip_time" | bc -l)"
printf 'processor time           %.3f s vs %.3f s, ratio %.2f\n' "$check_cpu" "$unzip_cpu" \
  "$(echo "$check_cpu / $unzip_cpu" | bc -l)"
printf 'peak memory of check     %.1f MB\n' "$(echo "$peak_bytes / 1000000" | bc -l)"
printf 'ratio memory/size        %.2f (goal <= 2)\n' "$(echo "$peak_bytes / $uncompressed" | bc -l)"
