#!/usr/bin/env bash
# sf6tool export on a generated 1,000,000-line catalog against the baselines
# of the same run:
#   --sqlite  against the sqlite3 shell's `.import --csv` of the twelve data
#             entries' CSV (made with sf6tool csv beforehand, not timed) into
#             a new database file; goal at most 1.5
#   --json -  against sf6tool csv of the same twelve entries; goal at most 3
# Prints the times (best of three) and the ratios.
# Usage: dataexport_bench.sh SF6TOOL [LINES]
set -euo pipefail
tool=${1:?usage: dataexport_bench.sh SF6TOOL [LINES]}
lines=${2:-1000000}
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

entries=(LensType LensRange LensGeo LensPrice Options OptionsColor OptionsPrice Combination
         Information OrderOptions ProductGroup CodeSubstitution)

python3 "$here/make_bench_catalog.py" "$work/bench.zip" "$lines"
packed=$(stat -c %s "$work/bench.zip")
unpacked=$(unzip -l "$work/bench.zip" | tail -1 | awk '{print $1}')

# The baseline's input, and a check that both sides see every line.
: > "$work/import.sql"
csv_rows=0
for e in "${entries[@]}"; do
  "$tool" csv "$work/bench.zip" "$e.Dat" > "$work/$e.csv"
  csv_rows=$((csv_rows + $(wc -l < "$work/$e.csv") - 1))
  echo ".import --csv '$work/$e.csv' $e" >> "$work/import.sql"
done
if [ "$csv_rows" -lt "$lines" ]; then
  echo "sf6tool csv gave $csv_rows rows, expected $lines" >&2
  exit 1
fi

now() { date +%s.%N; }

# best SETUP COMMAND...: the best wall time of three runs of COMMAND, each
# after SETUP (not timed).
best() {
  local setup=$1 best="" start t
  shift
  for _ in 1 2 3; do
    eval "$setup"
    start=$(now)
    "$@" > /dev/null
    t=$(echo "$(now) - $start" | bc -l)
    if [ -z "$best" ] || [ "$(echo "$t < $best" | bc -l)" = 1 ]; then best=$t; fi
  done
  echo "$best"
}

import_csv() { sqlite3 "$work/import.db" < "$work/import.sql"; }
export_sqlite() { "$tool" export "$work/bench.zip" --sqlite "$work/export.db"; }
csv_all() {
  for e in "${entries[@]}"; do "$tool" csv "$work/bench.zip" "$e.Dat"; done
}
export_json() { "$tool" export "$work/bench.zip" --json -; }

export_sqlite
rows=$(sqlite3 "$work/export.db" "SELECT (SELECT count(*) FROM lens_type) + (SELECT count(*) FROM lens_range) +
  (SELECT count(*) FROM lens_geo) + (SELECT count(*) FROM lens_price) + (SELECT count(*) FROM options) +
  (SELECT count(*) FROM options_color) + (SELECT count(*) FROM options_price) +
  (SELECT count(*) FROM combination) + (SELECT count(*) FROM information) +
  (SELECT count(*) FROM order_options) + (SELECT count(*) FROM product_group) +
  (SELECT count(*) FROM code_substitution)")
if [ "$rows" -ne "$csv_rows" ]; then
  echo "the database holds $rows rows, the CSV $csv_rows" >&2
  exit 1
fi
json_lines=$(export_json | wc -l)

import_time=$(best 'rm -f "$work/import.db"' import_csv)
sqlite_time=$(best 'rm -f "$work/export.db"' export_sqlite)
csv_time=$(best ':' csv_all)
json_time=$(best ':' export_json)

printf 'data lines              %d (%d JSON lines with Head.dat)\n' "$rows" "$json_lines"
printf 'entries                 %d bytes, packed %d (%.2f : 1)\n' "$unpacked" "$packed" \
  "$(echo "$unpacked / $packed" | bc -l)"
printf 'sqlite3 .import --csv   %.3f s\n' "$import_time"
printf 'export --sqlite         %.3f s\n' "$sqlite_time"
printf 'ratio sqlite/import     %.2f (goal <= 1.5)\n' "$(echo "$sqlite_time / $import_time" | bc -l)"
printf 'sf6tool csv (12)        %.3f s\n' "$csv_time"
printf 'export --json -         %.3f s\n' "$json_time"
printf 'ratio json/csv          %.2f (goal <= 3)\n' "$(echo "$json_time / $csv_time" | bc -l)"
